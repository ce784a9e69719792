// Start-up, the start screen's buttons, navigation between the windows and the end of the program.
#include "app/application.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSessionManager>
#include <QSettings>
#include <QStatusBar>

#include <optional>

#include "app/baseline_actions.h"
#include "app/display_language.h"
#include "app/graph_export.h"
#include "app/measurement_files.h"
#include "app/readings_actions.h"
#include "app/report_actions.h"
#include "app/spectrum_actions.h"
#include "app/undo_history.h"
#include "calc/conversion.h"
#include "calc/uncertainty.h"
#include "entry/main_window_handlers.h"
#include "plot/report_page.h"
#include "ui/artwork.h"
#include "ui/graph_window.h"
#include "ui/graph_window_handlers.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/results_table.h"
#include "ui/save_dialog.h"
#include "ui/save_dialog_handlers.h"
#include "ui/start_screen.h"

namespace tessaroven {

namespace {

// ヘルプ's texts.
constexpr const char* kLanguageNotice =
    QT_TRANSLATE_NOOP("Tessaroven", "次回の起動から、表示言語は %1 になります。");
constexpr const char* kAboutTitle = QT_TRANSLATE_NOOP("Tessaroven", "バージョン情報");
constexpr const char* kAbout = QT_TRANSLATE_NOOP("Tessaroven",
                                                 "%1\n\nガントリーを回転させたまま測定した線量から、X 線 CT "
                                                 "のファン方向 (ボウタイ) の線量プロファイルを計算します。"
                                                 "\n\nMIT ライセンス");

// The model a new measurement starts with: the last one chosen.
const QString kModelKey = QStringLiteral("conversion/model");
const QString kOtherModelKey = QStringLiteral("view/otherModel");
constexpr const char* kConvertAgain =
    QT_TRANSLATE_NOOP("Tessaroven", "変換モデルを変えました。変換計算をやり直してください。");
// The comparison's verdict with the model it was made with: verdict, model.
constexpr const char* kVerdictWithModel = QT_TRANSLATE_NOOP("Tessaroven", "%1 (%2)");
constexpr int kStatusMilliseconds = 5000;

ConversionModel SavedModel() {
    return QSettings().value(kModelKey).toString() == QLatin1String("isotropic")
               ? ConversionModel::Isotropic
               : ConversionModel::Compatible;
}

QString ModelName(ConversionModel model) {
    const std::string_view name = ConversionModelName(model);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

ConversionModel OtherModel(ConversionModel model) {
    return model == ConversionModel::Isotropic ? ConversionModel::Compatible : ConversionModel::Isotropic;
}

}  // namespace

Application::Application() = default;

Application::~Application() {
    // The history goes first: a closing window hands its focus on, and the distance box's lost focus would
    // otherwise reach the history while the main window is half destroyed.
    delete m_undo;
    delete m_resultsTable.data();
    delete m_saveDialog.data();
    delete m_graphWindow.data();
}

void Application::Start(const QString& measurementFile) {
    // One icon for every window, the ones created later included. Wayland shells take the icon from the
    // installed desktop entry instead, which they find by this name.
    QApplication::setWindowIcon(WindowIcon());
    QApplication::setDesktopFileName(QStringLiteral("tessaroven"));
    m_startScreen = std::make_unique<StartScreen>();
    connect(m_startScreen->startButton, &QPushButton::clicked, this, &Application::startMeasurement);
    connect(m_startScreen->exitButton, &QPushButton::clicked, this, &Application::endProgram);
    connect(m_startScreen.get(), &StartScreen::closeRequested, this, &Application::endProgram);
    // The session ends (logout, shutdown): unsaved readings are asked about like on any other way out, and a
    // cancel there cancels the logout where the session manager allows it.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (m_files == nullptr || !m_files->modified()) {
            return;
        }
        if (!manager.allowsInteraction() || !m_files->confirmLeaving()) {
            manager.cancel();
        }
        manager.release();
    });
    if (!measurementFile.isEmpty()) {
        MainWindow& window = EnsureMainWindow();
        if (m_files->openFile(measurementFile)) {
            ShowInFront(&window);
            return;
        }
    }
    m_startScreen->show();
}

MainWindow& Application::EnsureMainWindow() {
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>();
        m_handlers = std::make_unique<MainWindowHandlers>(*m_mainWindow, m_record);
        connect(m_handlers.get(), &MainWindowHandlers::exitRequested, this,
                &Application::returnToStartScreen);
        connect(m_mainWindow.get(), &MainWindow::closeRequested, this, &Application::returnToStartScreen);
        connect(m_handlers.get(), &MainWindowHandlers::saveRequested, this, &Application::openSaveDialog);
        connect(m_handlers.get(), &MainWindowHandlers::graphRequested, this, &Application::showGraph);
        connect(m_handlers.get(), &MainWindowHandlers::resultsInvalidated, this,
                &Application::dropShownResults);
        connect(m_handlers.get(), &MainWindowHandlers::converted, this, [this] {
            if (!m_saveDialog.isNull()) {
                m_saveDialog->okButton->setEnabled(true);
            }
        });
        m_handlers->load();
        m_files = new MeasurementFiles(*m_mainWindow, *m_handlers, m_record);
        connect(m_files, &MeasurementFiles::newMeasurementRequested, this, &Application::startMeasurement);
        connect(m_files, &MeasurementFiles::quitRequested, this, &Application::endProgram);
        connect(m_handlers.get(), &MainWindowHandlers::converted, this, &Application::updateResults);
        connect(m_mainWindow->resultsTableAction, &QAction::triggered, this, &Application::showResultsTable);
        connect(m_mainWindow->graphAction, &QAction::triggered, this, &Application::showGraph);
        m_baseline = new BaselineActions(*m_mainWindow, m_record);
        connect(m_baseline, &BaselineActions::changed, this, &Application::updateResults);
        m_reports = new ReportActions(*m_mainWindow, m_record, *m_files, *m_baseline);
        m_graphExport = new GraphExport(*m_mainWindow, m_record, [this] { return CurrentOverlays(); });
        // The centre spectrum and the bow-tie files; a changed spectrum changes the results.
        auto* spectrum = new SpectrumActions(*m_mainWindow, *m_files, m_record);
        connect(spectrum, &SpectrumActions::spectrumChanged, this, &Application::updateResults);
        // The readings table edits the readings as the entry does.
        auto* readings = new ReadingsActions(*m_mainWindow, *m_handlers, *m_files, m_record);
        connect(readings, &ReadingsActions::readingsEdited, m_handlers.get(),
                &MainWindowHandlers::showEditedReadings);
        // ヘルプ: the display language, kept for the next start, and the version.
        MainWindow& window = *m_mainWindow;
        (MessageLanguage() == Language::English ? window.englishAction : window.japaneseAction)
            ->setChecked(true);
        connect(window.japaneseAction, &QAction::triggered, this,
                [this] { chooseLanguage(Language::Japanese); });
        connect(window.englishAction, &QAction::triggered, this,
                [this] { chooseLanguage(Language::English); });
        connect(window.aboutAction, &QAction::triggered, this, &Application::showAbout);
        // 測定 → 変換モデル and 表示 → もう一方のモデルも表示.
        connect(window.compatibleModelAction, &QAction::triggered, this,
                [this] { chooseModel(ConversionModel::Compatible); });
        connect(window.isotropicModelAction, &QAction::triggered, this,
                [this] { chooseModel(ConversionModel::Isotropic); });
        window.otherModelAction->setChecked(QSettings().value(kOtherModelKey, false).toBool());
        connect(window.otherModelAction, &QAction::toggled, this, &Application::showOtherModel);
        // Last, so that it hears of each change after the change was made.
        m_undo = new UndoHistory(window, *m_handlers, *m_files, m_record);
        connect(m_undo, &UndoHistory::restored, this, [this] {
            if (!m_saveDialog.isNull()) {
                m_saveDialog->findChild<SaveDialogHandlers*>()->refreshComment();
            }
        });
        // An edit in the readings table is one step; an undone step shows in the table too.
        connect(readings, &ReadingsActions::readingsEdited, m_undo,
                [this] { m_undo->recordChange(MeasurementChange::ReadingsTable); });
        connect(m_undo, &UndoHistory::restored, readings, &ReadingsActions::refresh);
    }
    return *m_mainWindow;
}

void Application::startMeasurement() {
    if (m_files != nullptr && !m_files->confirmLeaving()) {
        return;
    }
    ResetMeasurement(m_record);
    m_record.model = SavedModel();
    delete m_saveDialog.data();  // its fields belonged to the measurement before
    MainWindow& form = EnsureMainWindow();
    m_handlers->clearForNewMeasurement();
    m_files->forgetFile();
    ShowInFront(&form);
    m_startScreen->hide();
}

void Application::endProgram() {
    // Every way out asks before unsaved readings are dropped.
    if (m_files != nullptr && !m_files->confirmLeaving()) {
        return;
    }
    if (m_mainWindow) {
        m_mainWindow->hide();
    }
    m_startScreen->hide();
    emit programEnded();
}

void Application::returnToStartScreen() {
    // The record, the fields and the buttons stay as they are; the next OK starts the next measurement.
    m_mainWindow->hide();
    ShowInFront(m_startScreen.get());
}

SaveDialog* Application::saveDialog() const {
    return m_saveDialog.data();
}

GraphWindow* Application::graphWindow() const {
    return m_graphWindow.data();
}

void Application::openSaveDialog() {
    const bool created = m_saveDialog.isNull();
    SaveDialog* dialog = OpenSaveDialog(m_saveDialog, m_record);
    dialog->okButton->setEnabled(m_mainWindow->saveButton->isEnabled());
    // Its OK keeps the typed comment with the measurement; this runs after the dialog's own handler.
    if (created) {
        connect(dialog->okButton, &QPushButton::clicked, m_undo,
                [this] { m_undo->recordChange(MeasurementChange::Comment); });
    }
}

GraphOverlays Application::CurrentOverlays() const {
    GraphOverlays overlays;
    const Expected<ResultSet> results = CurrentResults();
    if (results && results->comparison) {
        overlays.baseline = BaselineOverlayOf(*results->comparison);
    }
    // The other model's conversion of the same readings; when it is refused, the graph shows the one model.
    if (m_mainWindow->otherModelAction->isChecked() && m_record.convertedDistanceCm > 0) {
        MeasurementRecord other = m_record;
        other.model = OtherModel(m_record.convertedModel);
        if (!RunConversion(other, m_record.convertedDistanceCm)) {
            overlays.models = ModelOverlayOf(m_record, other);
        }
    }
    return overlays;
}

void Application::showGraph() {
    const GraphOverlays overlays = CurrentOverlays();
    ShowProfileGraph(m_graphWindow, m_record, overlays.baseline ? &*overlays.baseline : nullptr,
                     overlays.models ? &*overlays.models : nullptr);
}

void Application::chooseLanguage(Language language) {
    SaveLanguage(language);
    // The windows are built in the language of the start; the new one shows from the next start.
    if (language != MessageLanguage()) {
        const QAction* chosen =
            language == Language::English ? m_mainWindow->englishAction : m_mainWindow->japaneseAction;
        ShowMessage(m_mainWindow.get(), UiText(kLanguageNotice).arg(chosen->text()),
                    QMessageBox::Information);
    }
}

void Application::showAbout() {
    QMessageBox::about(m_mainWindow.get(), UiText(kAboutTitle),
                       UiText(kAbout).arg(QString::fromStdString(ProgramNameAndVersion())));
}

void Application::chooseModel(ConversionModel model) {
    QSettings().setValue(kModelKey, model == ConversionModel::Isotropic ? QStringLiteral("isotropic")
                                                                        : QStringLiteral("compatible"));
    if (model == m_record.model) {
        return;
    }
    m_record.model = model;
    // Before the setup there is nothing a save could keep; the setup marks the measurement changed anyway.
    if (m_mainWindow->storeReadingButton->isEnabled()) {
        m_files->markModified();
    }
    if (m_record.convertedDistanceCm > 0) {
        m_handlers->invalidateResults();
        if (m_mainWindow->convertButton->isEnabled()) {
            m_mainWindow->convertButton->setFocus();
        }
        m_mainWindow->statusBar()->showMessage(UiText(kConvertAgain), kStatusMilliseconds);
    }
    updateResults();
}

void Application::showOtherModel(bool shown) {
    QSettings().setValue(kOtherModelKey, shown);
    if (!m_graphWindow.isNull() && m_graphWindow->isVisible()) {
        showGraph();
    }
}

Expected<ResultSet> Application::CurrentResults() const {
    // The baseline is converted with the model of the results it is compared with.
    const Expected<const ProfileEvaluation*> baseline =
        m_baseline == nullptr ? nullptr : m_baseline->baselineFor(m_record.convertedModel);
    if (!baseline) {
        return baseline.error();
    }
    return EvaluateResults(m_record, *baseline,
                           m_baseline == nullptr ? kDefaultTolerancePercent : m_baseline->tolerancePercent());
}

ResultsTableWindow* Application::resultsTable() const {
    return m_resultsTable.data();
}

void Application::showResultsTable() {
    Expected<ResultSet> results = CurrentResults();
    if (!results) {
        ShowMessage(m_mainWindow.get(), QString::fromStdString(results.error().message));
        return;
    }
    ShowResultsTable(m_resultsTable, std::move(*results), m_mainWindow.get());
}

void Application::dropShownResults() {
    if (!m_graphWindow.isNull()) {
        m_graphWindow->hide();
    }
    if (!m_resultsTable.isNull()) {
        m_resultsTable->model->setResults({});
        m_resultsTable->hide();
    }
    // The dialog keeps what was typed into it; its OK comes back with the next conversion.
    if (!m_saveDialog.isNull()) {
        m_saveDialog->okButton->setEnabled(false);
    }
    updateResults();
}

void Application::updateResults() {
    Expected<ResultSet> results = CurrentResults();
    const bool known = results && results->evaluation.uncertaintyKnown;
    m_mainWindow->uncertaintyStatus->setText(known ? QStringLiteral("U: k=2") : QString());
    // What the comparison with the baseline found, in short; the whole summary (or the refusal, when it could
    // not be made) as the tip.
    QString status;
    QString tip;
    if (results && results->comparison) {
        const BaselineComparison& comparison = *results->comparison;
        std::string flagged;
        for (const PositionComparison& c : comparison.positions) {
            if (c.flagged) {
                flagged += (flagged.empty() ? "" : ", ") + std::to_string(c.position);
            }
        }
        std::string text =
            comparison.flaggedCount == 0
                ? Message(Reason::BaselineStatusAgrees)
                : Message(Reason::BaselineStatusFlagged, {std::to_string(comparison.flaggedCount), flagged});
        if (comparison.distanceDiffers || comparison.positionsDiffer) {
            text += Message(Reason::BaselineStatusDiffers);
        }
        status = QString::fromStdString(text);
        tip = QString::fromStdString(ComparisonSummary(comparison)).trimmed();
    } else if (!results && m_baseline != nullptr && m_baseline->hasBaseline() &&
               m_record.convertedDistanceCm > 0) {
        // The comparison of results on screen failed; without results there is nothing to compare.
        tip = QString::fromStdString(results.error().message);
        status = tip.section(QLatin1Char('\n'), 0, 0);
    }
    // The isotropic model is named, in the verdict when there is one; the compatible model's status bar stays
    // as it always was.
    QString model;
    if (results && results->evaluation.model == ConversionModel::Isotropic) {
        model = ModelName(results->evaluation.model);
        if (results->comparison) {
            status = UiText(kVerdictWithModel).arg(status, model);
            model.clear();
        }
    }
    m_mainWindow->modelStatus->setText(model);
    m_mainWindow->modelStatus->setVisible(!model.isEmpty());
    m_mainWindow->baselineStatus->setText(status);
    m_mainWindow->baselineStatus->setToolTip(tip);
    if (!m_resultsTable.isNull() && results) {
        m_resultsTable->model->setResults(std::move(*results));
    }
}

}  // namespace tessaroven
