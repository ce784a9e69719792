// Code page 932 encoding round trip.
#include <gtest/gtest.h>

#include "formats/cp932.h"

namespace tessaroven {
namespace {

TEST(Cp932, JapaneseTextSurvivesTheRoundTrip) {
    const std::string text = "計算結果保存 テスト ｱｲｳ ＡＢＣ ① ～ Comment 123";
    const auto encoded = EncodeCp932(text);
    ASSERT_TRUE(encoded);
    EXPECT_LT(encoded->size(), text.size());  // two bytes a character instead of three
    const auto decoded = DecodeCp932(*encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, text);
}

TEST(Cp932, AsciiIsUnchangedAndEmptyIsEmpty) {
    EXPECT_EQ(*EncodeCp932("Comment, 1.5"), "Comment, 1.5");
    EXPECT_EQ(*EncodeCp932(""), "");
}

TEST(Cp932, ControlCharactersAreNamedByCode) {
    // A tab is representable; only characters outside the code page are refused.
    EXPECT_TRUE(EncodeCp932("a\tb"));
    const auto refused = EncodeCp932("x\xC2\x80y");  // U+0080 has no place in code page 932
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("U+0080"), std::string::npos) << refused.error().message;
}

TEST(Cp932, UnitSignsAreWrittenAsTheirTwinsAndOthersGetASuggestion) {
    // Micro sign, A with ring and ohm sign become the Greek mu, the angstrom sign and the Greek omega.
    EXPECT_EQ(*DecodeCp932(*EncodeCp932("10 \u00B5Gy, 1 \u00C5, 5 \u2126")),
              "10 \u03BCGy, 1 \u212B, 5 \u03A9");
    const auto squared = EncodeCp932("100 cm\u00B2");
    ASSERT_FALSE(squared);
    EXPECT_EQ(squared.error().reason, Reason::UnrepresentableCharacterWithReplacement);
    EXPECT_NE(squared.error().message.find("「2」か「^2」"), std::string::npos) << squared.error().message;
    EXPECT_EQ(EncodeCp932("caf\u00E9").error().reason, Reason::UnrepresentableCharacter);  // no obvious twin
}

TEST(Cp932, MalformedUtf8IsRefused) {
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE3\x81", "\xF4\x90\x80\x80"}) {
        const auto refused = EncodeCp932(bad);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().reason, Reason::InvalidText);
    }
    EXPECT_FALSE(DecodeCp932("\x81"));  // a lead byte without its trail byte
}

}  // namespace
}  // namespace tessaroven
