// The drawings and icons, checked on rendered pixels: each one is present at its picture area's size, shows
// the colours and shapes its description asks for, and leaves room for the captions laid over it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QSvgRenderer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "app/application.h"
#include "ui/artwork.h"
#include "ui/graph_window.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/save_dialog.h"
#include "ui/start_screen.h"

namespace tessaroven {
namespace {

// --- pixel helpers ---------------------------------------------------------------------------------------

using PixelTest = std::function<bool(const QColor&)>;

bool IsRed(const QColor& c) {
    return c.alpha() > 200 && c.red() > 200 && c.green() < 70 && c.blue() < 70;
}
bool IsYellow(const QColor& c) {
    return c.alpha() > 200 && c.red() > 200 && c.green() > 180 && c.blue() < 90;
}
bool IsBlue(const QColor& c) {
    return c.alpha() > 200 && c.blue() > 200 && c.red() < 70 && c.green() < 70;
}
bool IsDark(const QColor& c) {
    return c.alpha() > 150 && c.lightness() < 128;
}
bool IsGrey(const QColor& c) {
    return c.alpha() > 200 && std::abs(c.red() - c.green()) < 12 && std::abs(c.green() - c.blue()) < 12 &&
           c.red() > 110 && c.red() < 200;
}
bool IsBrown(const QColor& c) {
    return c.alpha() > 200 && c.red() > 150 && c.red() > c.green() + 40 && c.green() > c.blue() + 30;
}
bool IsPainted(const QColor& c) {
    return c.alpha() > 0;
}

struct Found {
    int count = 0;
    QRect bounds;  // of the matching pixels
};

Found FindPixels(const QImage& image, const PixelTest& test, QRect area = {}) {
    if (area.isNull()) {
        area = image.rect();
    }
    area &= image.rect();
    Found found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixelColor(x, y))) {
                ++found.count;
                found.bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return found;
}

double Share(const QImage& image, const PixelTest& test, const QRect& area) {
    return static_cast<double>(FindPixels(image, test, area).count) / (area.width() * area.height());
}

// --- every drawing ---------------------------------------------------------------------------------------

struct DrawingCase {
    const char* name;
    Artwork artwork;
    int widthTwips;  // the picture area the drawing is made for
    int heightTwips;
    double minPaintedShare;  // a blank or nearly blank render is a missing or broken drawing
};

void PrintTo(const DrawingCase& c, std::ostream* os) {
    *os << c.name;
}

class DrawingTest : public ::testing::TestWithParam<DrawingCase> {};

TEST_P(DrawingTest, is_a_valid_svg_of_its_picture_area_size) {
    const DrawingCase& c = GetParam();
    QSvgRenderer renderer(ArtworkResource(c.artwork));
    ASSERT_TRUE(renderer.isValid()) << ArtworkResource(c.artwork).toStdString();
    const QSize area(TwipsToPixels(c.widthTwips), TwipsToPixels(c.heightTwips));
    EXPECT_EQ(renderer.defaultSize(), area);
    EXPECT_EQ(ArtworkSize(c.artwork), area);
}

TEST_P(DrawingTest, renders_a_picture_at_its_size_and_scaled) {
    const DrawingCase& c = GetParam();
    for (const double scale : {1.0, 0.5, 2.0}) {
        const QSize size = (QSizeF(ArtworkSize(c.artwork)) * scale).toSize();
        const QImage image = RenderArtwork(c.artwork, size);
        ASSERT_EQ(image.size(), size);
        const double painted = Share(image, IsPainted, image.rect());
        EXPECT_GT(painted, c.minPaintedShare) << "scale " << scale;
        EXPECT_LT(painted, 1.0) << "a drawing, not a filled rectangle; scale " << scale;
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, DrawingTest,
    ::testing::Values(DrawingCase{"rotating", Artwork::RotatingGantry, 4815, 4815, 0.10},
                      DrawingCase{"fixed", Artwork::FixedGantry, 4695, 4815, 0.10},
                      DrawingCase{"sample_graph", Artwork::SampleGraph, 3735, 4815, 0.30},
                      DrawingCase{"arrow", Artwork::Arrow, 480, 480, 0.25},
                      DrawingCase{"dog", Artwork::Dog, 480, 480, 0.25},
                      DrawingCase{"app_icon", Artwork::AppIcon, 960, 960, 0.50}),
    [](const ::testing::TestParamInfo<DrawingCase>& info) { return std::string(info.param.name); });

TEST(Artwork, an_empty_size_gives_no_image) {
    EXPECT_TRUE(RenderArtwork(Artwork::RotatingGantry, QSize()).isNull());
    EXPECT_TRUE(RenderArtwork(Artwork::RotatingGantry, QSize(0, 50)).isNull());
    EXPECT_TRUE(RenderArtwork(Artwork::RotatingGantry, QSize(-5, -5)).isNull());
}

// --- the figures' content --------------------------------------------------------------------------------

// Where the layout lays the two caption labels over a figure (twips inside the picture area), with the
// labels' own sizes; the drawing must keep that corner clear.
QRect CaptionArea(int firstLeft, int secondLeft) {
    const QRect first(TwipsToPixels(firstLeft), TwipsToPixels(4080), TwipsToPixels(1125), TwipsToPixels(345));
    const QRect second(TwipsToPixels(secondLeft), TwipsToPixels(4440), TwipsToPixels(450),
                       TwipsToPixels(345));
    return first | second;
}

TEST(RotatingGantryFigure, shows_the_source_all_around_the_circle_and_the_row_to_the_right) {
    const QImage image = RenderArtwork(Artwork::RotatingGantry, ArtworkSize(Artwork::RotatingGantry));
    const int w = image.width();
    const int h = image.height();

    // The source at nine positions along the circle: red in every quarter of the picture.
    for (const QRect& quarter : {QRect(0, 0, w / 2, h / 2), QRect(w / 2, 0, w / 2, h / 2),
                                 QRect(0, h / 2, w / 2, h / 2), QRect(w / 2, h / 2, w / 2, h / 2)}) {
        EXPECT_GT(FindPixels(image, IsRed, quarter).count, 40)
            << "quarter at " << quarter.x() << "," << quarter.y();
    }
    // Nine dots of several pixels each, not a red area.
    const Found red = FindPixels(image, IsRed);
    EXPECT_GT(red.count, 9 * 40);
    EXPECT_LT(red.count, 9 * 250);

    // The measuring points: yellow dots in one thin horizontal row, from about the middle to the right.
    const Found yellow = FindPixels(image, IsYellow);
    EXPECT_GT(yellow.count, 30);
    EXPECT_LE(yellow.bounds.height(), 10);
    EXPECT_GT(yellow.bounds.width(), w / 5);
    EXPECT_GT(yellow.bounds.left(), w * 2 / 5);
    EXPECT_GT(yellow.bounds.top(), h / 3);
    EXPECT_LT(yellow.bounds.bottom(), h * 2 / 3);
}

TEST(FixedGantryFigure, shows_the_source_only_at_the_top_with_inscriptions_under_the_row) {
    const QImage image = RenderArtwork(Artwork::FixedGantry, ArtworkSize(Artwork::FixedGantry));
    const int h = image.height();

    const Found red = FindPixels(image, IsRed);
    EXPECT_GT(red.count, 40);
    EXPECT_LT(red.count, 250) << "one source position";
    EXPECT_LT(red.bounds.bottom(), h / 4);

    const Found yellow = FindPixels(image, IsYellow);
    EXPECT_GT(yellow.count, 30);
    EXPECT_LE(yellow.bounds.height(), 10);

    // Text under the row (the points, their spacing, the profile) and left of the centre.
    const QRect underRow(yellow.bounds.left(), yellow.bounds.bottom() + 4,
                         image.width() - yellow.bounds.left(), h / 4);
    EXPECT_GT(FindPixels(image, IsDark, underRow).count, 150);
    const QRect leftOfCentre(0, yellow.bounds.bottom(), yellow.bounds.left() - 8, h / 8);
    EXPECT_GT(FindPixels(image, IsDark, leftOfCentre).count, 60);
}

struct CaptionCase {
    const char* name;
    Artwork artwork;
    QRect captions;
};

void PrintTo(const CaptionCase& c, std::ostream* os) {
    *os << c.name;
}

class CaptionRoomTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionRoomTest, leaves_the_caption_corner_clear) {
    const CaptionCase& c = GetParam();
    const QImage image = RenderArtwork(c.artwork, ArtworkSize(c.artwork));
    // The caption labels are transparent: anything drawn there would run through their text.
    EXPECT_LT(Share(image, IsPainted, c.captions), 0.02);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, CaptionRoomTest,
    ::testing::Values(CaptionCase{"rotating", Artwork::RotatingGantry, CaptionArea(3240, 3840)},
                      CaptionCase{"fixed", Artwork::FixedGantry, CaptionArea(3120, 3840)}),
    [](const ::testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

TEST(SampleGraphFigure, shows_a_falling_red_curve_on_a_grey_grid) {
    const QImage image = RenderArtwork(Artwork::SampleGraph, ArtworkSize(Artwork::SampleGraph));
    EXPECT_GT(FindPixels(image, IsGrey).count, 300);

    const Found red = FindPixels(image, IsRed);
    ASSERT_GT(red.count, 200);
    // Falling: in each successive band of columns the curve lies lower (higher y) than in the one before.
    const int bands = 4;
    const int bandWidth = red.bounds.width() / bands;
    double previousMeanY = -1;
    for (int i = 0; i < bands; ++i) {
        const QRect band(red.bounds.left() + i * bandWidth, 0, bandWidth, image.height());
        long sumY = 0;
        int count = 0;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                if (IsRed(image.pixelColor(x, y))) {
                    sumY += y;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 0) << "band " << i;
        const double meanY = static_cast<double>(sumY) / count;
        EXPECT_GT(meanY, previousMeanY) << "band " << i;
        previousMeanY = meanY;
    }
    // Inscriptions left of the plot (vertical axis) and under it (horizontal axis).
    EXPECT_GT(FindPixels(image, IsDark, QRect(0, 0, red.bounds.left() - 2, image.height())).count, 100);
    EXPECT_GT(
        FindPixels(image, IsDark, QRect(0, red.bounds.bottom() + 20, image.width(), image.height())).count,
        100);
}

// --- the icons -------------------------------------------------------------------------------------------

// Height of the painted pixels in column x.
int ColumnHeight(const QImage& image, int x) {
    return FindPixels(image, IsPainted, QRect(x, 0, 1, image.height())).bounds.height();
}

TEST(ArrowIcon, is_blue_outlined_and_points_right) {
    const QPixmap pixmap = ArtworkPixmap(Artwork::Arrow);
    ASSERT_EQ(pixmap.size(), QSize(32, 32));
    const QImage image = pixmap.toImage();
    EXPECT_GT(FindPixels(image, IsBlue).count, 60);

    // Shaft on the left, wide head behind a narrow tip on the right.
    const QRect painted = FindPixels(image, IsPainted).bounds;
    const int shaft = ColumnHeight(image, painted.left() + painted.width() / 4);
    const int head = ColumnHeight(image, painted.left() + painted.width() * 5 / 8);
    const int tip = ColumnHeight(image, painted.right());
    EXPECT_GT(head, shaft + 6);
    EXPECT_LT(tip, 6);
    EXPECT_GT(painted.right(), image.width() * 3 / 4);
}

TEST(DogIcon, is_a_brown_figure_within_its_32_pixels) {
    const QPixmap pixmap = ArtworkPixmap(Artwork::Dog);
    ASSERT_EQ(pixmap.size(), QSize(32, 32));
    const QImage image = pixmap.toImage();
    EXPECT_GT(FindPixels(image, IsBrown).count, 120);
    EXPECT_GT(FindPixels(image, IsDark).count, 3);  // eye and nose
    // Not clipped by the icon's edge on the left or right.
    const QRect painted = FindPixels(image, IsPainted).bounds;
    EXPECT_GT(painted.width(), 24);
}

TEST(WindowIcon, offers_the_title_bar_and_desktop_sizes) {
    const QIcon icon = WindowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int side : {16, 32, 48, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
        const QImage image = icon.pixmap(QSize(side, side)).toImage();
        ASSERT_EQ(image.size(), QSize(side, side)) << side;
        EXPECT_GT(Share(image, IsPainted, image.rect()), 0.4) << side;
        EXPECT_GT(FindPixels(image, IsRed).count, 0) << "the profile curve at " << side;
    }
}

// The window icon drawn at the title bar's size: the ring with the red profile curve, not a blank or the
// platform's default.
void ExpectWindowIcon(const QWidget& window) {
    const QImage image = window.windowIcon().pixmap(QSize(32, 32)).toImage();
    ASSERT_FALSE(image.isNull()) << window.objectName().toStdString();
    EXPECT_GT(FindPixels(image, IsRed).count, 5) << window.objectName().toStdString();
    EXPECT_GT(Share(image, IsPainted, image.rect()), 0.4) << window.objectName().toStdString();
}

TEST(WindowIcon, every_window_carries_it_from_program_start) {
    QApplication::setWindowIcon(QIcon());
    Application application;
    application.Start();
    ExpectWindowIcon(*application.startScreen());
    EXPECT_EQ(QApplication::desktopFileName(), QStringLiteral("tessaroven"))
        << "the installed menu entry's name";
    application.startMeasurement();
    ASSERT_NE(application.mainWindow(), nullptr);
    ExpectWindowIcon(*application.mainWindow());
    // Windows created later (the save dialog and the graph window) take the application's icon too.
    QWidget later;
    ExpectWindowIcon(later);
    application.returnToStartScreen();
}

// --- picture areas ---------------------------------------------------------------------------------------

// A window with one bordered picture area holding a caption label, built the way the start screen builds its
// own, with the start screen's picture factory.
struct PictureWindow {
    QWidget window;
    QFrame* picture = nullptr;
    QLabel* caption = nullptr;

    PictureWindow(const char* pictureName, int width, int height) {
        const ControlRow table[] = {
            {.name = pictureName,
             .kind = ControlKind::Picture,
             .left = 150,
             .top = 150,
             .width = width,
             .height = height,
             .systemBackground = SystemBackground::Window,
             .tabIndex = 0,
             .border = PictureBorder::FlatSingle},
            {.name = "Caption",
             .kind = ControlKind::Label,
             .caption = "ガントリー",
             .left = 300,
             .top = 300,
             .transparent = true,
             .parent = pictureName},
        };
        window.resize(TwipsToPixels(width) + 40, TwipsToPixels(height) + 40);
        BuildControls(&window, table, CreateStartScreenPicture);
        picture = ControlNamed<QFrame>(&window, pictureName);
        caption = ControlNamed<QLabel>(&window, "Caption");
    }

    QImage Grab() { return picture->grab().toImage().convertToFormat(QImage::Format_ARGB32); }
};

struct FactoryCase {
    const char* pictureName;
    std::optional<Artwork> artwork;
};

void PrintTo(const FactoryCase& c, std::ostream* os) {
    *os << c.pictureName;
}

class StartScreenPictureTest : public ::testing::TestWithParam<FactoryCase> {};

TEST_P(StartScreenPictureTest, gives_each_picture_area_its_drawing) {
    const FactoryCase& c = GetParam();
    EXPECT_EQ(StartScreenArtwork(c.pictureName), c.artwork);
    PictureWindow w(c.pictureName, 1500, 1500);
    auto* artworkPicture = qobject_cast<ArtworkPicture*>(w.picture);
    if (!c.artwork) {
        EXPECT_EQ(artworkPicture, nullptr) << "a plain picture area";
        return;
    }
    ASSERT_NE(artworkPicture, nullptr);
    EXPECT_EQ(artworkPicture->artwork(), *c.artwork);
    EXPECT_EQ(w.caption->parentWidget(), w.picture);
}

INSTANTIATE_TEST_SUITE_P(Names, StartScreenPictureTest,
                         ::testing::Values(FactoryCase{"rotatingGantryPicture", Artwork::RotatingGantry},
                                           FactoryCase{"fixedGantryPicture", Artwork::FixedGantry},
                                           FactoryCase{"arrowIcon", Artwork::Arrow},
                                           FactoryCase{"creditIcon", Artwork::Dog},
                                           FactoryCase{"sampleGraphPicture", Artwork::SampleGraph},
                                           FactoryCase{"otherPicture", std::nullopt},
                                           FactoryCase{"RotatingGantryPicture", std::nullopt},
                                           FactoryCase{"titleShadowLabel", std::nullopt}),
                         [](const ::testing::TestParamInfo<FactoryCase>& info) {
                             return std::string(info.param.pictureName);
                         });

TEST(StartScreenArtwork, a_missing_name_has_no_drawing) {
    EXPECT_EQ(StartScreenArtwork(nullptr), std::nullopt);
}

TEST(ArtworkPicture, draws_inside_its_border_under_its_captions) {
    PictureWindow w("rotatingGantryPicture", 4815, 4815);
    const QImage image = w.Grab();
    ASSERT_EQ(image.size(), QSize(321, 321));

    // The flat border stays a closed black line around the drawing.
    for (int i = 0; i < 321; i += 7) {
        for (const QPoint p : {QPoint(i, 0), QPoint(i, 320), QPoint(0, i), QPoint(320, i)}) {
            ASSERT_EQ(image.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
        }
    }
    // The drawing inside: red source dots and yellow measuring points.
    const QRect client = w.picture->contentsRect();
    EXPECT_GT(FindPixels(image, IsRed, client).count, 9 * 40);
    EXPECT_GT(FindPixels(image, IsYellow, client).count, 30);
    // The caption label lies above the drawing.
    EXPECT_GT(FindPixels(image, IsDark, w.caption->geometry()).count, 20);
}

TEST(ArtworkPicture, keeps_the_aspect_ratio_in_a_wide_area) {
    // A square drawing in an area three times as wide as high: centred, the sides left as background.
    PictureWindow w("rotatingGantryPicture", 9000, 3000);
    w.caption->hide();
    const QImage image = w.Grab();
    const QRect client = w.picture->contentsRect();
    const QColor background = w.picture->palette().color(QPalette::Window);
    const auto notBackground = [&](const QColor& c) { return c != background; };
    const Found drawn = FindPixels(image, notBackground, client);
    QRect square(0, 0, client.height(), client.height());
    square.moveCenter(client.center());
    EXPECT_TRUE(square.adjusted(-1, -1, 1, 1).contains(drawn.bounds))
        << drawn.bounds.x() << "," << drawn.bounds.y() << " " << drawn.bounds.width() << "x"
        << drawn.bounds.height();
    EXPECT_GT(drawn.bounds.width(), client.height() * 3 / 4);
    EXPECT_GT(drawn.bounds.height(), client.height() * 3 / 4);
}

TEST(ArtworkPicture, follows_a_resize) {
    PictureWindow w("sampleGraphPicture", 3735, 4815);
    w.picture->resize(w.picture->width() / 2, w.picture->height() / 2);
    const QImage image = w.Grab();
    const QRect client = w.picture->contentsRect();
    const Found red = FindPixels(image, IsRed, client);
    EXPECT_GT(red.count, 50);
    EXPECT_TRUE(client.contains(red.bounds));
}

}  // namespace
}  // namespace tessaroven
