// Typed dates on arbitrary bytes: a date found is a calendar day in the file's form, and it reads back as
// itself.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/typed_date.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> date = tessaroven::ParseTypedDate(typed);
    if (!date) {
        return 0;
    }
    FUZZ_CHECK(date->size() == 10 && (*date)[4] == '-' && (*date)[7] == '-', "a date is YYYY-MM-DD");
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        FUZZ_CHECK((*date)[i] >= '0' && (*date)[i] <= '9', "the date's parts are ASCII digits");
    }
    FUZZ_CHECK(tessaroven::ParseTypedDate(*date) == date, "the file's form reads back as itself");
    return 0;
}
