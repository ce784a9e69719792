// The message catalogue: one entry per reason in each language, details filled in order, and the matching the
// robustness checks use to recognise the program's own texts.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <cerrno>
#include <map>

#include "messages/catalogue.h"
#include "messages/system_error_text.h"

namespace tessaroven {
namespace {

// The numbers of the placeholders {1} to {9} in a text.
std::set<char> Placeholders(std::string_view text) {
    std::set<char> numbers;
    for (std::size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', at + 1)) {
        if (at + 2 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9' && text[at + 2] == '}') {
            numbers.insert(text[at + 1]);
        }
    }
    return numbers;
}

// The first Japanese code point (CJK punctuation, kana, kanji, full-width forms) in UTF-8 text, 0 when there
// is none; nullopt when the text is not UTF-8.
std::optional<char32_t> FirstJapanese(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        if (length == 0 || i + length > text.size()) {
            return std::nullopt;
        }
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            point = (point << 6) | (next & 0x3F);
        }
        if ((point >= 0x3000 && point <= 0x9FFF) || (point >= 0xFF00 && point <= 0xFFEF)) {
            return point;
        }
        i += length;
    }
    return 0;
}

TEST(MessageCatalogue, holds_one_nonempty_text_per_reason_in_the_order_of_the_reasons) {
    std::set<std::string> texts;
    std::set<std::string> englishTexts;
    int index = 0;
    for (const CatalogueEntry& entry : MessageCatalogue()) {
        EXPECT_EQ(static_cast<int>(entry.reason), index++);
        EXPECT_FALSE(std::string(entry.japanese).empty());
        EXPECT_TRUE(texts.insert(entry.japanese).second) << "a text used for two reasons: " << entry.japanese;
        EXPECT_EQ(MessageText(entry.reason), entry.japanese);

        ASSERT_NE(entry.english, nullptr) << entry.japanese;
        const std::string english = entry.english;
        EXPECT_FALSE(english.empty()) << entry.japanese;
        EXPECT_TRUE(englishTexts.insert(english).second)
            << "an English text used for two reasons: " << english;
        EXPECT_EQ(MessageText(entry.reason, Language::English), english);
        EXPECT_EQ(Placeholders(english), Placeholders(entry.japanese)) << english;
        EXPECT_EQ(FirstJapanese(english), std::optional<char32_t>(0))
            << "not UTF-8, or Japanese in: " << english;
    }
    EXPECT_EQ(index, static_cast<int>(kLastReason) + 1) << "a reason without a text";
}

TEST(MessageCatalogue, fills_details_in_order_and_recognises_filled_texts) {
    const std::string written = Message(Reason::FileWriteFailed, {"/tmp/a {2}.csv", "Disk full"});
    EXPECT_EQ(written, "ファイルを保存できませんでした。\nファイル: /tmp/a {2}.csv\n理由: Disk full");
    EXPECT_TRUE(IsMessageOf(Reason::FileWriteFailed, written));
    EXPECT_EQ(Message(Reason::ReadingNotANumber, {"", "9O"}), "測定値「9O」は数値ではありません");
    EXPECT_EQ(Message(Reason::Saved, {"ignored"}), MessageText(Reason::Saved));
    EXPECT_EQ(Message(Reason::UnknownOption), "不明なオプションです: ");  // a missing detail stays empty

    EXPECT_TRUE(IsMessageOf(Reason::Saved, MessageText(Reason::Saved)));
    EXPECT_FALSE(IsMessageOf(Reason::Saved, std::string(MessageText(Reason::Saved)) + "!"));
    EXPECT_FALSE(IsMessageOf(Reason::FileWriteFailed, "ファイルを保存できませんでした。"));
    EXPECT_FALSE(IsMessageOf(Reason::ReadingNotANumber, "測定値「9O」は数値です"));
}

TEST(MessageCatalogue, speaks_english_once_chosen) {
    struct BackToJapanese {
        ~BackToJapanese() { SetMessageLanguage(Language::Japanese); }
    } restore;
    SetMessageLanguage(Language::English);
    const std::string place = Message(Reason::InputLinePlace, {"3"});
    const std::string refused = Message(Reason::ReadingNotANumber, {place, "9O"});
    EXPECT_EQ(refused, "Reading \"9O\" on line 3 of standard input is not a number");  // details out of order
    EXPECT_TRUE(IsMessageOf(Reason::ReadingNotANumber, refused));
}

// Each common code has a text of its own in both languages (two codes that mean the same share one); the rest
// are named by number.
TEST(MessageCatalogue, explains_system_errors_in_the_chosen_language) {
    std::map<std::string, int> japanese;
    std::set<std::string> english;
    std::vector<int> codes{ENOENT, EACCES,       EPERM, ENOSPC, EROFS,      EISDIR,  ENOTDIR,
                           EEXIST, ENAMETOOLONG, ELOOP, EIO,    EBUSY,      ETXTBSY, EMFILE,
                           ENFILE, EFBIG,        EXDEV, EAGAIN, EWOULDBLOCK};
#ifdef EDQUOT  // not in Windows' C library
    codes.push_back(EDQUOT);
#endif
    for (const int code : codes) {
        const std::string text = SystemErrorText(code, Language::Japanese);
        EXPECT_NE(FirstJapanese(text), std::optional<char32_t>(0)) << code;
        EXPECT_TRUE(japanese.emplace(text, code).second || code == ENFILE || code == EWOULDBLOCK) << text;
        english.insert(SystemErrorText(code, Language::English));
    }
    EXPECT_EQ(english.size(), codes.size() - 2);
    EXPECT_EQ(japanese.size(), codes.size() - 2);
    EXPECT_EQ(SystemErrorText(ECHILD, Language::Japanese),
              "システムエラー (番号 " + std::to_string(ECHILD) + ")");
    EXPECT_EQ(SystemErrorText(9999, Language::English), "System error 9999");
}

}  // namespace
}  // namespace tessaroven
