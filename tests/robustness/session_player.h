// Random user sessions against the real program: the application object with its four windows, driven
// offscreen by random typing, Enter and Tab, clicks on enabled buttons and close boxes, with the program's
// invariants checked after every step. A session is fully determined by its seed.
#pragma once

#include <QDir>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <random>

#include "message_boxes.h"

class QLineEdit;
class QWidget;

namespace tessaroven {
class Application;
class SaveDialog;
class GraphWindow;
}  // namespace tessaroven

namespace tessaroven::robustness {

struct SessionFigures {
    long sessions = 0;
    long steps = 0;
    long messageBoxes = 0;
    long programRestarts = 0;     // the program was ended deliberately and started afresh
    long conversions = 0;         // conversions that filled the result list
    long filesSaved = 0;          // saves confirmed by the program
    long windowsClosedByBox = 0;  // close boxes used
};

class SessionPlayer {
public:
    // Files are written in folder (the tests make it the working folder, where the default file name lands).
    explicit SessionPlayer(const QString& folder);
    ~SessionPlayer();

    // Plays one session from a fresh program. Returns an empty text when every invariant held after every
    // step, otherwise what broke; Steps() then lists what was done, for replay.
    QString Play(std::uint64_t seed, int steps);
    const QStringList& Steps() const { return m_steps; }
    const SessionFigures& Figures() const { return m_figures; }

    // For checking the checker: a fresh program to plant faults in, and the invariants as after a step
    // (afterSave: also the files of the folder).
    Application& StartFreshProgram();
    QString CheckNow(bool afterSave);

private:
    void StartProgram();
    void EndProgram();
    QList<QWidget*> VisibleWindows() const;
    void Step();
    void OnWindow(QWidget* window);
    // A click on target (or Enter on it, as the keyboard user presses a focused button).
    void Press(QWidget* target, bool withMouse);
    void TypeInto(QLineEdit* box, const QString& text);
    // careful: a value an operator would type (in the main window), otherwise anything at all.
    QString RandomText(const QLineEdit* box, bool careful);
    QString RandomNumberText();
    QString CheckInvariants();
    QString CheckFiles();
    int Below(int n);
    bool Chance(double p);
    void Log(const QString& what);

    QDir m_folder;
    std::mt19937_64 m_random;
    std::unique_ptr<Application> m_app;
    bool m_ended = false;
    bool m_savePressed = false;
    MessageBoxAnswerer m_answerer;
    QStringList m_steps;
    SessionFigures m_figures;
};

}  // namespace tessaroven::robustness
