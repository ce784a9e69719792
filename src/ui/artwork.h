// The program's own drawings: the start screen's three figures and two small icons, and the window icon.
// They are SVG resources (resources/*.svg) rendered with QtSvg, so they stay sharp on any screen; the picture
// areas keep their look from the layout tables and only paint the drawing inside.
#pragma once

#include <QColor>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <optional>

namespace tessaroven {

struct ControlRow;

enum class Artwork {
    RotatingGantry,  // start screen rotatingGantryPicture: nine source positions, all rays to one measuring
                     // point
    FixedGantry,     // start screen fixedGantryPicture: the source standing still, a fan to every measuring
                     // point
    SampleGraph,     // start screen sampleGraphPicture: a sample of the result graph
    Arrow,           // start screen arrowIcon: 32 x 32
    Dog,             // start screen creditIcon: 32 x 32
    AppIcon,         // window icon and desktop icon
};

// Resource path of the drawing (":/tessaroven/...svg").
QString ArtworkResource(Artwork artwork);

// The drawing's own size in pixels at 96 dpi, which is the size of the picture area it was made for.
QSize ArtworkSize(Artwork artwork);

// The drawing scaled into an image of the given size, aspect ratio kept and centred, on the background
// colour. An empty size gives a null image.
QImage RenderArtwork(Artwork artwork, QSize size, const QColor& background = Qt::transparent);

// The drawing at its own size, for the 32 x 32 pictures.
QPixmap ArtworkPixmap(Artwork artwork);

// The one icon of all four windows (set on the application), with images from 16 to 256 pixels.
QIcon WindowIcon();

// A picture area that shows a drawing scaled into its client area (inside the frame), aspect ratio kept.
// Controls placed inside the picture area (the caption labels) are its children and so lie above the drawing.
class ArtworkPicture : public QFrame {
    Q_OBJECT
public:
    explicit ArtworkPicture(Artwork artwork, QWidget* parent = nullptr);
    Artwork artwork() const { return m_artwork; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Artwork m_artwork;
    QPixmap m_cache;  // rendered at the current client size and device pixel ratio
};

// The drawing a start-screen picture area shows, by the control's name (rotatingGantryPicture to
// sampleGraphPicture).
std::optional<Artwork> StartScreenArtwork(const char* pictureName);

// Picture factory for the start screen's layout table: an ArtworkPicture for rotatingGantryPicture to
// sampleGraphPicture, null (the plain picture area) for any other name.
QFrame* CreateStartScreenPicture(const ControlRow& row, QWidget* parent);

}  // namespace tessaroven
