// The message catalogue: one entry per reason, details filled in order, and the matching the robustness
// checks use to recognise the program's own texts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "messages/catalogue.h"

namespace tessaroven {
namespace {

TEST(MessageCatalogue, holds_one_nonempty_text_per_reason_in_the_order_of_the_reasons) {
    std::set<std::string> texts;
    int index = 0;
    for (const CatalogueEntry& entry : MessageCatalogue()) {
        EXPECT_EQ(static_cast<int>(entry.reason), index++);
        EXPECT_FALSE(std::string(entry.japanese).empty());
        EXPECT_TRUE(texts.insert(entry.japanese).second) << "a text used for two reasons: " << entry.japanese;
        EXPECT_EQ(MessageText(entry.reason), entry.japanese);
    }
    EXPECT_EQ(index, static_cast<int>(Reason::AttenuationOutOfRange) + 1) << "a reason without a text";
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

}  // namespace
}  // namespace tessaroven
