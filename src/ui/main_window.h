// MainWindow, the main window: the controls of its layout table that a handler or a test touches, one member
// each; the static labels and frames are rows of the table only, found by their object names.
//
// Data flow: the operator types into the entry fields (distanceEdit, pointCountEdit, pointNumberEdit,
// offCentreEdit, readingEdit); the entry handlers (entry/main_window_handlers.h) parse them with the core's
// leading-number parse and write the one MeasurementRecord (reading, readingLines, lastPosition, correcting);
// readingList shows readingLines. convertButton runs the core's staged Conversion on the record (grid,
// reading -> profile, relativePercent, resultLines) and resultList shows resultLines. saveButton and
// graphButton hand the record on to the save dialog (CSV file) and the graph window.
// This class only holds the controls; it computes nothing.
#pragma once

#include <QWidget>

class QCloseEvent;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tessaroven {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QLineEdit* distanceEdit;          // focus to rotation-centre distance, cm
    QLineEdit* pointCountEdit;        // number of points
    QPushButton* setupButton;         // "OK": confirms distance and number of points
    QLineEdit* pointNumberEdit;       // point number
    QLineEdit* offCentreEdit;         // off-centre distance, cm
    QLineEdit* readingEdit;           // measured value
    QPushButton* storeReadingButton;  // "OK  Next"
    QListWidget* readingList;         // entered readings
    QPushButton* correctButton;       // "データ修正"
    QPushButton* finishEntryButton;   // "修正なし"
    QPushButton* convertButton;       // "変換計算"
    QListWidget* resultList;          // converted profile
    QPushButton* exitButton;          // "Exit"
    QPushButton* saveButton;          // "計算結果保存"
    QPushButton* graphButton;         // "計算結果グラフ表示"

signals:
    // The close box was used; the window stays open until the application decides (it acts like Exit).
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace tessaroven
