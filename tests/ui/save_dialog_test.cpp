// The save dialog driven through its widgets: defaults, the entry check, the written bytes, refusals.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include "gui_fixture.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "messages/system_error_text.h"
#include "ui/save_dialog.h"
#include "ui/save_dialog_handlers.h"

namespace tessaroven {
namespace {

using testing::GuiTest;
using testing::SeenMessageBox;
using Seen = std::optional<SeenMessageBox>;

TEST(DefaultFileName, is_month_day_year_with_hyphens_and_leading_zeros) {
    struct Case {
        QDate date;
        const char* expected;
    };
    const Case cases[] = {
        {QDate(2026, 12, 6), "12-06-2026"},
        {QDate(2027, 1, 9), "01-09-2027"},
        {QDate(2024, 2, 29), "02-29-2024"},
        {QDate(2030, 10, 31), "10-31-2030"},
    };
    // The system's date settings play no part.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultFileName(c.date).toStdString(), c.expected);
    }
    QLocale::setDefault(QLocale::c());
}

// The control the Tab key moves to from widget (labels are in the chain but never take the focus).
QWidget* NextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) {
        next = next->nextInFocusChain();
    }
    return next;
}

// Replaces the text box's text as the user types it: keys for ASCII, the input method's commit for Japanese.
void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    bool ascii = true;
    for (QChar c : text) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(edit, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(edit, &commit);
}

class SaveDialogTest : public GuiTest {
protected:
    void SetUp() override { ResetMeasurement(record); }
    void TearDown() override {
        delete m_dialog.data();
        QDir::setCurrent(m_startFolder);
        GuiTest::TearDown();
    }

    // The worked example's profile (distance 60, readings 100, 95, 85, 70, 50) as the conversion leaves it.
    void LoadWorkedExample() {
        record.lastPosition = 4;
        const double profile[] = {99.999936, 93.600683, 79.008466, 57.105193, 27.858070};
        const double result[] = {100, 93.600744, 79.008517, 57.105230, 27.858088};
        for (int i = 0; i < 5; ++i) {
            record.profile[i] = profile[i];
            record.relativePercent[i] = result[i];
        }
    }

    SaveDialog* Open() { return OpenSaveDialog(m_dialog, record, QDate(2026, 12, 6)); }

    // Types the entries as the user does and clicks OK, answering whatever message appears.
    Seen Save(const QString& comment, const QString& name) {
        SaveDialog* dialog = Open();
        Type(dialog->commentEdit, comment);
        Type(dialog->fileNameEdit, name);
        return messages.ExpectOne([&] { QTest::mouseClick(dialog->okButton, Qt::LeftButton); });
    }

    QString PathOf(const QString& name) const { return tempDir.filePath(name); }
    QByteArray Contents(const QString& name) const {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList Files() const { return QDir(tempDir.path()).entryList(QDir::Files | QDir::Hidden); }

    static void ExpectSavedMessage(const Seen& box) {
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
        EXPECT_EQ(box->icon, QMessageBox::NoIcon);
        EXPECT_EQ(box->title.toStdString(), "Tessaroven");
        EXPECT_EQ(box->buttonCount, 1);
        EXPECT_TRUE(box->modal);
    }
    static void ExpectBox(const Seen& box, QMessageBox::Icon icon = QMessageBox::Warning) {
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->icon, icon);
        EXPECT_EQ(box->title.toStdString(), "Tessaroven");
        EXPECT_EQ(box->buttonCount, 1);
        EXPECT_TRUE(box->modal);
    }

    QString m_startFolder = QDir::currentPath();
    QPointer<SaveDialog> m_dialog;
};

TEST_F(SaveDialogTest, opens_as_an_ownerless_non_modal_window_with_its_layout) {
    SaveDialog* dialog = Open();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "計算結果保存");
    EXPECT_EQ(dialog->size(), QSize(445, 282));
    EXPECT_EQ(dialog->okButton->text(), "OK");
    EXPECT_EQ(dialog->cancelButton->text(), "Cancel");
    EXPECT_EQ(dialog->commentEdit->geometry(), QRect(24, 104, 393, 33));
    EXPECT_EQ(dialog->fileNameEdit->geometry(), QRect(24, 184, 393, 33));
    EXPECT_EQ(dialog->okButton->geometry(), QRect(120, 232, 89, 33));
    EXPECT_EQ(dialog->cancelButton->geometry(), QRect(240, 232, 89, 33));
    // Focus order: comment, file name, OK, Cancel.
    EXPECT_EQ(NextTabStop(dialog->commentEdit), dialog->fileNameEdit);
    EXPECT_EQ(NextTabStop(dialog->fileNameEdit), dialog->okButton);
    EXPECT_EQ(NextTabStop(dialog->okButton), dialog->cancelButton);
}

TEST_F(SaveDialogTest, a_reopened_dialog_keeps_what_was_typed_and_takes_a_comment_changed_elsewhere) {
    SaveDialog* dialog = Open();
    EXPECT_EQ(dialog->commentEdit->text(), "Comment");
    EXPECT_EQ(dialog->fileNameEdit->text(), "12-06-2026");
    dialog->commentEdit->setText("other");
    dialog->fileNameEdit->setText("name");
    QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Open(), dialog);
    EXPECT_EQ(dialog->commentEdit->text(), "other");
    EXPECT_EQ(dialog->fileNameEdit->text(), "name");
    // The measurement's comment changed meanwhile (an opened file, the conditions dialog).
    record.comment = "from the file";
    Open();
    EXPECT_EQ(dialog->commentEdit->text(), "from the file");
    EXPECT_EQ(dialog->fileNameEdit->text(), "name");
}

TEST_F(SaveDialogTest, cancel_hides_without_writing) {
    LoadWorkedExample();
    QDir::setCurrent(tempDir.path());
    SaveDialog* dialog = Open();
    messages.ExpectNone([&] { QTest::mouseClick(dialog->cancelButton, Qt::LeftButton); });
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(SaveDialogTest, an_empty_comment_or_file_name_is_refused_with_a_warning_and_nothing_is_written) {
    LoadWorkedExample();
    const QString name = PathOf("profile");
    struct Case {
        QString comment, name;
    };
    for (const Case& c : {Case{"", name}, Case{"Comment", ""}, Case{"", ""}}) {
        SCOPED_TRACE(c.comment.toStdString() + "|" + c.name.toStdString());
        const Seen box = Save(c.comment, c.name);
        ExpectBox(box);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text.toStdString(), Message(Reason::MissingCommentOrFileName));
        EXPECT_TRUE(m_dialog->isVisible());
        EXPECT_EQ(m_dialog->commentEdit->text(), c.comment);
        EXPECT_EQ(m_dialog->fileNameEdit->text(), c.name);
        EXPECT_TRUE(Files().isEmpty());
    }
    // A comment of blanks counts as filled.
    ExpectSavedMessage(Save("   ", name));
    EXPECT_EQ(Contents("profile.csv").left(5), QByteArray("   \r\n"));
}

TEST_F(SaveDialogTest, worked_example_is_written_byte_for_byte_confirmed_and_the_dialog_hidden) {
    // State: the worked example converted. Action: OK with the comment "Comment". Expected: the whole file.
    LoadWorkedExample();
    ExpectSavedMessage(Save("Comment", PathOf("profile")));
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_FALSE(m_dialog.isNull());  // hidden, not destroyed
    const QByteArray expected =
        "Comment\r\n"
        "0, 100.000,  100.00\r\n"
        "1, 93.601,  93.60\r\n"
        "2, 79.008,  79.01\r\n"
        "3, 57.105,  57.11\r\n"
        "4, 27.858,  27.86\r\n";
    EXPECT_EQ(Contents("profile.csv"), expected);
    EXPECT_EQ(Files(), QStringList{"profile.csv"});  // no temporary file left behind
    // The data lines replace the list lines in resultLines.
    EXPECT_EQ(record.resultLines[0], "0, 100.000,  100.00");
    EXPECT_EQ(record.resultLines[4], "4, 27.858,  27.86");
    EXPECT_EQ(record.resultLines[5], "");
}

TEST_F(SaveDialogTest, a_bare_name_saves_into_the_remembered_folder_else_the_working_folder) {
    QDir::setCurrent(tempDir.path());
    LoadWorkedExample();
    SaveDialog* dialog = Open();
    const Seen saved = messages.ExpectOne([&] { QTest::mouseClick(dialog->okButton, Qt::LeftButton); });
    ExpectSavedMessage(saved);
    EXPECT_EQ(saved->text.section(QLatin1Char('\n'), 1).toStdString(),
              QDir::toNativeSeparators(PathOf("12-06-2026.csv")).toStdString());
    EXPECT_EQ(Files(), QStringList{"12-06-2026.csv"});
    EXPECT_TRUE(Contents("12-06-2026.csv").startsWith("Comment\r\n0, 100.000,  100.00\r\n"));

    ASSERT_TRUE(QDir(tempDir.path()).mkdir("chosen"));
    RememberResultsFolder(PathOf("chosen"));
    ExpectSavedMessage(Save("Comment", "bare"));
    EXPECT_TRUE(QFileInfo::exists(PathOf("chosen/bare.csv")));
    RememberResultsFolder(QString());
}

TEST_F(SaveDialogTest, a_japanese_comment_is_written_in_code_page_932) {
    LoadWorkedExample();
    record.lastPosition = 0;
    ExpectSavedMessage(Save("線量プロファイル", PathOf("jp")));
    // The comment's Shift-JIS bytes, then the one data line.
    const QByteArray expected =
        QByteArray::fromHex("90fc97ca8376838d837483408343838b") + "\r\n0, 100.000,  100.00\r\n";
    EXPECT_EQ(Contents("jp.csv"), expected);
}

TEST_F(SaveDialogTest, a_comment_character_outside_code_page_932_is_named_and_nothing_is_written) {
    LoadWorkedExample();
    const Seen box = Save("Profile \U0001F600", PathOf("emoji"));
    ExpectBox(box, QMessageBox::NoIcon);
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text.contains(QString::fromUcs4(U"\U0001F600")) || box->text.contains("U+1F600"))
        << box->text.toStdString();
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(SaveDialogTest, an_existing_file_is_replaced_whole_by_a_shorter_profile_only_when_the_user_agrees) {
    {
        QFile old(PathOf("profile.csv"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4096, 'x'));
    }
    LoadWorkedExample();
    record.lastPosition = 1;
    const Seen question = Save("again", PathOf("profile"));  // answered with the default, No
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text.toStdString(),
              Message(Reason::ReplaceFileQuestion,
                      {QDir::toNativeSeparators(PathOf("profile.csv")).toStdString()}));
    EXPECT_EQ(Contents("profile.csv"), QByteArray(4096, 'x'));
    EXPECT_TRUE(m_dialog->isVisible());

    const auto seen =
        messages.Expect([&] { QTest::mouseClick(m_dialog->okButton, Qt::LeftButton); }, 2, QMessageBox::Yes);
    ASSERT_EQ(seen.size(), 2U);
    ExpectSavedMessage(seen[1]);
    EXPECT_EQ(Contents("profile.csv"), QByteArray("again\r\n0, 100.000,  100.00\r\n1, 93.601,  93.60\r\n"));
}

TEST_F(SaveDialogTest, a_name_typed_with_the_extension_gets_it_a_second_time) {
    LoadWorkedExample();
    ExpectSavedMessage(Save("Comment", PathOf("profile.csv")));
    EXPECT_EQ(Files(), QStringList{"profile.csv.csv"});
}

TEST_F(SaveDialogTest, a_missing_folder_gives_the_system_error_and_keeps_the_dialog_open) {
    // State: worked example, a name inside a folder that does not exist. Action: OK.
    // Expected: one warning with the system's error text, the dialog open with its entries, nothing written,
    // the record unchanged.
    LoadWorkedExample();
    record.resultLines[0] = "0 : 100.000  100.0";
    const QString name = PathOf("no-such-folder/profile");
    const Seen box = Save("Comment", name);
    ExpectBox(box, QMessageBox::NoIcon);
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text.contains(QString::fromStdString(SystemErrorText(ENOENT))))
        << box->text.toStdString();
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->commentEdit->text(), "Comment");
    EXPECT_EQ(m_dialog->fileNameEdit->text(), name);
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_FALSE(QDir(PathOf("no-such-folder")).exists());
    EXPECT_EQ(record.resultLines[0], "0 : 100.000  100.0");

    // The user corrects the name and saves.
    m_dialog->fileNameEdit->setText(PathOf("profile"));
    ExpectSavedMessage(messages.ExpectOne([&] { QTest::mouseClick(m_dialog->okButton, Qt::LeftButton); }));
    EXPECT_EQ(Files(), QStringList{"profile.csv"});
}

TEST_F(SaveDialogTest, a_save_after_a_reset_writes_the_single_zero_line) {
    LoadWorkedExample();
    ResetMeasurement(record);
    ExpectSavedMessage(Save("Comment", PathOf("reset")));
    EXPECT_EQ(Contents("reset.csv"), QByteArray("Comment\r\n0, 0.000,  0.00\r\n"));
}

TEST_F(SaveDialogTest, no_positions_write_the_comment_line_only) {
    LoadWorkedExample();
    record.lastPosition = -1;
    ExpectSavedMessage(Save("Comment", PathOf("none")));
    EXPECT_EQ(Contents("none.csv"), QByteArray("Comment\r\n"));
}

TEST_F(SaveDialogTest, more_positions_than_slots_are_refused_before_any_file_is_opened) {
    LoadWorkedExample();
    record.lastPosition = 31;
    ExpectBox(Save("Comment", PathOf("many")), QMessageBox::NoIcon);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(SaveDialogTest, the_close_box_discards_the_dialog_and_the_next_opening_creates_it_afresh) {
    SaveDialog* dialog = Open();
    dialog->commentEdit->setText("typed");
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_dialog.isNull());
    SaveDialog* again = Open();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->commentEdit->text(), "Comment");
    // The new dialog's OK works as the first one's did.
    LoadWorkedExample();
    again->fileNameEdit->setText(PathOf("after-close"));
    ExpectSavedMessage(messages.ExpectOne([&] { QTest::mouseClick(again->okButton, Qt::LeftButton); }));
    EXPECT_EQ(Files(), QStringList{"after-close.csv"});
}

}  // namespace
}  // namespace tessaroven
