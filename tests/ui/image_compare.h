// Comparison of a rendered window with its reference picture. Glyph edges come out a little differently from
// one font rasteriser to the next; a control that moved, changed size or colour, or went missing changes
// whole areas, lines or flat fills:
//  - an edge pixel of the reference (one that differs from a neighbour by more than `edgeContrast`, such as
//  the
//    anti-aliased rim of a glyph) may be off by up to `edgeChannel` in each channel, any other pixel by up to
//    `channel`; a pixel off by more differs;
//  - at most `pixelBudget` of all pixels may differ, and no window of `block` x `block` pixels, wherever it
//    lies, may hold more than `windowPixels` of them (a small control that moved changes a cluster of
//    pixels; anti-aliasing scatters them);
//  - no block of `block` x `block` pixels may have more than `blockShare` of its pixels flat in the reference
//    and off by more than `blockChannel` (a faint recolour of a button or a box stays under `channel` but
//    changes its blocks wholesale, while anti-aliasing only touches edges).
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

namespace tessaroven::testing {

struct ImageTolerance {
    int channel = 24;
    int edgeChannel = 48;
    int edgeContrast = 16;
    double pixelBudget = 0.0002;  // 0.02 %: about 95 pixels of the main window
    int block = 8;
    int windowPixels = 10;
    double blockShare = 0.5;
    int blockChannel = 6;
};

struct ImageComparison {
    bool sameSize = false;
    int differingPixels = 0;
    int allowedPixels = 0;
    int densestWindow = 0;  // the most differing pixels in one block-sized window
    QPoint densestWindowAt;
    int changedBlocks = 0;
    QRect firstChangedBlock;  // in pixels; empty when no block changed
    int largestChannelDifference = 0;

    int allowedInWindow = 0;

    bool matches() const {
        return sameSize && differingPixels <= allowedPixels && densestWindow <= allowedInWindow &&
               changedBlocks == 0;
    }
    // One line for the test log.
    QString Summary() const;
};

ImageComparison CompareImages(const QImage& actual, const QImage& reference,
                              const ImageTolerance& tolerance = {});

// The reference faded to light grey with the differing pixels in red and the changed blocks outlined in
// magenta; for sizes that differ, the actual image on the left and the reference on the right.
QImage DiffImage(const QImage& actual, const QImage& reference, const ImageTolerance& tolerance = {});

}  // namespace tessaroven::testing
