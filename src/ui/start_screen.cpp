// StartScreen's layout table and construction.
#include "ui/start_screen.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>

#include "ui/artwork.h"
#include "ui/layout.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

// Rows from the topmost to the bottommost control; twips. Labels with a parent lie inside that picture.
// clang-format off
const ControlRow kStartScreenControls[] = {
    {.name = "sampleGraphPicture", .kind = ControlKind::Picture, .left = 10560, .top = 2760, .width = 3735, .height = 4815, .systemBackground = SystemBackground::Window, .tabIndex = 24, .border = PictureBorder::FlatSingle},
    {.name = "creditIcon", .kind = ControlKind::Picture, .left = 13440, .top = 9960, .width = 480, .height = 480, .systemBackground = SystemBackground::Window, .tabIndex = 19},
    {.name = "arrowIcon", .kind = ControlKind::Picture, .left = 5160, .top = 4920, .width = 480, .height = 480, .systemBackground = SystemBackground::ButtonFace, .tabIndex = 11},
    {.name = "exitButton", .kind = ControlKind::Button, .caption = "Exit", .left = 7680, .top = 9840, .width = 1335, .height = 615, .font = {FontFace::TimesNewRoman, 15.75}, .tabIndex = 8},
    {.name = "startButton", .kind = ControlKind::Button, .caption = "OK", .left = 5520, .top = 9840, .width = 1335, .height = 615, .font = {FontFace::TimesNewRoman, 15.75}, .tabIndex = 7},
    {.name = "fixedGantryPicture", .kind = ControlKind::Picture, .left = 5760, .top = 2760, .width = 4695, .height = 4815, .systemBackground = SystemBackground::Window, .tabIndex = 6, .border = PictureBorder::FlatSingle},
    {.name = "fixedWordLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "固定"), .left = 3840, .top = 4440, .width = 450, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 23, .parent = "fixedGantryPicture"},
    {.name = "fixedGantryWordLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "ガントリー"), .left = 3120, .top = 4080, .width = 1125, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 22, .parent = "fixedGantryPicture"},
    {.name = "rotatingGantryPicture", .kind = ControlKind::Picture, .left = 240, .top = 2760, .width = 4815, .height = 4815, .systemBackground = SystemBackground::Window, .tabIndex = 5, .border = PictureBorder::FlatSingle},
    {.name = "rotatingWordLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "回転"), .left = 3840, .top = 4440, .width = 450, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 21, .parent = "rotatingGantryPicture"},
    {.name = "rotatingGantryWordLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "ガントリー"), .left = 3240, .top = 4080, .width = 1125, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 20, .parent = "rotatingGantryPicture"},
    {.name = "detectorDot", .kind = ControlKind::CircleShape, .left = 480, .top = 9360, .width = 135, .height = 135, .backColor = 0xFF0000},
    {.name = "conditionsDot", .kind = ControlKind::CircleShape, .left = 480, .top = 9000, .width = 135, .height = 135, .backColor = 0xFF0000},
    {.name = "spacingDot", .kind = ControlKind::CircleShape, .left = 480, .top = 8640, .width = 135, .height = 135, .backColor = 0xFF0000},
    {.name = "placementDot", .kind = ControlKind::CircleShape, .left = 480, .top = 8280, .width = 135, .height = 135, .backColor = 0xFF0000},
    {.name = "followUpSecondLineLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "ボウタイフィルタを透過した各点のＸ線スペクトルの計算に使用できます。"), .left = 3840, .top = 2160, .width = 9690, .height = 420, .transparent = true, .tabIndex = 18},
    {.name = "followUpFirstLineLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "本ソフトで得られたプロファイルデータは、別ソフト \"Morravelden\" にて"), .left = 3840, .top = 1800, .width = 9690, .height = 420, .transparent = true, .tabIndex = 17},
    {.name = "detectorRequirementLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "線量計検出器は、方向依存性の小さいものを使用する。"), .left = 720, .top = 9240, .width = 7125, .height = 420, .transparent = true, .tabIndex = 16},
    {.name = "conditionsRequirementLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "各点すべて同一照射条件（線束サイズ、管電圧、管電流、回転数など）で積算線量を測定する。"), .left = 720, .top = 8880, .width = 12255, .height = 420, .transparent = true, .tabIndex = 15},
    {.name = "spacingRequirementLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "測定点は、回転中心を含め 1cm 間隔(最大25ポイント)とする。"), .left = 720, .top = 8520, .width = 8220, .height = 420, .transparent = true, .tabIndex = 14},
    {.name = "placementRequirementLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "上左図に示すように、水平線上の各点に線量計を置き、CTガントリーを回転させて積算線量を測定する。"), .left = 720, .top = 8160, .width = 13485, .height = 420, .transparent = true, .tabIndex = 13},
    {.name = "requirementsHeadingLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "本ソフトに必要なデータの取得"), .left = 720, .top = 7680, .width = 3990, .height = 420, .transparent = true, .tabIndex = 12},
    {.name = "introNoteLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "プロファイルを測定できる装置では、本ソフトは不要です。"), .left = 3840, .top = 1320, .width = 7695, .height = 420, .transparent = true, .tabIndex = 10},
    {.name = "creditLabel", .kind = ControlKind::Label, .caption = "Tessaroven 1.0  2026", .left = 10920, .top = 10200, .width = 2340, .height = 255, .font = {FontFace::TimesNewRoman, 11.25}, .textColor = 0x808080, .transparent = true, .tabIndex = 9},
    {.name = "introThirdLineLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "計算により求めるソフトウェアです。　したがってガントリーを固定して線量"), .left = 3840, .top = 960, .width = 9975, .height = 420, .transparent = true, .tabIndex = 4},
    {.name = "introSecondLineLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "照射線量（または空気カーマ）より、Ｘ線束のファン方向の線量プロファイルを"), .left = 3840, .top = 600, .width = 10260, .height = 420, .transparent = true, .tabIndex = 3},
    {.name = "introFirstLineLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "\"Tessaroven\" は、Ｘ線ＣＴ装置でガントリーを回転させたまま測定した"), .left = 3840, .top = 240, .width = 9105, .height = 420, .transparent = true, .tabIndex = 2},
    {.name = "titleLabel", .kind = ControlKind::Label, .caption = "Tessaroven", .left = 330, .top = 585, .width = 3090, .height = 825, .font = {FontFace::TimesNewRoman, 36, true}, .textColor = 0xFF0000, .transparent = true, .tabIndex = 1},
    {.name = "titleShadowLabel", .kind = ControlKind::Label, .caption = "Tessaroven", .left = 360, .top = 600, .width = 3090, .height = 825, .font = {FontFace::TimesNewRoman, 36, true}, .textColor = 0xFFFF00, .transparent = true, .tabIndex = 0},
};
// clang-format on

}  // namespace

StartScreen::StartScreen(QWidget* parent) : QWidget(parent) {
    SetUpFixedDialog(this, {.caption = kApplicationTitle,
                            .clientWidth = 14595,
                            .clientHeight = 10710,
                            .font = {FontFace::Meiryo, 14.25},
                            .centred = true});
    BuildControls(this, kStartScreenControls, CreateStartScreenPicture);
    startButton = ControlNamed<QPushButton>(this, "startButton");
    exitButton = ControlNamed<QPushButton>(this, "exitButton");
    rotatingGantryPicture = ControlNamed<QFrame>(this, "rotatingGantryPicture");
    fixedGantryPicture = ControlNamed<QFrame>(this, "fixedGantryPicture");
    sampleGraphPicture = ControlNamed<QFrame>(this, "sampleGraphPicture");
}

void StartScreen::closeEvent(QCloseEvent* event) {
    // The application closes it when the program ends, which it may not after the unsaved-readings question.
    event->ignore();
    emit closeRequested();
}

}  // namespace tessaroven
