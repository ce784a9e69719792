// The report in the desktop program: ファイル → レポート (PDF)… and 印刷… (the system's print dialog).
#pragma once

#include <QObject>

#include <functional>

#include "app/measurement_files.h"
#include "messages/outcome.h"
#include "plot/report_page.h"

class QPrinter;

namespace tessaroven {

class BaselineActions;
class MainWindow;

class ReportActions : public QObject {
    Q_OBJECT
public:
    // Sets the printer up with the user (the print dialog); false when the user cancels.
    using PrinterSetup = std::function<bool(QPrinter& printer)>;

    // All must outlive this object.
    ReportActions(MainWindow& window, const MeasurementRecord& record, const MeasurementFiles& files,
                  const BaselineActions& baseline);

    void setFileChooser(MeasurementFiles::FileChooser chooser) { m_chooser = std::move(chooser); }
    void setPrinterSetup(PrinterSetup setup) { m_printerSetup = std::move(setup); }

    bool exportPdf();  // レポート (PDF)…: false when cancelled or refused
    bool print();      // 印刷…

private:
    Expected<ReportContent> content() const;

    MainWindow& m_window;
    const MeasurementRecord& m_record;
    const MeasurementFiles& m_files;
    const BaselineActions& m_baseline;
    MeasurementFiles::FileChooser m_chooser;
    PrinterSetup m_printerSetup;
};

}  // namespace tessaroven
