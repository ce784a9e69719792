// Form1, the main window: the controls of its layout table, one member per control.
//
// Data flow: the operator types into the entry fields (Text1, Text29, Text2, Text30, Text31); the entry
// handlers (entry/main_window_handlers.h) parse them with the core's leading-number parse and write the one
// MeasurementRecord (Reading, EntryLine, PointCount, EditMode); List1 shows EntryLine. Command5 runs the
// core's staged Conversion on the record (Grid, Reading -> profile, Result, ResultLine) and List2 shows
// ResultLine. Command7 and Command8 hand the record on to the save dialog (CSV file) and the graph window.
// This class only holds the controls; it computes nothing.
#pragma once

#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tessaroven {

class ShapeWidget;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    QPushButton* Command1;  // "データ修正"
    QPushButton* Command2;  // "OK" (setup)
    QPushButton* Command3;  // "Exit"
    QPushButton* Command4;  // "OK  Next"
    QPushButton* Command5;  // "変換計算"
    QPushButton* Command6;  // "修正なし"
    QPushButton* Command7;  // "計算結果保存"
    QPushButton* Command8;  // "計算結果グラフ表示"
    QLineEdit* Text1;       // focus to rotation-centre distance, cm
    QLineEdit* Text29;      // number of points
    QLineEdit* Text2;       // point number
    QLineEdit* Text30;      // off-centre distance, cm
    QLineEdit* Text31;      // measured value
    QListWidget* List1;     // entered readings
    QListWidget* List2;     // converted profile
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    QLabel* Label30;
    QLabel* Label31;
    QLabel* Label32;
    QLabel* Label33;
    QLabel* Label34;
    ShapeWidget* Shape1;
    ShapeWidget* Shape2;

signals:
    // The close box was used; the window stays open until the application decides (it acts like Exit).
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace tessaroven
