// Renders the SVG drawings into images, pixmaps, the window icon and the start screen's picture areas.
#include "ui/artwork.h"

#include <QFont>
#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <cstring>

#include "ui/layout.h"

namespace tessaroven {

namespace {

// The drawings name their faces as CSS family lists (so they also look right in a browser), but QtSvg takes
// the whole list as one family name. Substitutions keyed on those exact strings resolve them.
void InstallFontSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions(
            QStringLiteral("IPAPGothic, Noto Sans CJK JP, sans-serif"),
            {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
        QFont::insertSubstitutions(QStringLiteral("Liberation Serif, Times New Roman, serif"),
                                   {QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                                    QStringLiteral("DejaVu Serif")});
        QFont::insertSubstitutions(
            QStringLiteral("Liberation Sans, Arial, sans-serif"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)installed;
}

// Paints the drawing into target, aspect ratio kept and centred.
void PaintArtwork(QPainter& painter, Artwork artwork, const QRectF& target) {
    InstallFontSubstitutes();
    QSvgRenderer renderer(ArtworkResource(artwork));
    if (!renderer.isValid() || target.isEmpty()) {
        return;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    renderer.render(&painter, target);
}

}  // namespace

QString ArtworkResource(Artwork artwork) {
    switch (artwork) {
        case Artwork::RotatingGantry:
            return QStringLiteral(":/tessaroven/figure-rotating.svg");
        case Artwork::FixedGantry:
            return QStringLiteral(":/tessaroven/figure-fixed.svg");
        case Artwork::SampleGraph:
            return QStringLiteral(":/tessaroven/figure-sample-graph.svg");
        case Artwork::Arrow:
            return QStringLiteral(":/tessaroven/arrow.svg");
        case Artwork::Dog:
            return QStringLiteral(":/tessaroven/dog.svg");
        case Artwork::AppIcon:
            return QStringLiteral(":/tessaroven/app-icon.svg");
    }
    return {};
}

QSize ArtworkSize(Artwork artwork) {
    switch (artwork) {
        case Artwork::RotatingGantry:
            return {321, 321};  // 4815 x 4815 twips
        case Artwork::FixedGantry:
            return {313, 321};  // 4695 x 4815 twips
        case Artwork::SampleGraph:
            return {249, 321};  // 3735 x 4815 twips
        case Artwork::Arrow:
        case Artwork::Dog:
            return {32, 32};
        case Artwork::AppIcon:
            return {64, 64};
    }
    return {};
}

QImage RenderArtwork(Artwork artwork, QSize size, const QColor& background) {
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintArtwork(painter, artwork, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QPixmap ArtworkPixmap(Artwork artwork) {
    return QPixmap::fromImage(RenderArtwork(artwork, ArtworkSize(artwork)));
}

QIcon WindowIcon() {
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(RenderArtwork(Artwork::AppIcon, QSize(side, side))));
    }
    return icon;
}

ArtworkPicture::ArtworkPicture(Artwork artwork, QWidget* parent) : QFrame(parent), m_artwork(artwork) {}

QSize ArtworkPicture::sizeHint() const {
    const QMargins frame = contentsMargins();
    return ArtworkSize(m_artwork).grownBy(frame);
}

void ArtworkPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);  // the border; the background is filled by the widget itself
    const QRect client = contentsRect();
    if (client.isEmpty()) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(client.size()) * ratio).toSize();
    if (m_cache.size() != pixels || m_cache.devicePixelRatio() != ratio) {
        m_cache = QPixmap::fromImage(RenderArtwork(m_artwork, pixels));
        m_cache.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.drawPixmap(client.topLeft(), m_cache);
}

std::optional<Artwork> StartScreenArtwork(const char* pictureName) {
    struct Entry {
        const char* name;
        Artwork artwork;
    };
    static constexpr Entry kPictures[] = {
        {"rotatingGantryPicture", Artwork::RotatingGantry},
        {"fixedGantryPicture", Artwork::FixedGantry},
        {"arrowIcon", Artwork::Arrow},
        {"creditIcon", Artwork::Dog},
        {"sampleGraphPicture", Artwork::SampleGraph},
    };
    if (pictureName == nullptr) {
        return std::nullopt;
    }
    for (const Entry& entry : kPictures) {
        if (std::strcmp(entry.name, pictureName) == 0) {
            return entry.artwork;
        }
    }
    return std::nullopt;
}

QFrame* CreateStartScreenPicture(const ControlRow& row, QWidget* parent) {
    const std::optional<Artwork> artwork = StartScreenArtwork(row.name);
    if (!artwork) {
        return nullptr;
    }
    return new ArtworkPicture(*artwork, parent);
}

}  // namespace tessaroven
