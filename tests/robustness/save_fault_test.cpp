// Every failure of the save path, made to happen at the save dialog: the folder missing, a read-only disk,
// the target a folder, a name too long, a NUL in the name, a disk that fills up at the start or part way, a
// failing write, chmod, flush, close and rename. After each the user is told why, the dialog stays open with
// its entries, the old file is byte for byte as before and no temporary file is left behind. Faults come from
// the interposed calls of io_faults.h (root ignores permission bits, so they cannot come from the file system
// itself); the real ones (missing folder, folder as target, long name) need no help.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "calc/conversion.h"
#include "io_faults.h"
#include "message_boxes.h"
#include "messages/outcome.h"
#include "messages/system_error_text.h"
#include "record_compare.h"
#include "ui/save_dialog.h"
#include "ui/save_dialog_handlers.h"

namespace tessaroven::robustness {
namespace {

constexpr char kOldBytes[] = "old comment\r\n0, 99.000,  100.00\r\n1, 50.000,  50.51\r\n";

// How the target is set up and named.
enum class Target {
    OldFile,        // "old": old.csv exists with kOldBytes
    MissingFolder,  // "missing/old": the folder does not exist
    Folder,         // "old": old.csv is a folder holding a file
    LongName,       // a name longer than the file system allows
    NulInName,      // a NUL inside the typed name
};

struct SaveFaultCase {
    const char* name;
    Target target;
    bool injected;  // false: the file system fails by itself
    IoFault fault;
    int expectedError;  // the system error the message must give; 0: the dialog's own NUL message
};

// Test names in CTest show the case's name instead of its bytes.
void PrintTo(const SaveFaultCase& c, std::ostream* out) {
    *out << c.name;
}

std::string ErrorText(int error) {
    return SystemErrorText(error);
}

class SaveFault : public ::testing::TestWithParam<SaveFaultCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ResetMeasurement(m_record);
        m_record.lastPosition = 2;
        m_record.reading[0] = 100;
        m_record.reading[1] = 90;
        m_record.reading[2] = 60;
        ASSERT_FALSE(RunConversion(m_record, 60).has_value());
        TakeIoFaultCounts();
    }
    void TearDown() override {
        DisarmIoFault();
        if (m_dialog) {
            delete m_dialog.data();
        }
    }

    QString Path(const QString& name) const { return m_folder.filePath(name); }

    QStringList Entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    QByteArray Bytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void WriteOldFile(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kOldBytes);
    }

    // Opens the dialog as the main window's save button does, types the entries, presses OK with the mouse.
    std::vector<SeenMessage> SaveAs(const QString& typedName) {
        OpenSaveDialog(m_dialog, m_record);
        m_dialog->commentEdit->setText(QStringLiteral("コメント"));
        m_dialog->fileNameEdit->setText(typedName);
        m_answerer.Start();
        QTest::mouseClick(m_dialog->okButton, Qt::LeftButton);
        m_answerer.Stop();
        // The question before an existing file is replaced (answered yes) is not what these cases are about.
        std::vector<SeenMessage> seen = m_answerer.Take();
        if (!seen.empty() && IsMessageOf(Reason::ReplaceFileQuestion, seen.front().text.toStdString())) {
            seen.erase(seen.begin());
        }
        return seen;
    }

    QTemporaryDir m_folder;
    MeasurementRecord m_record;
    QPointer<SaveDialog> m_dialog;
    MessageBoxAnswerer m_answerer;
};

TEST_P(SaveFault, is_reported_and_loses_nothing) {
    const SaveFaultCase& c = GetParam();
    QString typed = Path(QStringLiteral("old"));
    switch (c.target) {
        case Target::OldFile:
            WriteOldFile(Path(QStringLiteral("old.csv")));
            break;
        case Target::MissingFolder:
            WriteOldFile(Path(QStringLiteral("old.csv")));
            typed = Path(QStringLiteral("missing/old"));
            break;
        case Target::Folder:
            ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("old.csv")));
            WriteOldFile(Path(QStringLiteral("old.csv/inside.txt")));
            break;
        case Target::LongName:
            WriteOldFile(Path(QStringLiteral("old.csv")));
            typed = Path(QString(300, QLatin1Char('n')));
            break;
        case Target::NulInName:
            WriteOldFile(Path(QStringLiteral("old.csv")));
            typed = Path(QStringLiteral("old")) + QChar(u'\0') + QStringLiteral("tail");
            break;
    }
    const QStringList entriesBefore = Entries(m_folder.path());
    const MeasurementRecord recordBefore = m_record;

    if (c.injected) {
        ArmIoFault(c.fault);
    }
    const std::vector<SeenMessage> seen = SaveAs(typed);
    DisarmIoFault();
    const IoFaultCounts counts = TakeIoFaultCounts();

    // The right message, once, as a warning.
    ASSERT_EQ(seen.size(), 1U) << "exactly one message box";
    EXPECT_TRUE(seen[0].isMessageBox);
    EXPECT_EQ(seen[0].caption, QLatin1String(kMessageCaption));
    EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
    const std::string text = seen[0].text.toStdString();
    if (c.expectedError == 0) {
        EXPECT_EQ(seen[0].text, QString::fromStdString(Message(Reason::NulInFileName)));
    } else {
        EXPECT_TRUE(IsMessageOf(Reason::FileWriteFailed, text)) << text;
        EXPECT_NE(text.find((typed + QStringLiteral(".csv")).toStdString()), std::string::npos)
            << "names the file: " << text;
        EXPECT_NE(text.find(ErrorText(c.expectedError)), std::string::npos)
            << "gives the system's error text \"" << ErrorText(c.expectedError) << "\": " << text;
    }
    if (c.injected) {
        EXPECT_EQ(counts.injected, 1) << "the fault was injected into the program's own call";
    }

    // The dialog is still open with its entries.
    ASSERT_FALSE(m_dialog.isNull());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->commentEdit->text(), QStringLiteral("コメント"));
    EXPECT_EQ(m_dialog->fileNameEdit->text(), typed);

    // Nothing lost, nothing left behind, nothing changed in the record.
    EXPECT_EQ(Entries(m_folder.path()), entriesBefore);
    const QString oldFile = c.target == Target::Folder ? Path(QStringLiteral("old.csv/inside.txt"))
                                                       : Path(QStringLiteral("old.csv"));
    EXPECT_EQ(Bytes(oldFile), QByteArray(kOldBytes));
    if (c.target == Target::Folder) {
        EXPECT_EQ(Entries(Path(QStringLiteral("old.csv"))), QStringList{QStringLiteral("inside.txt")});
    }
    EXPECT_TRUE(testing::SameRecord(recordBefore, m_record));

    // The user can go on: the same save without the fault succeeds where the target allows it.
    if (c.target == Target::OldFile) {
        const std::vector<SeenMessage> again = SaveAs(typed);
        ASSERT_EQ(again.size(), 1U);
        EXPECT_EQ(again[0].text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
        EXPECT_NE(Bytes(Path(QStringLiteral("old.csv"))), QByteArray(kOldBytes));
        EXPECT_EQ(Entries(m_folder.path()), entriesBefore);
    }
}

IoFault Fault(IoCall call, int error) {
    return IoFault{call, error, 0, false};
}

const SaveFaultCase kSaveFaults[] = {
    {"folder_missing", Target::MissingFolder, false, {}, ENOENT},
    {"target_is_a_folder", Target::Folder, false, {}, EISDIR},
    {"name_too_long", Target::LongName, false, {}, ENAMETOOLONG},
    {"nul_in_name", Target::NulInName, false, {}, 0},
    {"read_only_disk", Target::OldFile, true, Fault(IoCall::MakeTemp, EROFS), EROFS},
    {"disk_full_at_once", Target::OldFile, true, Fault(IoCall::Write, ENOSPC), ENOSPC},
    {"disk_full_part_way", Target::OldFile, true, IoFault{IoCall::Write, ENOSPC, 17, false}, ENOSPC},
    {"write_makes_no_progress", Target::OldFile, true, IoFault{IoCall::Write, 0, 5, true}, ENOSPC},
    {"quota_exceeded", Target::OldFile, true, Fault(IoCall::Write, EDQUOT), EDQUOT},
    {"stick_pulled_during_write", Target::OldFile, true, Fault(IoCall::Write, EIO), EIO},
    {"mode_not_settable", Target::OldFile, true, Fault(IoCall::Fchmod, EPERM), EPERM},
    {"flush_to_disk_fails", Target::OldFile, true, Fault(IoCall::Fsync, EIO), EIO},
    {"close_reports_late_error", Target::OldFile, true, Fault(IoCall::Close, EDQUOT), EDQUOT},
    {"rename_refused", Target::OldFile, true, Fault(IoCall::Rename, EACCES), EACCES},
    {"rename_across_devices", Target::OldFile, true, Fault(IoCall::Rename, EXDEV), EXDEV},
    {"target_busy", Target::OldFile, true, Fault(IoCall::Rename, EBUSY), EBUSY},
};

INSTANTIATE_TEST_SUITE_P(EveryFailure, SaveFault, ::testing::ValuesIn(kSaveFaults),
                         [](const ::testing::TestParamInfo<SaveFaultCase>& info) { return info.param.name; });

// A folder that refuses new files while the old file may be written: the file is written in place.
TEST_F(SaveFault, a_folder_that_refuses_new_files_saves_the_existing_file_in_place) {
    WriteOldFile(Path(QStringLiteral("old.csv")));
    ArmIoFault(Fault(IoCall::MakeTemp, EACCES));
    const std::vector<SeenMessage> seen = SaveAs(Path(QStringLiteral("old")));
    DisarmIoFault();
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
    EXPECT_TRUE(Bytes(Path(QStringLiteral("old.csv"))).startsWith("\x83\x52"));
    EXPECT_EQ(Entries(m_folder.path()), QStringList{QStringLiteral("old.csv")});
}

// The control case: without a fault the interposed calls are the ones the dialog's save goes through, the
// file is replaced whole and the dialog is hidden after the confirmation.
TEST_F(SaveFault, save_without_fault_goes_through_the_interposed_calls) {
    WriteOldFile(Path(QStringLiteral("old.csv")));
    const std::vector<SeenMessage> seen = SaveAs(Path(QStringLiteral("old")));
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].text.section(QLatin1Char('\n'), 0, 0).toStdString(), Message(Reason::Saved));
    EXPECT_EQ(TakeIoFaultCounts().temporaryFilesCreated, 1);
    EXPECT_FALSE(m_dialog->isVisible());
    const QByteArray bytes = Bytes(Path(QStringLiteral("old.csv")));
    EXPECT_TRUE(bytes.startsWith("\x83\x52")) << "the comment comes first, in code page 932 (コ is 83 52)";
    EXPECT_EQ(bytes.count("\r\n"), 4) << "comment and three data lines";
    EXPECT_EQ(Entries(m_folder.path()), QStringList{QStringLiteral("old.csv")});
}

}  // namespace
}  // namespace tessaroven::robustness
