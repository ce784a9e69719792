// Timed harness (not a test): one full drawing of the graph and one save of the result file, each with 31
// positions. Prints the figures; nothing is asserted.
#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "files/format_files.h"
#include "formats/csv.h"
#include "plot/graph_painter.h"
#include "ui/graph_window.h"
#include "ui/graph_window_handlers.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double median, best, worst;  // milliseconds
};

Figures Time(int runs, const std::function<void()>& once) {
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        once();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void Print(const char* what, int runs, const Figures& f) {
    std::printf("%-58s median %8.3f ms  best %8.3f ms  worst %8.3f ms  (%d runs)\n", what, f.median, f.best,
                f.worst, runs);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    using namespace tessaroven;

    // 31 positions, a profile falling from 100 with a little ripple.
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = kLastSlot;
    for (int i = 0; i < kSlotCount; ++i) {
        record.relativePercent[i] = 100.0 * std::exp(-0.01 * i * i) + 2.0 * std::sin(i);
        record.profile[i] = record.relativePercent[i] * 0.987654321;
    }

    const int runs = 200;
    QImage image(kGraphClientSize, QImage::Format_RGB32);
    GraphDrawState state;
    Print("graph: grid, frame, 31 markers and the line on the picture", runs, Time(runs, [&] {
              QPainter painter(&image);
              DrawProfileGraph(painter, QPointF(0, 0), QSizeF(kGraphClientSize), Qt::black, record, state);
          }));

    QPointer<GraphWindow> window;
    ShowProfileGraph(window, record);
    Print("graph button: draw on GraphWindow and repaint the window", runs, Time(runs, [&] {
              ShowProfileGraph(window, record);
              window->repaint();
          }));
    delete window.data();

    Print("--plot picture: graph with axis labels, PNG encoded", 50, Time(50, [&] {
              QImage labelled = RenderLabelledProfileGraph(record);
              QByteArray png;
              QBuffer buffer(&png);
              buffer.open(QIODevice::WriteOnly);
              labelled.save(&buffer, "PNG");
          }));

    QTemporaryDir folder;
    const std::string path = folder.filePath("timing.csv").toStdString();
    Print("save: build, encode and write the file safely (with fsync)", runs, Time(runs, [&] {
              if (SaveCsvFile(path, "Comment 計測", record)) {
                  std::printf("save refused\n");
              }
          }));
    Print("save without the disk: build and encode the file only", runs * 10, Time(runs * 10, [&] {
              if (!BuildCsvFile("Comment 計測", record)) {
                  std::printf("build refused\n");
              }
          }));
    return 0;
}
