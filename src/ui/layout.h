// Window layouts as data: a table of control rows (geometry in twips, font, colours, tab order) turned into
// Qt widgets by one helper, plus the fonts with their substitutes, the light-yellow buttons and the
// fixed-dialog window setup shared by all four windows.
//
// Usage:
//   static const ControlRow kTable[] = {
//       {.name = "okButton", .kind = ControlKind::Button, .caption = "OK", .left = 1800, .top = 3480,
//        .width = 1335, .height = 495, .tabIndex = 5},
//       {.name = "headingLabel", .kind = ControlKind::Label, .caption = "...", ..., .transparent = true},
//   };
//   SetUpFixedDialog(this, {.caption = "...", .clientWidth = 6675, .clientHeight = 4230,
//                           .font = {FontFace::Meiryo, 12}, .centred = false});
//   BuildControls(this, kTable);
//   okButton = ControlNamed<QPushButton>(this, "okButton");
//
// Widget kinds: Label -> QLabel, TextBox -> QLineEdit, ListBox -> QListWidget, Button -> QPushButton,
// Picture -> QFrame (or the widget a factory returns), RectangleShape / CircleShape -> ShapeWidget.
#pragma once

#include <QColor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QWidget>

#include <functional>
#include <optional>
#include <span>

#include "plot/fonts.h"

namespace tessaroven {

// Every button of every window has this background.
inline constexpr QRgb kButtonBackground = 0xFFFFC0;

enum class ControlKind { Label, TextBox, ListBox, Button, Picture, RectangleShape, CircleShape };

enum class PictureBorder {
    None,        // borderless
    FlatSingle,  // thin flat line
    Sunken3D,    // 2-pixel sunken border
};

// Background of a picture area when the table names a system colour instead of #RRGGBB.
enum class SystemBackground {
    Default,     // a picture area's usual background: the text-box white, as Window
    Window,      // system window background (white text-box background)
    ButtonFace,  // system button face (the windows' own background)
};

struct ControlRow {
    const char* name = "";  // objectName and member name
    ControlKind kind = ControlKind::Label;
    const char* caption = "";  // UTF-8; caption or initial text
    int left = 0;              // twips, from the top-left of the container's client area
    int top = 0;
    int width = 0;
    int height = 0;
    FontChoice font{};                // FontFace::Window: the container's font
    std::optional<QRgb> textColor{};  // none: system colour
    std::optional<QRgb> backColor{};  // none: system colour (buttons: kButtonBackground anyway)
    SystemBackground systemBackground = SystemBackground::Default;
    bool transparent = false;      // labels: no background of their own
    int tabIndex = -1;             // place in the focus order (labels and shapes never take the focus)
    const char* parent = nullptr;  // name of the picture area that contains the control, or null
    PictureBorder border = PictureBorder::None;  // picture areas
    bool centred = false;                        // text boxes: centred text
};

// Creates a picture area's widget instead of the default QFrame (for a drawing surface); return nullptr to
// get the default. The builder still applies geometry, border, colours and focus to it.
using PictureFactory = std::function<QFrame*(const ControlRow& row, QWidget* parent)>;

// Creates every control of the table inside window: geometry, font, colours, transparency, stacking (among
// the labels and shapes of one container the row further up lies above; all other controls lie above the
// labels and shapes) and the tab order of the focus-taking controls (text boxes, lists, buttons, pictures).
// Buttons get the light-yellow background and autoDefault (Enter or Space on a focused button presses it).
void BuildControls(QWidget* window, std::span<const ControlRow> table, const PictureFactory& pictures = {});

// The control named name inside window (searched recursively); aborts on a table/member mismatch, which is a
// programming error caught by the layout tests.
QWidget* FindControl(QWidget* window, const char* name);
template <class T>
T* ControlNamed(QWidget* window, const char* name) {
    T* control = qobject_cast<T*>(FindControl(window, name));
    if (control == nullptr) {
        qFatal("control %s has an unexpected kind", name);
    }
    return control;
}

struct WindowRow {
    const char* caption = "";  // UTF-8
    int clientWidth = 0;       // twips
    int clientHeight = 0;
    FontChoice font{};    // window font, inherited by controls with FontFace::Window
    bool centred = true;  // centred on the screen; otherwise the system's default position
};

// Fixed-dialog window: fixed client size, title bar with caption and close box, no minimise or maximise
// button, button-face background, the window font; centred on the primary screen when asked.
void SetUpFixedDialog(QWidget* window, const WindowRow& row);

// Gives window the fixed size client, centred on the primary screen when asked.
void SetFixedClientSize(QWidget* window, QSize client, bool centred);

// A window text (UTF-8, Japanese) in the display language: its translation when one is installed, else the
// text itself. Texts are marked for the translation file with QT_TRANSLATE_NOOP("Tessaroven", "...") where
// they are written down (the tables, the menus, the dialogs' captions).
QString UiText(const char* text);

// The OK and Cancel buttons of a dialog (objects "okButton" and "cancelButton", OK the default), wired to its
// accept() and reject().
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

// Shows window, or brings it to the front and gives it the focus when it is already open (restoring it when
// it was minimised).
void ShowInFront(QWidget* window);

// A shape control: a 1-pixel rectangle outline without fill, or a solid filled circle, in the row's colour
// (black outline when none is given). It takes neither the focus nor mouse clicks.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    ShapeWidget(ControlKind kind, QColor color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ControlKind m_kind;
    QColor m_color;
};

}  // namespace tessaroven
