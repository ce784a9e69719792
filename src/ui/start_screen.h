// StartScreen, the start screen: the controls of its layout table that a handler or a test touches, one
// member each; labels, dots and icons are rows of the table only, found by their object names.
// The three figures and the two icons are plain picture areas here; their drawings are added to them by the
// artwork code.
#pragma once

#include <QWidget>

class QCloseEvent;
class QFrame;
class QPushButton;

namespace tessaroven {

class StartScreen : public QWidget {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* parent = nullptr);

    QPushButton* startButton;       // "OK": new measurement
    QPushButton* exitButton;        // "Exit": ends the program
    QFrame* rotatingGantryPicture;  // figure: gantry rotating, with its two caption labels inside
    QFrame* fixedGantryPicture;     // figure: gantry fixed, with its two caption labels inside
    QFrame* sampleGraphPicture;     // figure: sample result graph

signals:
    // The close box was used: the program ends, as with Exit.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace tessaroven
