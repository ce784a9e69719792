// The save dialog meeting a file that already exists in a special way: write-protected, or reached through a
// symbolic link. Driven through the dialog's widgets, every message box answered.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
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

class SaveExistingFileTest : public GuiTest {
protected:
    void SetUp() override {
        ResetMeasurement(record);
        record.lastPosition = 1;
        record.profile[0] = 99.999936;
        record.profile[1] = 93.600683;
        record.relativePercent[0] = 100;
        record.relativePercent[1] = 93.600744;
    }
    void TearDown() override {
        delete m_dialog.data();
        GuiTest::TearDown();
    }

    // The save button, then the name typed into the file-name box and OK clicked; the question to replace
    // the existing file answered yes. Returns what the message box after it showed.
    std::optional<testing::SeenMessageBox> SaveAs(const QString& name) {
        SaveDialog* dialog = OpenSaveDialog(m_dialog, record, QDate(2026, 12, 6));
        dialog->fileNameEdit->clear();
        QTest::keyClicks(dialog->fileNameEdit, name);
        return ReplaceAnsweringYes(dialog);
    }
    std::optional<testing::SeenMessageBox> ReplaceAnsweringYes(SaveDialog* dialog) {
        const auto seen = messages.Expect([&] { QTest::mouseClick(dialog->okButton, Qt::LeftButton); }, 2,
                                          QMessageBox::Yes);
        if (seen.size() != 2) {
            return std::nullopt;
        }
        EXPECT_TRUE(IsMessageOf(Reason::ReplaceFileQuestion, seen[0].text.toStdString()));
        return seen[1];
    }

    QString PathOf(const QString& name) const { return tempDir.filePath(name); }
    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    const QByteArray m_written = "Comment\r\n0, 100.000,  100.00\r\n1, 93.601,  93.60\r\n";
    QPointer<SaveDialog> m_dialog;
};

TEST_F(SaveExistingFileTest, a_write_protected_file_is_refused_with_the_system_error_and_left_as_it_was) {
    // State: profile.csv exists with no write permission for anyone. Action: save under that name.
    // Expected: a warning with the system's error text, the old bytes and mode kept, the dialog open.
    const QString path = PathOf("profile.csv");
    WriteFile(path, "old measurement\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const std::string before = record.resultLines[0];

    const auto box = SaveAs(PathOf("profile"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->icon, QMessageBox::NoIcon);
    EXPECT_EQ(box->title, "Tessaroven");
    EXPECT_TRUE(box->text.contains(QString::fromStdString(SystemErrorText(EACCES))))
        << box->text.toStdString();
    EXPECT_EQ(Contents(path), QByteArray("old measurement\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    EXPECT_EQ(QDir(tempDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"profile.csv"});
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->fileNameEdit->text(), PathOf("profile"));
    EXPECT_EQ(record.resultLines[0], before);

    // Once the protection is lifted the same OK saves.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    const auto saved = ReplaceAnsweringYes(m_dialog);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
    EXPECT_EQ(Contents(path), m_written);
}

TEST_F(SaveExistingFileTest, a_name_that_is_a_symbolic_link_writes_the_file_it_points_to) {
    // State: latest.csv is a link to runs/run42.csv. Action: save as "latest".
    // Expected: run42.csv holds the new file and latest.csv is still the link to it.
    ASSERT_TRUE(QDir(tempDir.path()).mkdir("runs"));
    const QString target = PathOf("runs/run42.csv");
    WriteFile(target, "old measurement\r\n");
    const QString link = PathOf("latest.csv");
    ASSERT_TRUE(QFile::link(target, link));

    const auto box = SaveAs(PathOf("latest"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
    EXPECT_EQ(Contents(target), m_written);
    EXPECT_EQ(QFileInfo(link).symLinkTarget().toStdString(), target.toStdString());
    EXPECT_EQ(QDir(PathOf("runs")).entryList(QDir::Files | QDir::Hidden), QStringList{"run42.csv"});
}

}  // namespace
}  // namespace tessaroven
