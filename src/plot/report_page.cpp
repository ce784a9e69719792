// The report page's layout, on A4 in tenths of a millimetre, and its PDF file.
#include "plot/report_page.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/conversion.h"
#include "calc/report_texts.h"
#include "calc/result_columns.h"
#include "messages/catalogue.h"
#include "plot/fonts.h"
#include "plot/graph_painter.h"
#include "storage/storage.h"

namespace tessaroven {

namespace {

// A4 in tenths of a millimetre, and the margins of the page's content.
constexpr double kPageWidth = 2100;
constexpr double kPageHeight = 2970;
constexpr double kLeft = 150;
constexpr double kRight = kPageWidth - 150;
constexpr double kTop = 130;
constexpr double kSignatureTop = 2780;

// Font sizes (tenths of a millimetre: 30 is about 8.5 pt).
constexpr int kTitleSize = 55;
constexpr int kSmallSize = 24;
constexpr int kTextSize = 28;
constexpr int kHeadingSize = 24;

// The conditions at the left, the graph at the right, the table below both.
constexpr double kLabelWidth = 420;
constexpr double kValueWidth = 580;
constexpr double kConditionRow = 40;
constexpr int kMostValueLines = 3;
constexpr int kMostNotesLines = 6;  // 備考 across the page
constexpr double kGraphLeft = 1200;
constexpr double kGraphWidth = kRight - kGraphLeft;
constexpr double kHeadingRow = 75;
constexpr double kTableRow = 38;
constexpr double kCellPadding = 12;

// The width of each column the report shows (ReportColumnsOf); the flag's is wide enough for the English
// verdicts.
double ColumnWidth(ResultColumn column) {
    switch (column) {
        case ResultColumn::Position:
            return 120;
        case ResultColumn::FanAngle:
            return 150;
        case ResultColumn::Reading:
            return 230;
        case ResultColumn::ReadingCount:
            return 70;
        case ResultColumn::ReadingU:
            return 170;
        case ResultColumn::Relative:
            return 310;
        case ResultColumn::Flag:
            return 150;
        default:
            return 290;  // the profile and the deviation
    }
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Catalogue(Reason reason, std::initializer_list<std::string_view> details = {}) {
    return QString::fromStdString(Message(reason, details));
}

QFont ReportFont(int size, bool bold = false) {
    QFont font = LayoutFont(FontFace::Meiryo, 0);
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
}

// Draws text in the box, wrapped at its width; returns the height used, at most lines rows of rowHeight. Text
// that needs more rows ends its last row with "…", so a cut is never mistaken for the whole.
double WrappedText(QPainter& painter, const QRectF& box, const QString& text, int lines, double rowHeight) {
    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, painter.font(), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<std::pair<int, int>> rows;  // start and length of each row's text
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        rows.emplace_back(line.textStart(), line.textLength());
    }
    layout.endLayout();
    const bool cut = static_cast<int>(rows.size()) > lines;
    const auto shown = static_cast<int>(std::min<std::size_t>(rows.size(), static_cast<std::size_t>(lines)));
    for (int i = 0; i < shown; ++i) {
        const auto [start, length] = rows[static_cast<std::size_t>(i)];
        QString row = laidOut.mid(start, length);
        if (cut && i == shown - 1) {
            // The rest of the text squeezed into the last row, the mark taking the place of what is left out.
            row = painter.fontMetrics().elidedText(
                laidOut.mid(start).replace(QChar::LineSeparator, QLatin1Char(' ')), Qt::ElideRight,
                static_cast<int>(box.width()));
        }
        painter.drawText(QRectF(box.left(), box.top() + i * rowHeight, box.width(), rowHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, row.remove(QChar::LineSeparator));
    }
    return std::max(1, shown) * rowHeight;
}

double DrawConditions(QPainter& painter, double top, const ReportContent& content) {
    painter.setFont(ReportFont(kTextSize));
    double y = top;
    for (const auto& [label, value] : content.conditions) {
        painter.drawText(QRectF(kLeft, y, kLabelWidth - kCellPadding, kConditionRow),
                         Qt::AlignLeft | Qt::AlignTop,
                         painter.fontMetrics().elidedText(Utf8(label), Qt::ElideRight,
                                                          static_cast<int>(kLabelWidth - kCellPadding)));
        y += WrappedText(painter, QRectF(kLeft + kLabelWidth, y, kValueWidth, kConditionRow), Utf8(value),
                         kMostValueLines, kConditionRow);
    }
    return y;
}

double DrawGraph(QPainter& painter, double top, const ReportContent& content) {
    const double scale = kGraphWidth / kGraphClientSize.width();
    painter.save();
    painter.translate(kGraphLeft, top);
    painter.scale(scale, scale);
    GraphDrawState state;
    std::optional<BaselineOverlay> overlay;
    if (content.results.comparison) {
        overlay = BaselineOverlayOf(*content.results.comparison);
    }
    const BaselineOverlay* shown = overlay ? &*overlay : nullptr;
    DrawProfileGraph(painter, QPointF(0, 0), QSizeF(kGraphClientSize), Qt::black, content.record, state,
                     content.errorBars, shown);
    PaintAxisLabels(painter, QPointF(0, 0), Qt::black,
                    GraphFrameOf(content.record, content.errorBars, shown));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(kGraphClientSize)));
    painter.restore();
    return top + kGraphClientSize.height() * scale;
}

double DrawTable(QPainter& painter, double top, double rowHeight, const ReportContent& content) {
    painter.save();
    painter.setPen(QPen(Qt::black, 2));
    double x = kLeft;
    const std::vector<ResultColumn> columns = ReportColumnsOf(content.results);
    painter.setFont(ReportFont(kHeadingSize, true));
    for (const ResultColumn column : columns) {
        const double width = ColumnWidth(column);
        painter.drawText(QRectF(x + kCellPadding, top, width - 2 * kCellPadding, kHeadingRow),
                         Qt::AlignCenter | Qt::TextWordWrap, Utf8(ResultColumnHeading(column)));
        x += width;
    }
    const double tableRight = x;
    painter.drawLine(QPointF(kLeft, top), QPointF(tableRight, top));
    painter.drawLine(QPointF(kLeft, top + kHeadingRow), QPointF(tableRight, top + kHeadingRow));

    painter.setFont(ReportFont(std::min(kTextSize, static_cast<int>(rowHeight * 0.75))));
    painter.setPen(QPen(Qt::black, 1));
    double y = top + kHeadingRow;
    for (std::size_t row = 0; row < content.results.evaluation.positions.size(); ++row) {
        x = kLeft;
        for (const ResultColumn column : columns) {
            const double width = ColumnWidth(column);
            const QString text = painter.fontMetrics().elidedText(
                QString::fromStdString(ResultCellText(content.results, row, column)), Qt::ElideRight,
                static_cast<int>(width - 2 * kCellPadding));
            painter.drawText(QRectF(x + kCellPadding, y, width - 2 * kCellPadding, rowHeight),
                             Qt::AlignRight | Qt::AlignVCenter, text);
            x += width;
        }
        y += rowHeight;
        painter.setPen(QPen(Qt::lightGray, 1));
        painter.drawLine(QPointF(kLeft, y), QPointF(tableRight, y));
        painter.setPen(QPen(Qt::black, 1));
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(kLeft, y), QPointF(tableRight, y));
    painter.restore();
    return y;
}

}  // namespace

std::string ProgramNameAndVersion() {
    return std::string("Tessaroven ") + TESSAROVEN_VERSION;
}

Expected<ReportContent> ReportContentOf(const MeasurementRecord& record, std::string fileName,
                                        std::string createdAt, const ProfileEvaluation* baseline,
                                        double tolerancePercent, const ReportBaseline* baselineSource) {
    Expected<ResultSet> results = EvaluateResults(record, baseline, tolerancePercent);
    if (!results) {
        return results.error();
    }
    ReportContent content;
    content.createdAt = std::move(createdAt);
    content.fileName = std::move(fileName);
    content.conditions =
        ReportConditionTexts(record, content.fileName, baseline != nullptr ? baselineSource : nullptr);
    content.notes = record.conditions.notes;
    content.nonPositivePositions = NonPositivePositions(record);
    content.results = std::move(*results);
    content.record = record;
    content.errorBars = RelativeErrorBars(record);
    return content;
}

void DrawReportPage(QPainter& painter, const QRectF& page, const ReportContent& content) {
    painter.save();
    const double scale = std::min(page.width() / kPageWidth, page.height() / kPageHeight);
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    painter.setPen(Qt::black);

    painter.setFont(ReportFont(kTitleSize, true));
    painter.drawText(QRectF(kLeft, kTop, kRight - kLeft, 80), Qt::AlignLeft | Qt::AlignTop,
                     Catalogue(Reason::ReportTitle));
    painter.setFont(ReportFont(kSmallSize));
    painter.drawText(QRectF(kLeft, kTop + 85, kRight - kLeft, 40), Qt::AlignLeft | Qt::AlignTop,
                     Catalogue(Reason::ReportCreated, {content.createdAt, ProgramNameAndVersion()}));
    const double ruleY = kTop + 135;
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(QPointF(kLeft, ruleY), QPointF(kRight, ruleY));
    painter.setPen(Qt::black);

    const double blockTop = ruleY + 40;
    const double conditionsEnd = DrawConditions(painter, blockTop, content);
    const double graphEnd = DrawGraph(painter, blockTop, content);
    double blockEnd = std::max(conditionsEnd, graphEnd);
    if (!content.notes.empty()) {
        painter.setFont(ReportFont(kTextSize));
        const double notesTop = blockEnd + 30;
        painter.drawText(QRectF(kLeft, notesTop, kLabelWidth - kCellPadding, kConditionRow),
                         Qt::AlignLeft | Qt::AlignTop, Catalogue(Reason::ConditionNotes));
        blockEnd =
            notesTop + kConditionRow +
            WrappedText(painter, QRectF(kLeft, notesTop + kConditionRow, kRight - kLeft, kConditionRow),
                        Utf8(content.notes), kMostNotesLines, kConditionRow);
    }

    // The table takes the room left above the notes and the signature, at most one text row per position.
    const double tableTop = blockEnd + 50;
    const double warningRoom = content.nonPositivePositions.empty() ? 0 : 50;
    const double notesRoom = (content.results.comparison ? 300 : 150) + warningRoom;
    const auto rows =
        static_cast<double>(std::max<std::size_t>(content.results.evaluation.positions.size(), 1));
    const double rowHeight =
        std::clamp((kSignatureTop - notesRoom - tableTop - kHeadingRow) / rows, 20.0, kTableRow);
    const double tableEnd = DrawTable(painter, tableTop, rowHeight, content);

    painter.setFont(ReportFont(kSmallSize));
    double notesY = tableEnd + 25;
    notesY +=
        WrappedText(painter, QRectF(kLeft, notesY, kRight - kLeft, 35),
                    Catalogue(content.results.evaluation.uncertaintyKnown ? Reason::ReportUncertaintyKnown
                                                                          : Reason::ReportUncertaintyUnknown),
                    2, 35);
    // Readings of 0 or less convert, but into a profile that cannot be trusted.
    if (!content.nonPositivePositions.empty()) {
        std::string positions;
        for (const int position : content.nonPositivePositions) {
            positions += (positions.empty() ? "" : ", ") + std::to_string(position);
        }
        painter.save();
        painter.setFont(ReportFont(kTextSize, true));
        painter.setPen(QColor(176, 0, 0));
        notesY += 10 + WrappedText(painter, QRectF(kLeft, notesY + 10, kRight - kLeft, 40),
                                   Catalogue(Reason::ReportNonPositiveReadings, {positions}), 1, 40);
        painter.restore();
    }
    // The verdict of the comparison with the baseline, and where the two measurements differ in their
    // setting.
    if (content.results.comparison) {
        painter.setFont(ReportFont(kTextSize, true));
        WrappedText(painter, QRectF(kLeft, notesY + 15, kRight - kLeft, 40),
                    QString::fromStdString(ComparisonSummary(*content.results.comparison)).trimmed(), 4, 40);
    }

    painter.setFont(ReportFont(kTextSize));
    painter.drawText(QRectF(kLeft, kSignatureTop, kRight - kLeft, 60), Qt::AlignLeft | Qt::AlignTop,
                     Catalogue(Reason::ReportSignature));
    painter.restore();
}

MaybeRefusal WriteReportPdf(const std::string& path, const ReportContent& content) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(600);
        writer.setTitle(Catalogue(Reason::ReportTitle));
        writer.setCreator(QString::fromStdString(ProgramNameAndVersion()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return Refuse(Reason::ReportNotMade);
        }
        DrawReportPage(painter, QRectF(0, 0, writer.width(), writer.height()), content);
        if (!painter.end()) {
            return Refuse(Reason::ReportNotMade);
        }
    }
    if (pdf.isEmpty()) {
        return Refuse(Reason::ReportNotMade);
    }
    return WriteFileSafely(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

}  // namespace tessaroven
