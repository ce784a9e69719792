// MainWindow's layout table and construction.
#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "calc/conversion.h"
#include "ui/layout.h"
#include "ui/message_box.h"
#include "ui/reading_list.h"

namespace tessaroven {

namespace {

// Rows from the topmost to the bottommost control; twips. The five entry boxes centre their text.
// clang-format off
const ControlRow kMainWindowControls[] = {
    {.name = "graphButton", .kind = ControlKind::Button, .caption = QT_TRANSLATE_NOOP("Tessaroven", "計算結果グラフ表示"), .left = 9600, .top = 7440, .width = 2775, .height = 615, .tabIndex = 29},
    {.name = "saveButton", .kind = ControlKind::Button, .caption = QT_TRANSLATE_NOOP("Tessaroven", "計算結果保存"), .left = 6480, .top = 7440, .width = 2775, .height = 615, .tabIndex = 28},
    {.name = "finishEntryButton", .kind = ControlKind::Button, .caption = QT_TRANSLATE_NOOP("Tessaroven", "修正なし"), .left = 3240, .top = 6120, .width = 1815, .height = 495, .tabIndex = 26},
    {.name = "correctButton", .kind = ControlKind::Button, .caption = QT_TRANSLATE_NOOP("Tessaroven", "データ修正"), .left = 840, .top = 6120, .width = 1815, .height = 495, .tabIndex = 25},
    {.name = "pointNumberEdit", .kind = ControlKind::TextBox, .left = 600, .top = 4680, .width = 1095, .height = 495, .font = {FontFace::Meiryo, 14.25}, .backColor = 0xC0FFFF, .tabIndex = 19, .centred = true},
    {.name = "resultList", .kind = ControlKind::ListBox, .left = 9600, .top = 600, .width = 2775, .height = 6540, .font = {FontFace::MsGothic, 12}, .tabIndex = 16},
    {.name = "convertButton", .kind = ControlKind::Button, .caption = QT_TRANSLATE_NOOP("Tessaroven", "変換計算"), .left = 2520, .top = 7440, .width = 2535, .height = 615, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 14},
    {.name = "readingList", .kind = ControlKind::ListBox, .left = 6480, .top = 600, .width = 2775, .height = 6540, .font = {FontFace::MsGothic, 12}, .tabIndex = 13},
    {.name = "storeReadingButton", .kind = ControlKind::Button, .caption = "OK  Next", .left = 2160, .top = 5400, .width = 1695, .height = 495, .tabIndex = 12},
    {.name = "readingEdit", .kind = ControlKind::TextBox, .left = 3960, .top = 4680, .width = 1695, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 10, .centred = true},
    {.name = "offCentreEdit", .kind = ControlKind::TextBox, .left = 2160, .top = 4680, .width = 1095, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 8, .centred = true},
    {.name = "setupButton", .kind = ControlKind::Button, .caption = "OK", .left = 2160, .top = 3120, .width = 1695, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 7},
    {.name = "pointCountEdit", .kind = ControlKind::TextBox, .left = 4680, .top = 2280, .width = 975, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 5, .centred = true},
    {.name = "exitButton", .kind = ControlKind::Button, .caption = "Exit", .left = 240, .top = 7440, .width = 975, .height = 615, .tabIndex = 3},
    {.name = "distanceEdit", .kind = ControlKind::TextBox, .caption = "60", .left = 3600, .top = 1680, .width = 975, .height = 495, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 1, .centred = true},
    {.name = "conversionStepLabel", .kind = ControlKind::Label, .caption = "③", .left = 2160, .top = 7440, .width = 315, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .tabIndex = 33},
    {.name = "entryStepLabel", .kind = ControlKind::Label, .caption = "②", .left = 120, .top = 4200, .width = 315, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .tabIndex = 32},
    {.name = "setupStepLabel", .kind = ControlKind::Label, .caption = "①", .left = 120, .top = 1320, .width = 315, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .tabIndex = 31},
    {.name = "percentHeaderLabel", .kind = ControlKind::Label, .caption = "%", .left = 11760, .top = 240, .width = 225, .height = 345, .font = {FontFace::Meiryo, 11.25}, .tabIndex = 30},
    {.name = "entryFrame", .kind = ControlKind::RectangleShape, .left = 240, .top = 4200, .width = 5775, .height = 2775},
    {.name = "setupFrame", .kind = ControlKind::RectangleShape, .left = 240, .top = 1440, .width = 5775, .height = 2415},
    {.name = "programNameLabel", .kind = ControlKind::Label, .caption = "Tessaroven", .left = 9720, .top = 240, .width = 1725, .height = 345, .font = {FontFace::Meiryo, 11.25}, .tabIndex = 27},
    {.name = "pointNumberHeaderLabel", .kind = ControlKind::Label, .caption = "(No.)", .left = 6480, .top = 120, .width = 585, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 24},
    {.name = "offCentreHeaderUpperLabel", .kind = ControlKind::Label, .caption = "off", .left = 7320, .top = 0, .width = 285, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 23},
    {.name = "offCentreHeaderLowerLabel", .kind = ControlKind::Label, .caption = "center", .left = 7320, .top = 240, .width = 705, .height = 345, .font = {FontFace::Meiryo, 11.25}, .transparent = true, .tabIndex = 22},
    {.name = "readingHeaderLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "測定値"), .left = 8160, .top = 120, .width = 675, .height = 345, .font = {FontFace::Meiryo, 11.25}, .tabIndex = 21},
    {.name = "pointNumberLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "測定点 No."), .left = 600, .top = 4320, .width = 1215, .height = 360, .tabIndex = 20},
    {.name = "subtitleLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "（ガントリー回転時の測定値から推定）"), .left = 240, .top = 720, .width = 5670, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .transparent = true, .tabIndex = 18},
    {.name = "titleLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "Ｘ線CTの横方向の線量プロファイル"), .left = 360, .top = 240, .width = 5130, .height = 465, .font = {FontFace::Meiryo, 15.75}, .textColor = 0x0000FF, .transparent = true, .tabIndex = 17},
    {.name = "offCentreUnitLabel", .kind = ControlKind::Label, .caption = "cm", .left = 3360, .top = 4680, .width = 420, .height = 420, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 15},
    {.name = "readingLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "測定値"), .left = 4320, .top = 4320, .width = 720, .height = 360, .tabIndex = 11},
    {.name = "offCentreLabel", .kind = ControlKind::Label, .caption = "off center", .left = 2280, .top = 4320, .width = 1110, .height = 360, .transparent = true, .tabIndex = 9},
    {.name = "pointCountHintLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "(最大25, 回転中心を含む)"), .left = 960, .top = 2640, .width = 2835, .height = 360, .transparent = true, .tabIndex = 6},
    {.name = "pointCountLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "測定ポイント数（1 cm 間隔）="), .left = 480, .top = 2280, .width = 4140, .height = 420, .font = {FontFace::Meiryo, 14.25}, .transparent = true, .tabIndex = 4},
    {.name = "distanceUnitLabel", .kind = ControlKind::Label, .caption = "cm", .left = 4680, .top = 1680, .width = 420, .height = 420, .font = {FontFace::Meiryo, 14.25}, .tabIndex = 2},
    {.name = "distanceLabel", .kind = ControlKind::Label, .caption = QT_TRANSLATE_NOOP("Tessaroven", "焦点-回転中心間距離 ="), .left = 480, .top = 1680, .width = 3000, .height = 420, .font = {FontFace::Meiryo, 14.25}, .transparent = true, .tabIndex = 0},
};
// clang-format on

// The menus' texts.
struct MenuTexts {
    const char* file = QT_TRANSLATE_NOOP("Tessaroven", "ファイル(&F)");
    const char* newMeasurement = QT_TRANSLATE_NOOP("Tessaroven", "新しい測定");
    const char* open = QT_TRANSLATE_NOOP("Tessaroven", "開く…");
    const char* recent = QT_TRANSLATE_NOOP("Tessaroven", "最近使ったファイル");
    const char* save = QT_TRANSLATE_NOOP("Tessaroven", "保存");
    const char* saveAs = QT_TRANSLATE_NOOP("Tessaroven", "名前を付けて保存…");
    const char* exportMenu = QT_TRANSLATE_NOOP("Tessaroven", "書き出す");
    const char* exportCsv = QT_TRANSLATE_NOOP("Tessaroven", "計算結果 CSV…");
    const char* exportProfile = QT_TRANSLATE_NOOP("Tessaroven", "プロファイル表…");
    const char* exportGraph = QT_TRANSLATE_NOOP("Tessaroven", "グラフ画像 (PNG)…");
    const char* exportXcist = "XCIST…";
    const char* exportEgsnrc = "EGSnrc…";
    const char* report = QT_TRANSLATE_NOOP("Tessaroven", "レポート (PDF)…");
    const char* print = QT_TRANSLATE_NOOP("Tessaroven", "印刷…");
    const char* quit = QT_TRANSLATE_NOOP("Tessaroven", "終了");
    const char* edit = QT_TRANSLATE_NOOP("Tessaroven", "編集(&E)");
    const char* undo = QT_TRANSLATE_NOOP("Tessaroven", "元に戻す");
    const char* redo = QT_TRANSLATE_NOOP("Tessaroven", "やり直す");
    const char* measurement = QT_TRANSLATE_NOOP("Tessaroven", "測定(&M)");
    const char* readingsTable = QT_TRANSLATE_NOOP("Tessaroven", "読み値の表…");
    const char* conditions = QT_TRANSLATE_NOOP("Tessaroven", "測定条件…");
    const char* model = QT_TRANSLATE_NOOP("Tessaroven", "変換モデル");
    const char* spectrum = QT_TRANSLATE_NOOP("Tessaroven", "スペクトル…");
    const char* compareBaseline = QT_TRANSLATE_NOOP("Tessaroven", "基準と比較…");
    const char* removeBaseline = QT_TRANSLATE_NOOP("Tessaroven", "基準を外す");
    const char* tolerance = QT_TRANSLATE_NOOP("Tessaroven", "許容差…");
    const char* view = QT_TRANSLATE_NOOP("Tessaroven", "表示(&V)");
    const char* resultsTable = QT_TRANSLATE_NOOP("Tessaroven", "結果の表");
    const char* graph = QT_TRANSLATE_NOOP("Tessaroven", "グラフ");
    const char* otherModel = QT_TRANSLATE_NOOP("Tessaroven", "もう一方のモデルも表示");
    const char* help = QT_TRANSLATE_NOOP("Tessaroven", "ヘルプ(&H)");
    const char* language = QT_TRANSLATE_NOOP("Tessaroven", "表示言語");
    const char* japanese = "日本語";  // each language is named in itself, whatever the display language
    const char* english = "English";
    const char* about = QT_TRANSLATE_NOOP("Tessaroven", "バージョン情報");
};
constexpr MenuTexts kMenuTexts{};

QString Utf8Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    const WindowRow window{.caption = kApplicationTitle,
                           .clientWidth = 12750,
                           .clientHeight = 8355,
                           .font = {FontFace::Meiryo, 12},
                           .centred = true};
    SetUpFixedDialog(this, window);
    measurementArea = new QWidget(this);
    measurementArea->setObjectName(QStringLiteral("measurementArea"));
    measurementArea->setFixedSize(size());
    setCentralWidget(measurementArea);
    BuildControls(measurementArea, kMainWindowControls);
    distanceEdit = ControlNamed<QLineEdit>(this, "distanceEdit");
    pointCountEdit = ControlNamed<QLineEdit>(this, "pointCountEdit");
    setupButton = ControlNamed<QPushButton>(this, "setupButton");
    pointNumberEdit = ControlNamed<QLineEdit>(this, "pointNumberEdit");
    offCentreEdit = ControlNamed<QLineEdit>(this, "offCentreEdit");
    readingEdit = ControlNamed<QLineEdit>(this, "readingEdit");
    storeReadingButton = ControlNamed<QPushButton>(this, "storeReadingButton");
    readingList = ControlNamed<QListWidget>(this, "readingList");
    readingList->setItemDelegate(new ReadingListDelegate(readingList));
    correctButton = ControlNamed<QPushButton>(this, "correctButton");
    finishEntryButton = ControlNamed<QPushButton>(this, "finishEntryButton");
    convertButton = ControlNamed<QPushButton>(this, "convertButton");
    resultList = ControlNamed<QListWidget>(this, "resultList");
    exitButton = ControlNamed<QPushButton>(this, "exitButton");
    saveButton = ControlNamed<QPushButton>(this, "saveButton");
    graphButton = ControlNamed<QPushButton>(this, "graphButton");

    // Numbers are typed in half-width characters; full-width ones that arrive anyway (pasted) are read as
    // their ASCII forms by the entry's parse.
    for (QLineEdit* box : {distanceEdit, pointCountEdit, pointNumberEdit, offCentreEdit, readingEdit}) {
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
    }

    BuildMenus();
    fileStatus = new QLabel(this);
    fileStatus->setObjectName(QStringLiteral("fileStatus"));
    // Not permanent: a stretching permanent widget leaves a passing message no room at all, so the message
    // takes the file name's place while it shows.
    statusBar()->addWidget(fileStatus, 1);
    uncertaintyStatus = new QLabel(this);
    uncertaintyStatus->setObjectName(QStringLiteral("uncertaintyStatus"));
    statusBar()->addPermanentWidget(uncertaintyStatus);
    baselineStatus = new QLabel(this);
    baselineStatus->setObjectName(QStringLiteral("baselineStatus"));
    statusBar()->addPermanentWidget(baselineStatus);
    // Hidden while empty, so that the compatible model's status bar keeps its place for every label.
    modelStatus = new QLabel(this);
    modelStatus->setObjectName(QStringLiteral("modelStatus"));
    statusBar()->addPermanentWidget(modelStatus);
    modelStatus->hide();
    statusBar()->setSizeGripEnabled(false);
    // The window grows by the two bars; the fixed layout between them keeps its size.
    SetFixedClientSize(
        this,
        QSize(measurementArea->width(),
              menuBar()->sizeHint().height() + measurementArea->height() + statusBar()->sizeHint().height()),
        window.centred);
}

void MainWindow::BuildMenus() {
    menuBar()->setNativeMenuBar(false);
    QMenu* file = menuBar()->addMenu(UiText(kMenuTexts.file));
    newAction = file->addAction(UiText(kMenuTexts.newMeasurement));
    newAction->setShortcut(QKeySequence::New);
    openAction = file->addAction(UiText(kMenuTexts.open));
    openAction->setShortcut(QKeySequence::Open);
    recentMenu = file->addMenu(UiText(kMenuTexts.recent));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    file->addSeparator();
    saveAction = file->addAction(UiText(kMenuTexts.save));
    saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction = file->addAction(UiText(kMenuTexts.saveAs));
    saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QMenu* exportMenu = file->addMenu(UiText(kMenuTexts.exportMenu));
    exportCsvAction = exportMenu->addAction(UiText(kMenuTexts.exportCsv));
    exportProfileAction = exportMenu->addAction(UiText(kMenuTexts.exportProfile));
    exportGraphAction = exportMenu->addAction(UiText(kMenuTexts.exportGraph));
    exportXcistAction = exportMenu->addAction(UiText(kMenuTexts.exportXcist));
    exportEgsnrcAction = exportMenu->addAction(UiText(kMenuTexts.exportEgsnrc));
    reportAction = file->addAction(UiText(kMenuTexts.report));
    printAction = file->addAction(UiText(kMenuTexts.print));
    printAction->setShortcut(QKeySequence::Print);
    file->addSeparator();
    quitAction = file->addAction(UiText(kMenuTexts.quit));
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The results can be exported once a conversion has enabled the save button.
    connect(file, &QMenu::aboutToShow, this, [this] {
        exportCsvAction->setEnabled(saveButton->isEnabled());
        for (QAction* action : {exportProfileAction, exportGraphAction, exportXcistAction, exportEgsnrcAction,
                                reportAction, printAction}) {
            action->setEnabled(saveButton->isEnabled());
        }
    });

    QMenu* edit = menuBar()->addMenu(UiText(kMenuTexts.edit));
    undoAction = edit->addAction(UiText(kMenuTexts.undo));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = edit->addAction(UiText(kMenuTexts.redo));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undoAction, redoAction}) {
        action->setEnabled(false);
    }

    QMenu* measurement = menuBar()->addMenu(UiText(kMenuTexts.measurement));
    readingsTableAction = measurement->addAction(UiText(kMenuTexts.readingsTable));
    readingsTableAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    conditionsAction = measurement->addAction(UiText(kMenuTexts.conditions));
    QMenu* model = measurement->addMenu(UiText(kMenuTexts.model));
    model->setObjectName(QStringLiteral("modelMenu"));
    auto* models = new QActionGroup(this);
    compatibleModelAction = models->addAction(Utf8Text(ConversionModelName(ConversionModel::Compatible)));
    isotropicModelAction = models->addAction(Utf8Text(ConversionModelName(ConversionModel::Isotropic)));
    for (QAction* action : {compatibleModelAction, isotropicModelAction}) {
        action->setCheckable(true);
        model->addAction(action);
    }
    compatibleModelAction->setChecked(true);
    spectrumAction = measurement->addAction(UiText(kMenuTexts.spectrum));
    measurement->addSeparator();
    compareBaselineAction = measurement->addAction(UiText(kMenuTexts.compareBaseline));
    removeBaselineAction = measurement->addAction(UiText(kMenuTexts.removeBaseline));
    removeBaselineAction->setEnabled(false);
    toleranceAction = measurement->addAction(UiText(kMenuTexts.tolerance));

    QMenu* view = menuBar()->addMenu(UiText(kMenuTexts.view));
    resultsTableAction = view->addAction(UiText(kMenuTexts.resultsTable));
    resultsTableAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    graphAction = view->addAction(UiText(kMenuTexts.graph));
    otherModelAction = view->addAction(UiText(kMenuTexts.otherModel));
    otherModelAction->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this] {
        resultsTableAction->setEnabled(graphButton->isEnabled());
        graphAction->setEnabled(graphButton->isEnabled());
    });

    QMenu* help = menuBar()->addMenu(UiText(kMenuTexts.help));
    QMenu* language = help->addMenu(UiText(kMenuTexts.language));
    auto* languages = new QActionGroup(this);
    japaneseAction = languages->addAction(QString::fromUtf8(kMenuTexts.japanese));
    englishAction = languages->addAction(QString::fromUtf8(kMenuTexts.english));
    for (QAction* action : {japaneseAction, englishAction}) {
        action->setCheckable(true);
        language->addAction(action);
    }
    aboutAction = help->addAction(UiText(kMenuTexts.about));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Never destroyed nor left closed behind a hidden start screen: the application treats this like Exit.
    event->ignore();
    emit closeRequested();
}

}  // namespace tessaroven
