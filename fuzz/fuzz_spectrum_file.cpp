// The centre spectrum's reader on arbitrary bytes: it never crashes, a refusal says why, and an accepted
// spectrum is one the attenuation step takes or refuses with a message (never a crash), ascending in energy
// with weights of 0 or more; where it is taken, the thickness for a transmission gives that transmission
// back.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "calc/al_equivalent.h"
#include "formats/spectrum_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaroven;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Expected<ParsedSpectrum> parsed = ParseSpectrumFile(bytes);
    if (!parsed) {
        FUZZ_CHECK(!parsed.error().message.empty(), "a refusal says what was wrong");
        return 0;
    }
    const Spectrum& spectrum = parsed->spectrum;
    FUZZ_CHECK(!CheckSpectrum(spectrum), "an accepted spectrum is usable");
    const Expected<AttenuationTable> table = MakeAttenuationTable(spectrum);
    if (!table) {
        FUZZ_CHECK(table.error().reason == Reason::AttenuationDataUnavailable, "only energies without data");
        return 0;
    }
    for (double transmission : {0.05, 0.5, 1.0, 1.5}) {
        const std::optional<double> t = AlEquivalentThicknessMm(*table, transmission);
        if (t) {
            const double back = KermaTransmission(*table, *t);
            FUZZ_CHECK(std::abs(back - transmission) <= 1e-6 * transmission, "the thickness gives T back");
        }
    }
    return 0;
}
