// Form1's layout table and construction.
#include "ui/form1.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/layout.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

// Rows from the topmost to the bottommost control; twips. The five entry boxes centre their text.
// clang-format off
const ControlRow kForm1Controls[] = {
    {.name = "Command8", .kind = ControlKind::Button, .caption = "計算結果グラフ表示", .left = 9600, .top = 7440, .width = 2775, .height = 615, .tabIndex = 29},
    {.name = "Command7", .kind = ControlKind::Button, .caption = "計算結果保存", .left = 6480, .top = 7440, .width = 2775, .height = 615, .tabIndex = 28},
    {.name = "Command6", .kind = ControlKind::Button, .caption = "修正なし", .left = 3240, .top = 6120, .width = 1815, .height = 495, .tabIndex = 26},
    {.name = "Command1", .kind = ControlKind::Button, .caption = "データ修正", .left = 840, .top = 6120, .width = 1815, .height = 495, .tabIndex = 25},
    {.name = "Text2", .kind = ControlKind::TextBox, .left = 600, .top = 4680, .width = 1095, .height = 495, .font = {FontFace::Meiryo, 14.25}, .backColor = 0xC0FFFF, .tabIndex = 19, .centred = true},
    {.name = "List2", .kind = ControlKind::ListBox, .left = 9600, .top = 600, .width = 2775, .height = 6540, .font = {FontFace::MsGothic, 12}, .tabIndex = 16},
    {.name = "Command5", .kind = ControlKind::Button, .caption = "変換計算", .left = 2520, .top = 7440, .width = 2535, .height = 615, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 14},
    {.name = "List1", .kind = ControlKind::ListBox, .left = 6480, .top = 600, .width = 2775, .height = 6540, .font = {FontFace::MsGothic, 12}, .tabIndex = 13},
    {.name = "Command4", .kind = ControlKind::Button, .caption = "OK  Next", .left = 2160, .top = 5400, .width = 1695, .height = 495, .tabIndex = 12},
    {.name = "Text31", .kind = ControlKind::TextBox, .left = 3960, .top = 4680, .width = 1695, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 10, .centred = true},
    {.name = "Text30", .kind = ControlKind::TextBox, .left = 2160, .top = 4680, .width = 1095, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 8, .centred = true},
    {.name = "Command2", .kind = ControlKind::Button, .caption = "OK", .left = 2160, .top = 3120, .width = 1695, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 7},
    {.name = "Text29", .kind = ControlKind::TextBox, .left = 4680, .top = 2280, .width = 975, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 5, .centred = true},
    {.name = "Command3", .kind = ControlKind::Button, .caption = "Exit", .left = 240, .top = 7440, .width = 975, .height = 615, .tabIndex = 3},
    {.name = "Text1", .kind = ControlKind::TextBox, .caption = "60", .left = 3600, .top = 1680, .width = 975, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 1, .centred = true},
    {.name = "Label15", .kind = ControlKind::Label, .caption = "③", .left = 2160, .top = 7440, .width = 315, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .tabIndex = 33},
    {.name = "Label14", .kind = ControlKind::Label, .caption = "②", .left = 120, .top = 4200, .width = 315, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .tabIndex = 32},
    {.name = "Label13", .kind = ControlKind::Label, .caption = "①", .left = 120, .top = 1320, .width = 315, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .tabIndex = 31},
    {.name = "Label12", .kind = ControlKind::Label, .caption = "%", .left = 11760, .top = 240, .width = 225, .height = 345, .font = {FontFace::Meiryo, 11.25}, .tabIndex = 30},
    {.name = "Shape2", .kind = ControlKind::RectangleShape, .left = 240, .top = 4200, .width = 5775, .height = 2775},
    {.name = "Shape1", .kind = ControlKind::RectangleShape, .left = 240, .top = 1440, .width = 5775, .height = 2415},
    {.name = "Label10", .kind = ControlKind::Label, .caption = "Tessaroven", .left = 9720, .top = 240, .width = 1725, .height = 345, .font = {FontFace::Meiryo, 11.25}, .tabIndex = 27},
    {.name = "Label9", .kind = ControlKind::Label, .caption = "(No.)", .left = 6480, .top = 120, .width = 585, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 24},
    {.name = "Label8", .kind = ControlKind::Label, .caption = "off", .left = 7320, .top = 0, .width = 285, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 23},
    {.name = "Label7", .kind = ControlKind::Label, .caption = "center", .left = 7320, .top = 240, .width = 705, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 22},
    {.name = "Label6", .kind = ControlKind::Label, .caption = "測定値", .left = 8160, .top = 120, .width = 675, .height = 345, .font = {FontFace::Meiryo, 11.25}, .tabIndex = 21},
    {.name = "Label5", .kind = ControlKind::Label, .caption = "測定点 No.", .left = 600, .top = 4320, .width = 1215, .height = 360, .tabIndex = 20},
    {.name = "Label4", .kind = ControlKind::Label, .caption = "（ガントリー回転時の測定値から推定）", .left = 240, .top = 720, .width = 5670, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .transparent = true, .tabIndex = 18},
    {.name = "Label3", .kind = ControlKind::Label, .caption = "Ｘ線CTの横方向の線量プロファイル", .left = 360, .top = 240, .width = 5130, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .transparent = true, .tabIndex = 17},
    {.name = "Label30", .kind = ControlKind::Label, .caption = "cm", .left = 3360, .top = 4680, .width = 420, .height = 420, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 15},
    {.name = "Label34", .kind = ControlKind::Label, .caption = "測定値", .left = 4320, .top = 4320, .width = 720, .height = 360, .tabIndex = 11},
    {.name = "Label33", .kind = ControlKind::Label, .caption = "off center", .left = 2280, .top = 4320, .width = 1110, .height = 360, .transparent = true, .tabIndex = 9},
    {.name = "Label32", .kind = ControlKind::Label, .caption = "(最大25, 回転中心を含む)", .left = 960, .top = 2640, .width = 2835, .height = 360, .transparent = true, .tabIndex = 6},
    {.name = "Label31", .kind = ControlKind::Label, .caption = "測定ポイント数（1 cm 間隔）=", .left = 480, .top = 2280, .width = 4140, .height = 420, .font = {FontFace::Meiryo, 14.25}, .transparent = true, .tabIndex = 4},
    {.name = "Label2", .kind = ControlKind::Label, .caption = "cm", .left = 4680, .top = 1680, .width = 420, .height = 420, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 2},
    {.name = "Label1", .kind = ControlKind::Label, .caption = "焦点-回転中心間距離 =", .left = 480, .top = 1680, .width = 3000, .height = 420, .font = {FontFace::Meiryo, 14.25}, .transparent = true, .tabIndex = 0},
};
// clang-format on

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    SetUpFixedDialog(this, {.caption = kApplicationTitle,
                            .clientWidth = 12750,
                            .clientHeight = 8355,
                            .font = {FontFace::Meiryo, 12},
                            .centred = true});
    BuildControls(this, kForm1Controls);
    Command1 = ControlNamed<QPushButton>(this, "Command1");
    Command2 = ControlNamed<QPushButton>(this, "Command2");
    Command3 = ControlNamed<QPushButton>(this, "Command3");
    Command4 = ControlNamed<QPushButton>(this, "Command4");
    Command5 = ControlNamed<QPushButton>(this, "Command5");
    Command6 = ControlNamed<QPushButton>(this, "Command6");
    Command7 = ControlNamed<QPushButton>(this, "Command7");
    Command8 = ControlNamed<QPushButton>(this, "Command8");
    Text1 = ControlNamed<QLineEdit>(this, "Text1");
    Text29 = ControlNamed<QLineEdit>(this, "Text29");
    Text2 = ControlNamed<QLineEdit>(this, "Text2");
    Text30 = ControlNamed<QLineEdit>(this, "Text30");
    Text31 = ControlNamed<QLineEdit>(this, "Text31");
    List1 = ControlNamed<QListWidget>(this, "List1");
    List2 = ControlNamed<QListWidget>(this, "List2");
    Label1 = ControlNamed<QLabel>(this, "Label1");
    Label2 = ControlNamed<QLabel>(this, "Label2");
    Label3 = ControlNamed<QLabel>(this, "Label3");
    Label4 = ControlNamed<QLabel>(this, "Label4");
    Label5 = ControlNamed<QLabel>(this, "Label5");
    Label6 = ControlNamed<QLabel>(this, "Label6");
    Label7 = ControlNamed<QLabel>(this, "Label7");
    Label8 = ControlNamed<QLabel>(this, "Label8");
    Label9 = ControlNamed<QLabel>(this, "Label9");
    Label10 = ControlNamed<QLabel>(this, "Label10");
    Label12 = ControlNamed<QLabel>(this, "Label12");
    Label13 = ControlNamed<QLabel>(this, "Label13");
    Label14 = ControlNamed<QLabel>(this, "Label14");
    Label15 = ControlNamed<QLabel>(this, "Label15");
    Label30 = ControlNamed<QLabel>(this, "Label30");
    Label31 = ControlNamed<QLabel>(this, "Label31");
    Label32 = ControlNamed<QLabel>(this, "Label32");
    Label33 = ControlNamed<QLabel>(this, "Label33");
    Label34 = ControlNamed<QLabel>(this, "Label34");
    Shape1 = ControlNamed<ShapeWidget>(this, "Shape1");
    Shape2 = ControlNamed<ShapeWidget>(this, "Shape2");
}

void Form1::closeEvent(QCloseEvent* event) {
    // Never destroyed nor left closed behind a hidden start screen: the application treats this like Exit.
    event->ignore();
    emit closeRequested();
}

}  // namespace tessaroven
