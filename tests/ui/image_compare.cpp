// Tolerant comparison of a rendering with its reference picture, and the diff picture for a mismatch.
#include "image_compare.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

template <class BlockVisitor>
void ForEachChangedBlock(const QImage& actual, const QImage& reference, const ImageTolerance& tolerance,
                         BlockVisitor&& visit) {
    const int side = std::max(1, tolerance.block);
    for (int top = 0; top < actual.height(); top += side) {
        for (int left = 0; left < actual.width(); left += side) {
            const QRect block = QRect(left, top, side, side).intersected(actual.rect());
            int changed = 0;
            for (int y = block.top(); y <= block.bottom(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
                const auto* r = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
                for (int x = block.left(); x <= block.right(); ++x) {
                    changed += ChannelDifference(a[x], r[x]) > tolerance.blockChannel ? 1 : 0;
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
    QString text =
        QStringLiteral("%1 pixels differ (allowed %2), largest channel difference %3, %4 blocks changed")
            .arg(differingPixels)
            .arg(allowedPixels)
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
    result.allowedPixels =
        static_cast<int>(std::floor(tolerance.pixelBudget * actual.width() * actual.height()));
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            const int difference = ChannelDifference(a[x], r[x]);
            result.largestChannelDifference = std::max(result.largestChannelDifference, difference);
            result.differingPixels += difference > tolerance.channel ? 1 : 0;
        }
    }
    ForEachChangedBlock(actual, reference, tolerance, [&](const QRect& block) {
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
    QImage diff(actual.size(), QImage::Format_RGB32);
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(diff.scanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            if (ChannelDifference(a[x], r[x]) > tolerance.channel) {
                d[x] = qRgb(255, 0, 0);
            } else {
                const int grey = 192 + qGray(r[x]) / 4;
                d[x] = qRgb(grey, grey, grey);
            }
        }
    }
    QPainter painter(&diff);
    painter.setPen(QPen(Qt::magenta, 1));
    ForEachChangedBlock(actual, reference, tolerance,
                        [&](const QRect& block) { painter.drawRect(block.adjusted(0, 0, -1, -1)); });
    return diff;
}

}  // namespace tessaroven::testing
