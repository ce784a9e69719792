// The graph as a PNG file.
#include "app/graph_export.h"

#include <QAction>
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "calc/uncertainty.h"
#include "messages/catalogue.h"
#include "storage/storage.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace tessaroven {

namespace {

const QString kGraphFolderKey = QStringLiteral("graph/lastFolder");

}  // namespace

GraphExport::GraphExport(MainWindow& window, const MeasurementRecord& record, OverlaysNow overlays)
    : QObject(&window), m_window(window), m_record(record), m_overlays(std::move(overlays)) {
    m_chooser = [this](const QString& title, const QString& folder, const QString& filter, bool forSaving) {
        return ChooseFileWithDialog(&m_window, title, folder, filter, forSaving);
    };
    connect(m_window.exportGraphAction, &QAction::triggered, this, &GraphExport::exportPng);
}

bool GraphExport::exportPng() {
    if (m_record.convertedDistanceCm <= 0) {
        ShowMessage(&m_window, CatalogueText(Reason::ProfileNotConverted));
        return false;
    }
    QString path =
        m_chooser(CatalogueText(Reason::ExportGraphTitle), QSettings().value(kGraphFolderKey).toString(),
                  CatalogueText(Reason::GraphPngFilter), true);
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        path += QLatin1String(".png");
    }
    const GraphOverlays overlays = m_overlays();
    const QImage picture = RenderLabelledProfileGraph(m_record, RelativeErrorBars(m_record),
                                                      overlays.baseline ? &*overlays.baseline : nullptr,
                                                      overlays.models ? &*overlays.models : nullptr);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        ShowMessage(&m_window, CatalogueText(Reason::PlotNotEncoded));
        return false;
    }
    if (const MaybeRefusal refusal =
            WriteFileSafely(QFile::encodeName(path).toStdString(),
                            std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
        ShowMessage(&m_window, QString::fromStdString(refusal->message));
        return false;
    }
    const QFileInfo written(path);
    QSettings().setValue(kGraphFolderKey, written.absolutePath());
    ShowMessage(&m_window,
                CatalogueText(Reason::GraphSaved,
                              {QDir::toNativeSeparators(written.absoluteFilePath()).toStdString()}),
                QMessageBox::Information);
    return true;
}

}  // namespace tessaroven
