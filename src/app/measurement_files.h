// The measurement as a file: new, open, save, save as, the recent files, the unsaved-changes question and the
// file name in the title and the status bar. Answers the main window's ファイル and 測定 menus.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

#include "measurement/measurement_record.h"

namespace tessaroven {

class MainWindow;
class MainWindowHandlers;

inline constexpr const char* kMeasurementFileSuffix = ".tessaroven.json";
inline constexpr int kRecentFileCount = 8;

// Qt's own file dialog (the same on every desktop, and it never blocks on a missing portal): title, folder to
// start in, the dialog's filter, whether for saving. Empty when the user cancels.
QString ChooseFileWithDialog(QWidget* owner, const QString& title, const QString& folder,
                             const QString& filter, bool forSaving);

class MeasurementFiles : public QObject {
    Q_OBJECT
public:
    // Asks for a file name: title, folder to start in, the dialog's filter, whether for saving. Empty when
    // the user cancels.
    using FileChooser = std::function<QString(const QString& title, const QString& folder,
                                              const QString& filter, bool forSaving)>;

    // window, handlers and record must outlive this object.
    MeasurementFiles(MainWindow& window, MainWindowHandlers& handlers, MeasurementRecord& record);

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // A new measurement was started: no file, nothing to save.
    void forgetFile();

    // The menu entries. Each returns whether it went through (false: cancelled or refused).
    bool newMeasurement();
    bool open();
    bool openFile(const QString& path);  // without the unsaved-changes question
    bool save();
    bool saveAs();
    void editConditions();
    bool exportProfileTable();  // 書き出す ▸ プロファイル表…
    bool exportResultsCsv();    // 書き出す ▸ 計算結果 CSV…: a file chooser, its folder remembered

    // Whether the measurement may be left: true when nothing changed since the last save or open, or when
    // the user saved or chose not to save; false when the user cancelled (or the save failed).
    bool confirmLeaving();

    // Something in the measurement changed that a save would keep.
    void markModified();
    // The undo history's verdict: whether the measurement differs from the one last saved, opened or begun.
    void setModified(bool modified) { m_modified = modified; }
    // Asks through the file chooser, starting in the folder of the last measurement file.
    QString chooseFile(const QString& title, const QString& filter, bool forSaving) const;

    bool modified() const { return m_modified; }
    const QString& currentFile() const { return m_currentFile; }
    QStringList recentFiles() const;

signals:
    // 新しい測定: the application starts the next measurement as from the start screen (after asking
    // about unsaved changes).
    void newMeasurementRequested();
    // 終了: the program ends (after asking about unsaved changes).
    void quitRequested();
    // The measurement was written to its file.
    void saved();
    // A new measurement or an opened file took the record's place.
    void replaced();

private:
    void setCurrentFile(const QString& path);
    void rememberRecent(const QString& path);
    void rebuildRecentMenu();
    bool writeTo(QString path);
    QString choose(bool forSaving) const;

    MainWindow& m_window;
    MainWindowHandlers& m_handlers;
    MeasurementRecord& m_record;
    FileChooser m_chooser;
    QString m_currentFile;
    bool m_modified = false;
};

}  // namespace tessaroven
