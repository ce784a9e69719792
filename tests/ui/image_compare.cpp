// Tolerant comparison of a rendering with its reference picture, and the diff picture for a mismatch.
#include "image_compare.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace tessaroven::testing {

namespace {

int ChannelDifference(QRgb a, QRgb b) {
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Both pictures in one format, alpha ignored (a window has no transparent pixels).
QImage Normalised(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// Per pixel of the reference, 1 on an edge (it differs from one of its eight neighbours), 0 on a flat area.
std::vector<unsigned char> EdgeMap(const QImage& reference, const ImageTolerance& tolerance) {
    const int width = reference.width();
    const int height = reference.height();
    std::vector<unsigned char> result(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            bool edge = false;
            for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1) && !edge; ++ny) {
                const auto* neighbours = reinterpret_cast<const QRgb*>(reference.constScanLine(ny));
                for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1) && !edge; ++nx) {
                    edge = ChannelDifference(row[x], neighbours[nx]) > tolerance.edgeContrast;
                }
            }
            if (edge) {
                result[static_cast<std::size_t>(y) * width + x] = 1;
            }
        }
    }
    return result;
}

// Calls visit(block) for every block whose flat pixels changed wholesale.
template <class BlockVisitor>
void ForEachChangedBlock(const QImage& actual, const QImage& reference,
                         const std::vector<unsigned char>& edges, const ImageTolerance& tolerance,
                         BlockVisitor&& visit) {
    const int side = std::max(1, tolerance.block);
    for (int top = 0; top < actual.height(); top += side) {
        for (int left = 0; left < actual.width(); left += side) {
            const QRect block = QRect(left, top, side, side).intersected(actual.rect());
            int changed = 0;
            for (int y = block.top(); y <= block.bottom(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
                const auto* r = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
                const unsigned char* e = edges.data() + static_cast<std::size_t>(y) * actual.width();
                for (int x = block.left(); x <= block.right(); ++x) {
                    changed += e[x] == 0 && ChannelDifference(a[x], r[x]) > tolerance.blockChannel ? 1 : 0;
                }
            }
            const int area = block.width() * block.height();
            if (changed > tolerance.blockShare * area) {
                visit(block);
            }
        }
    }
}

}  // namespace

QString ImageComparison::Summary() const {
    if (!sameSize) {
        return QStringLiteral("sizes differ");
    }
    QString text = QStringLiteral(
                       "%1 pixels differ (allowed %2), at most %3 in one window (allowed %4, at x %5, "
                       "y %6), largest channel difference %7, %8 blocks changed")
                       .arg(differingPixels)
                       .arg(allowedPixels)
                       .arg(densestWindow)
                       .arg(allowedInWindow)
                       .arg(densestWindowAt.x())
                       .arg(densestWindowAt.y())
                       .arg(largestChannelDifference)
                       .arg(changedBlocks);
    if (changedBlocks > 0) {
        text +=
            QStringLiteral(", the first at x %1, y %2").arg(firstChangedBlock.x()).arg(firstChangedBlock.y());
    }
    return text;
}

ImageComparison CompareImages(const QImage& actualImage, const QImage& referenceImage,
                              const ImageTolerance& tolerance) {
    ImageComparison result;
    if (actualImage.isNull() || referenceImage.isNull() || actualImage.size() != referenceImage.size()) {
        return result;
    }
    result.sameSize = true;
    const QImage actual = Normalised(actualImage);
    const QImage reference = Normalised(referenceImage);
    const std::vector<unsigned char> edges = EdgeMap(reference, tolerance);
    result.allowedPixels =
        static_cast<int>(std::floor(tolerance.pixelBudget * actual.width() * actual.height()));
    result.allowedInWindow = tolerance.windowPixels;
    // Summed-area table of the differing pixels, one row and column larger, for the window counts.
    const int width = actual.width();
    const int height = actual.height();
    std::vector<int> sums(static_cast<std::size_t>(width + 1) * (height + 1), 0);
    const auto sum = [&](int x, int y) -> int& {
        return sums[static_cast<std::size_t>(y) * (width + 1) + x];
    };
    for (int y = 0; y < height; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        const unsigned char* e = edges.data() + static_cast<std::size_t>(y) * width;
        int rowCount = 0;
        for (int x = 0; x < width; ++x) {
            const int difference = ChannelDifference(a[x], r[x]);
            result.largestChannelDifference = std::max(result.largestChannelDifference, difference);
            const bool differs = difference > (e[x] != 0 ? tolerance.edgeChannel : tolerance.channel);
            result.differingPixels += differs ? 1 : 0;
            rowCount += differs ? 1 : 0;
            sum(x + 1, y + 1) = sum(x + 1, y) + rowCount;
        }
    }
    const int side = std::max(1, tolerance.block);
    for (int y = 0; y + side <= height; ++y) {
        for (int x = 0; x + side <= width; ++x) {
            const int count = sum(x + side, y + side) - sum(x, y + side) - sum(x + side, y) + sum(x, y);
            if (count > result.densestWindow) {
                result.densestWindow = count;
                result.densestWindowAt = QPoint(x, y);
            }
        }
    }
    ForEachChangedBlock(actual, reference, edges, tolerance, [&](const QRect& block) {
        if (result.changedBlocks++ == 0) {
            result.firstChangedBlock = block;
        }
    });
    return result;
}

QImage DiffImage(const QImage& actualImage, const QImage& referenceImage, const ImageTolerance& tolerance) {
    const QImage actual = Normalised(actualImage);
    const QImage reference = Normalised(referenceImage);
    if (actual.size() != reference.size()) {
        QImage sideBySide(actual.width() + reference.width(), std::max(actual.height(), reference.height()),
                          QImage::Format_RGB32);
        sideBySide.fill(Qt::magenta);
        QPainter painter(&sideBySide);
        painter.drawImage(0, 0, actual);
        painter.drawImage(actual.width(), 0, reference);
        return sideBySide;
    }
    const std::vector<unsigned char> edges = EdgeMap(reference, tolerance);
    QImage diff(actual.size(), QImage::Format_RGB32);
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        const unsigned char* e = edges.data() + static_cast<std::size_t>(y) * actual.width();
        auto* d = reinterpret_cast<QRgb*>(diff.scanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            if (ChannelDifference(a[x], r[x]) > (e[x] != 0 ? tolerance.edgeChannel : tolerance.channel)) {
                d[x] = qRgb(255, 0, 0);
            } else {
                const int grey = 192 + qGray(r[x]) / 4;
                d[x] = qRgb(grey, grey, grey);
            }
        }
    }
    QPainter painter(&diff);
    painter.setPen(QPen(Qt::magenta, 1));
    ForEachChangedBlock(actual, reference, edges, tolerance,
                        [&](const QRect& block) { painter.drawRect(block.adjusted(0, 0, -1, -1)); });
    return diff;
}

}  // namespace tessaroven::testing
