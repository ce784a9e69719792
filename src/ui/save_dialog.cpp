// SaveDialog's layout table and construction.
#include "ui/save_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/layout.h"

namespace tessaroven {

namespace {

// clang-format off
const ControlRow kSaveDialogControls[] = {
    {.name = "cancelButton", .kind = ControlKind::Button, .caption = "Cancel", .left = 3600, .top = 3480, .width = 1335, .height = 495, .tabIndex = 6},
    {.name = "okButton", .kind = ControlKind::Button, .caption = "OK", .left = 1800, .top = 3480, .width = 1335, .height = 495, .tabIndex = 5},
    {.name = "fileNameEdit", .kind = ControlKind::TextBox, .left = 360, .top = 2760, .width = 5895, .height = 495, .tabIndex = 4},
    {.name = "commentEdit", .kind = ControlKind::TextBox, .left = 360, .top = 1560, .width = 5895, .height = 495, .tabIndex = 2},
    {.name = "formatNoteLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "（エクセル csv 形式で保存）"), .left = 1920, .top = 600, .width = 3165, .height = 360, .transparent = true, .tabIndex = 7},
    {.name = "fileNameLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "保存ファイル名（拡張子なしで入力）"), .left = 360, .top = 2400, .width = 4080, .height = 360, .transparent = true, .tabIndex = 3},
    {.name = "commentLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "コメントを入力"), .left = 360, .top = 1200, .width = 1680, .height = 360, .transparent = true, .tabIndex = 1},
    {.name = "headingLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "計算された線量プロファイルを保存します"), .left = 480, .top = 240, .width = 5415, .height = 420, .font = {FontFace::Meiryo, 14.25}, .transparent = true, .tabIndex = 0},
};
// clang-format on

}  // namespace

SaveDialog::SaveDialog(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetUpFixedDialog(this, {.caption = QT_TRANSLATE_NOOP("Tessaroven", "計算結果保存"),
                            .clientWidth = 6675,
                            .clientHeight = 4230,
                            .font = {FontFace::Meiryo, 12},
                            .centred = false});
    BuildControls(this, kSaveDialogControls);
    okButton = ControlNamed<QPushButton>(this, "okButton");
    cancelButton = ControlNamed<QPushButton>(this, "cancelButton");
    commentEdit = ControlNamed<QLineEdit>(this, "commentEdit");
    fileNameEdit = ControlNamed<QLineEdit>(this, "fileNameEdit");
}

}  // namespace tessaroven
