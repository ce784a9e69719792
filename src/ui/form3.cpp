// Form3's layout table and construction.
#include "ui/form3.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/layout.h"

namespace tessaroven {

namespace {

// clang-format off
const ControlRow kForm3Controls[] = {
    {.name = "Command2", .kind = ControlKind::Button, .caption = "Cancel", .left = 3600, .top = 3480, .width = 1335, .height = 495, .tabIndex = 6},
    {.name = "Command1", .kind = ControlKind::Button, .caption = "OK", .left = 1800, .top = 3480, .width = 1335, .height = 495, .tabIndex = 5},
    {.name = "Text2", .kind = ControlKind::TextBox, .left = 360, .top = 2760, .width = 5895, .height = 495, .tabIndex = 4},
    {.name = "Text1", .kind = ControlKind::TextBox, .left = 360, .top = 1560, .width = 5895, .height = 495, .tabIndex = 2},
    {.name = "Label4", .kind = ControlKind::Label, .caption = "（エクセル csv 形式で保存）", .left = 1920, .top = 600, .width = 3165, .height = 360, .transparent = true, .tabIndex = 7},
    {.name = "Label3", .kind = ControlKind::Label, .caption = "保存ファイル名（拡張子なしで入力）", .left = 360, .top = 2400, .width = 4080, .height = 360, .transparent = true, .tabIndex = 3},
    {.name = "Label2", .kind = ControlKind::Label, .caption = "コメントを入力", .left = 360, .top = 1200, .width = 1680, .height = 360, .transparent = true, .tabIndex = 1},
    {.name = "Label1", .kind = ControlKind::Label, .caption = "計算された線量プロファイルを保存します", .left = 480, .top = 240, .width = 5415, .height = 420, .font = {FontFace::Meiryo, 14.25}, .transparent = true, .tabIndex = 0},
};
// clang-format on

}  // namespace

Form3::Form3(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetUpFixedDialog(this, {.caption = "計算結果保存",
                            .clientWidth = 6675,
                            .clientHeight = 4230,
                            .font = {FontFace::Meiryo, 12},
                            .centred = false});
    BuildControls(this, kForm3Controls);
    Command1 = ControlNamed<QPushButton>(this, "Command1");
    Command2 = ControlNamed<QPushButton>(this, "Command2");
    Text1 = ControlNamed<QLineEdit>(this, "Text1");
    Text2 = ControlNamed<QLineEdit>(this, "Text2");
    Label1 = ControlNamed<QLabel>(this, "Label1");
    Label2 = ControlNamed<QLabel>(this, "Label2");
    Label3 = ControlNamed<QLabel>(this, "Label3");
    Label4 = ControlNamed<QLabel>(this, "Label4");
}

}  // namespace tessaroven
