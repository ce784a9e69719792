// The report as a PDF file, checked with poppler's tools: one A4 page, fonts embedded, the conditions, every
// position's values and the uncertainty note in its text, and the table and the graph on the rendered page.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "calc/conversion.h"
#include "calc/number_text.h"
#include "calc/result_columns.h"
#include "calc/uncertainty.h"
#include "plot/report_page.h"

namespace tessaroven {
namespace {

QString Poppler(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// 31 positions measured three times each, a falling bow-tie profile.
MeasurementRecord ThirtyOnePositions() {
    std::vector<std::vector<double>> readings;
    for (int k = 0; k <= 30; ++k) {
        const double tenths = std::round(1000 * std::exp(-0.004 * k * k) + 20);
        readings.push_back({(tenths - 3) / 10, tenths / 10, (tenths + 4) / 10});
    }
    MeasurementRecord record;
    TakeMeasurement({60, "QC 2026 body bow-tie", readings, std::nullopt, 1.5, {}, {}}, record);
    record.conditions.scanner = "Gantry-7 室 2";
    record.conditions.tubeVoltageKv = 120;
    EXPECT_FALSE(RunConversion(record, 60));
    return record;
}

TEST(ReportPdf, is_one_a4_page_with_embedded_fonts_holding_conditions_values_table_and_graph) {
    const MeasurementRecord record = ThirtyOnePositions();
    const Expected<ReportContent> content =
        ReportContentOf(record, "/data/qc/2026.tessaroven.json", "2026-12-07 14:05");
    ASSERT_TRUE(content);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    ASSERT_FALSE(WriteReportPdf(pdf.toStdString(), *content));

    const QString info = Poppler("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    const QStringList fonts = Poppler("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts) {
        // Columns: name, type, encoding, emb, sub, uni, object, ID.
        const QStringList columns = font.split(' ', Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6) << font.toStdString();
        EXPECT_EQ(columns[columns.size() - 5], "yes") << font.toStdString();
    }

    const QString text = Poppler("pdftotext", {"-layout", pdf, "-"}).simplified();
    for (const char* expected :
         {"CT ボウタイ線量プロファイル 測定記録", "2026-12-07 14:05", "Gantry-7 室 2", "管電圧 (kV) 120",
          "QC 2026 body bow-tie", "/data/qc/2026.tessaroven.json", "校正の不確かさ (%) 1.5", "確認者署名"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    for (std::size_t row = 0; row < content->results.evaluation.positions.size(); ++row) {
        SCOPED_TRACE(row);
        for (ResultColumn column : {ResultColumn::FanAngle, ResultColumn::Reading, ResultColumn::Relative}) {
            const std::string cell = ResultCellText(content->results, row, column);
            EXPECT_TRUE(text.contains(QString::fromStdString(cell))) << cell;
        }
    }

    Poppler("pdftoppm", {"-r", "60", "-png", "-singlefile", pdf, folder.filePath("page")});
    const QImage page(folder.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    int red = 0;
    int tableRows = 0;  // pixel rows of the table's part of the page with text or rules on them
    for (int y = 0; y < page.height(); ++y) {
        bool dark = false;
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
            dark = dark || c.lightness() < 160;
        }
        tableRows += dark && y > page.height() * 4 / 10 && y < page.height() * 9 / 10 ? 1 : 0;
    }
    EXPECT_GT(red, 100);                      // the profile and its markers
    EXPECT_GT(tableRows, page.height() / 5);  // 31 rows of text, each some pixels high

    MeasurementRecord unconverted;
    ResetMeasurement(unconverted);
    EXPECT_EQ(ReportContentOf(unconverted, "", "").error().reason, Reason::ProfileNotConverted);
}

TEST(ReportPdf, names_the_baseline_ends_long_notes_with_a_mark_and_warns_of_readings_of_0_or_less) {
    // State: the default comment, a reading below 0, notes far longer than their six rows, a baseline.
    MeasurementRecord record;
    TakeMeasurement(
        {60, kDefaultComment, {{100}, {95}, {85}, {70}, {-2}}, std::nullopt, std::nullopt, {}, {}}, record);
    std::string notes = "NOTES-START";
    for (int i = 0; i < 60; ++i) {
        notes += " 管球の暖機後に三回ずつ読み値を取った。";
    }
    record.conditions.notes = notes + " NOTES-END";
    ASSERT_FALSE(RunConversion(record, 60));
    const Expected<ProfileEvaluation> baseline = EvaluateProfile(record);
    ASSERT_TRUE(baseline);
    const ReportBaseline source{"/data/qc/acceptance.tessaroven.json", "2025-11-30"};
    const Expected<ReportContent> content =
        ReportContentOf(record, "", "2026-12-07 14:05", &*baseline, kDefaultTolerancePercent, &source);
    ASSERT_TRUE(content);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    ASSERT_FALSE(WriteReportPdf(pdf.toStdString(), *content));

    // Expected: the baseline's file and day, the notes' start and the mark but not their end, no comment, and
    // the warning naming the position.
    const QString text = Poppler("pdftotext", {"-layout", pdf, "-"}).simplified();
    for (const char* expected :
         {"基準の測定ファイル", "/data/qc/acceptance.tessaroven.json", "基準の測定日 2025-11-30", "備考",
          "NOTES-START", "…", "0 以下の測定値があります (位置 4 cm)"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    for (const char* absent : {"NOTES-END", "コメント"}) {
        EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
    }
}

}  // namespace
}  // namespace tessaroven
