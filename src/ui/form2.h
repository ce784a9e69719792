// Form2, the start screen: the controls of its layout table, one member per control.
// The three figures (Picture1, Picture2, Picture5) and the two icons (Picture3, Picture4) are plain picture
// areas here; their drawings are added to them by the artwork code.
#pragma once

#include <QWidget>

class QCloseEvent;
class QFrame;
class QLabel;
class QPushButton;

namespace tessaroven {

class ShapeWidget;

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    QPushButton* Command1;  // "OK": new measurement
    QPushButton* Command2;  // "Exit": ends the program
    QFrame* Picture1;       // figure: gantry rotating (Label15, Label16 inside)
    QFrame* Picture2;       // figure: gantry fixed (Label17, Label18 inside)
    QFrame* Picture3;       // icon: arrow
    QFrame* Picture4;       // icon: beside the credit line
    QFrame* Picture5;       // figure: sample result graph
    QLabel* Label1;         // title, yellow shadow copy
    QLabel* Label2;         // title, red copy
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;  // credit line
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label17;
    QLabel* Label18;
    ShapeWidget* Shape1;
    ShapeWidget* Shape2;
    ShapeWidget* Shape3;
    ShapeWidget* Shape4;

signals:
    // The close box was used: the program ends, as with Exit.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace tessaroven
