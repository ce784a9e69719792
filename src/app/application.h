// The application object: owns the one MeasurementRecord and the windows, and answers the start screen's
// buttons and the navigation between the windows. Windows are created on first use and afterwards only
// hidden and shown.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

#include "calc/result_columns.h"
#include "measurement/measurement_record.h"
#include "messages/catalogue.h"
#include "plot/graph_painter.h"

namespace tessaroven {

class MainWindow;
class StartScreen;
class SaveDialog;
class GraphWindow;
class MainWindowHandlers;
class MeasurementFiles;
class ResultsTableWindow;
class BaselineActions;
class ReportActions;
class GraphExport;
class UndoHistory;

class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Program start: creates the start screen and shows it; with a measurement file, opens it in the main
    // window instead (the start screen shows when the file is refused).
    void Start(const QString& measurementFile = QString());

    void startMeasurement();     // StartScreen startButton: a new measurement
    void endProgram();           // StartScreen exitButton or its close box: the end of the program
    void returnToStartScreen();  // MainWindow exitButton or its close box: back to the start screen

    // Connection points for the results output. MainWindow's saveButton and graphButton (enabled by every
    // conversion) arrive here through MainWindowHandlers::saveRequested / graphRequested.
    void openSaveDialog();    // fill the save dialog (SaveDialog) with its defaults and show it
    void showGraph();         // draw the graph on GraphWindow and show it
    void showResultsTable();  // 表示 → 結果の表: the evaluated profile, one row per position
    // After a conversion: the status bar's coverage, and the results table if it is open.
    void updateResults();
    // The results were dropped (MainWindowHandlers::invalidateResults): the graph and the results table go,
    // the save dialog cannot save, and the status bar no longer speaks of them.
    void dropShownResults();
    void chooseLanguage(Language language);  // ヘルプ → 表示言語: kept for the next start
    // 測定 → 変換モデル: the measurement's model, also kept for the next new measurement. Results of the
    // other model are dropped from the screen; the user converts again.
    void chooseModel(ConversionModel model);
    void showOtherModel(bool shown);  // 表示 → もう一方のモデルも表示: kept for the next start
    void showAbout();                 // ヘルプ → バージョン情報

    MeasurementRecord& record() { return m_record; }
    StartScreen* startScreen() const { return m_startScreen.get(); }
    MainWindow* mainWindow() const { return m_mainWindow.get(); }  // null until the first OK
    MainWindowHandlers* mainWindowHandlers() const { return m_handlers.get(); }
    MeasurementFiles* measurementFiles() const { return m_files; }  // null until the main window exists
    SaveDialog* saveDialog() const;            // null until saveButton, and after its close box
    GraphWindow* graphWindow() const;          // null until graphButton, and after its close box
    ResultsTableWindow* resultsTable() const;  // null until opened, and after its close box
    BaselineActions* baselineActions() const { return m_baseline; }  // null until the main window exists
    ReportActions* reportActions() const { return m_reports; }       // null until the main window exists
    GraphExport* graphExport() const { return m_graphExport; }       // null until the main window exists
    UndoHistory* undoHistory() const { return m_undo; }              // null until the main window exists

signals:
    // The program has ended; main() leaves the event loop.
    void programEnded();

private:
    MainWindow& EnsureMainWindow();  // creates MainWindow on first use and runs its load step
    // The record's results, compared with the baseline when there is one.
    Expected<ResultSet> CurrentResults() const;
    // What the graph shows beside the profile: the baseline, and the other model when asked for.
    GraphOverlays CurrentOverlays() const;

    MeasurementRecord m_record;
    std::unique_ptr<StartScreen> m_startScreen;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<MainWindowHandlers> m_handlers;
    MeasurementFiles* m_files = nullptr;    // owned by the main window
    BaselineActions* m_baseline = nullptr;  // owned by the main window
    ReportActions* m_reports = nullptr;     // owned by the main window
    GraphExport* m_graphExport = nullptr;   // owned by the main window
    UndoHistory* m_undo = nullptr;          // owned by the main window
    // Ownerless windows that their close box destroys; the next click creates them again.
    QPointer<SaveDialog> m_saveDialog;
    QPointer<GraphWindow> m_graphWindow;
    QPointer<ResultsTableWindow> m_resultsTable;
};

}  // namespace tessaroven
