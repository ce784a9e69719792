// MainWindow, the main window: the controls of its layout table that a handler or a test touches, one member
// each; the static labels and frames are rows of the table only, found by their object names.
//
// Data flow: the operator types into the entry fields (distanceEdit, pointCountEdit, pointNumberEdit,
// offCentreEdit, readingEdit); the entry handlers (entry/main_window_handlers.h) read them with the core's
// strict typed-number reading and write the one MeasurementRecord (reading, readingLines, lastPosition,
// correcting); readingList shows readingLines. convertButton runs the core's staged Conversion on the record
// (grid, reading -> profile, relativePercent, resultLines) and resultList shows resultLines. saveButton and
// graphButton hand the record on to the save dialog (CSV file) and the graph window. A change to the
// readings, the number of points, the distance or the model drops the results everywhere until the next
// conversion (MainWindowHandlers::invalidateResults). A menu bar above the fixed layout and a status bar
// below it hand the measurement on to the file handlers (app/measurement_files.h). This class only holds the
// controls and menus; it computes nothing.
#pragma once

#include <QMainWindow>

class QAction;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QPushButton;

namespace tessaroven {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QWidget* measurementArea;  // the fixed layout between the menu bar and the status bar

    QLineEdit* distanceEdit;          // focus to rotation-centre distance, cm
    QLineEdit* pointCountEdit;        // number of points
    QPushButton* setupButton;         // "OK": confirms distance and number of points
    QLineEdit* pointNumberEdit;       // point number
    QLineEdit* offCentreEdit;         // off-centre distance, cm
    QLineEdit* readingEdit;           // measured value
    QPushButton* storeReadingButton;  // "OK  Next"
    QListWidget* readingList;         // entered readings
    QPushButton* correctButton;       // "データ修正"
    QPushButton* finishEntryButton;   // "修正なし"
    QPushButton* convertButton;       // "変換計算"
    QListWidget* resultList;          // converted profile
    QPushButton* exitButton;          // "Exit"
    QPushButton* saveButton;          // "計算結果保存"
    QPushButton* graphButton;         // "計算結果グラフ表示"

    // ファイル
    QAction* newAction;            // 新しい測定
    QAction* openAction;           // 開く…
    QMenu* recentMenu;             // 最近使ったファイル
    QAction* saveAction;           // 保存
    QAction* saveAsAction;         // 名前を付けて保存…
    QAction* exportCsvAction;      // 書き出す ▸ 計算結果 CSV…
    QAction* exportProfileAction;  // 書き出す ▸ プロファイル表…
    QAction* exportGraphAction;    // 書き出す ▸ グラフ画像 (PNG)…
    QAction* exportXcistAction;    // 書き出す ▸ XCIST…
    QAction* exportEgsnrcAction;   // 書き出す ▸ EGSnrc…
    QAction* reportAction;         // レポート (PDF)…
    QAction* printAction;          // 印刷…
    QAction* quitAction;           // 終了: the end of the program
    // 編集 (app/undo_history.h answers them)
    QAction* undoAction;  // 元に戻す, naming the step
    QAction* redoAction;  // やり直す
    // 測定
    QAction* readingsTableAction;  // 読み値の表…
    QAction* conditionsAction;     // 測定条件…
    QAction*
        compatibleModelAction;  // 変換モデル ▸ 互換 (cos 重み); one of the two is checked: the record's model
    QAction* isotropicModelAction;   // 変換モデル ▸ 等方検出器
    QAction* spectrumAction;         // スペクトル…
    QAction* compareBaselineAction;  // 基準と比較…
    QAction* removeBaselineAction;   // 基準を外す
    QAction* toleranceAction;        // 許容差…
    // 表示
    QAction* resultsTableAction;  // 結果の表
    QAction* graphAction;         // グラフ
    QAction* otherModelAction;    // もう一方のモデルも表示 (checkable, kept with QSettings)
    // ヘルプ
    QAction* japaneseAction;  // 表示言語 ▸ 日本語 (checked when it is the language in use)
    QAction* englishAction;   // 表示言語 ▸ English
    QAction* aboutAction;     // バージョン情報

    QLabel* fileStatus;         // status bar: the measurement file's name
    QLabel* uncertaintyStatus;  // status bar: "U: k=2" when the results carry their uncertainty
    QLabel* baselineStatus;     // status bar: what the comparison with a baseline found
    QLabel* modelStatus;  // status bar: the model of the results, shown only when it is the isotropic one

signals:
    // The close box was used; the window stays open until the application decides (it acts like Exit).
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
};

}  // namespace tessaroven
