// Comparison of a rendered window with its reference picture. Glyph edges come out a little differently from
// one font rasteriser to the next, so a few scattered pixels may differ; a control that moved, changed size
// or colour, or went missing changes whole areas and fails:
//  - a pixel differs when one of its channels is off by more than `channel`;
//  - at most `pixelBudget` of all pixels may differ;
//  - no block of `block` x `block` pixels may have more than `blockShare` of its pixels off by more than
//    `blockChannel` (a faint recolour of a button or a box stays under `channel` but changes its blocks
//    wholesale).
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace tessaroven::testing {

struct ImageTolerance {
    int channel = 24;
    double pixelBudget = 0.0002;  // 0.02 %: about 95 pixels of the main window
    int block = 8;
    double blockShare = 0.5;
    int blockChannel = 6;
};

struct ImageComparison {
    bool sameSize = false;
    int differingPixels = 0;
    int allowedPixels = 0;
    int changedBlocks = 0;
    QRect firstChangedBlock;  // in pixels; empty when no block changed
    int largestChannelDifference = 0;

    bool matches() const { return sameSize && differingPixels <= allowedPixels && changedBlocks == 0; }
    // One line for the test log.
    QString Summary() const;
};

ImageComparison CompareImages(const QImage& actual, const QImage& reference,
                              const ImageTolerance& tolerance = {});

// The reference faded to light grey with the differing pixels in red and the changed blocks outlined in
// magenta; for sizes that differ, the actual image on the left and the reference on the right.
QImage DiffImage(const QImage& actual, const QImage& reference, const ImageTolerance& tolerance = {});

}  // namespace tessaroven::testing
