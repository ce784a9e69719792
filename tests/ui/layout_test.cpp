// Both windows rendered offscreen: client sizes, every named control with its kind and geometry, fonts that
// show Japanese and keep the list columns fixed, button colour, stacking and the fixed-dialog style.
// With TESSAROVEN_SCREENSHOT_DIR set, the renderings are also written there as PNG files for a look.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include "gui_fixture.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

struct ExpectedControl {
    const char* name;
    const char* className;
    const char* parent;            // picture area that contains it, or ""
    int left, top, width, height;  // twips, as in the layout tables
};

// clang-format off
const ExpectedControl kMainWindowRows[] = {
    {"graphButton", "QPushButton", "", 9600, 7440, 2775, 615},
    {"saveButton", "QPushButton", "", 6480, 7440, 2775, 615},
    {"finishEntryButton", "QPushButton", "", 3240, 6120, 1815, 495},
    {"correctButton", "QPushButton", "", 840, 6120, 1815, 495},
    {"pointNumberEdit", "QLineEdit", "", 600, 4680, 1095, 495},
    {"resultList", "QListWidget", "", 9600, 600, 2775, 6540},
    {"convertButton", "QPushButton", "", 2520, 7440, 2535, 615},
    {"readingList", "QListWidget", "", 6480, 600, 2775, 6540},
    {"storeReadingButton", "QPushButton", "", 2160, 5400, 1695, 495},
    {"readingEdit", "QLineEdit", "", 3960, 4680, 1695, 495},
    {"offCentreEdit", "QLineEdit", "", 2160, 4680, 1095, 495},
    {"setupButton", "QPushButton", "", 2160, 3120, 1695, 495},
    {"pointCountEdit", "QLineEdit", "", 4680, 2280, 975, 495},
    {"exitButton", "QPushButton", "", 240, 7440, 975, 615},
    {"distanceEdit", "QLineEdit", "", 3600, 1680, 975, 495},
    {"conversionStepLabel", "QLabel", "", 2160, 7440, 315, 465},
    {"entryStepLabel", "QLabel", "", 120, 4200, 315, 465},
    {"setupStepLabel", "QLabel", "", 120, 1320, 315, 465},
    {"percentHeaderLabel", "QLabel", "", 11760, 240, 225, 345},
    {"entryFrame", "tessaroven::ShapeWidget", "", 240, 4200, 5775, 2775},
    {"setupFrame", "tessaroven::ShapeWidget", "", 240, 1440, 5775, 2415},
    {"programNameLabel", "QLabel", "", 9720, 240, 1725, 345},
    {"pointNumberHeaderLabel", "QLabel", "", 6480, 120, 585, 345},
    {"offCentreHeaderUpperLabel", "QLabel", "", 7320, 0, 285, 345},
    {"offCentreHeaderLowerLabel", "QLabel", "", 7320, 240, 705, 345},
    {"readingHeaderLabel", "QLabel", "", 8160, 120, 675, 345},
    {"pointNumberLabel", "QLabel", "", 600, 4320, 1215, 360},
    {"subtitleLabel", "QLabel", "", 240, 720, 5670, 465},
    {"titleLabel", "QLabel", "", 360, 240, 5130, 465},
    {"offCentreUnitLabel", "QLabel", "", 3360, 4680, 420, 420},
    {"readingLabel", "QLabel", "", 4320, 4320, 720, 360},
    {"offCentreLabel", "QLabel", "", 2280, 4320, 1110, 360},
    {"pointCountHintLabel", "QLabel", "", 960, 2640, 2835, 360},
    {"pointCountLabel", "QLabel", "", 480, 2280, 4140, 420},
    {"distanceUnitLabel", "QLabel", "", 4680, 1680, 420, 420},
};

const ExpectedControl kStartScreenRows[] = {
// Start screen `StartScreen`:
    {"sampleGraphPicture", "QFrame", "", 10560, 2760, 3735, 4815},
    {"creditIcon", "QFrame", "", 13440, 9960, 480, 480},
    {"arrowIcon", "QFrame", "", 5160, 4920, 480, 480},
    {"exitButton", "QPushButton", "", 7680, 9840, 1335, 615},
    {"startButton", "QPushButton", "", 5520, 9840, 1335, 615},
    {"fixedGantryPicture", "QFrame", "", 5760, 2760, 4695, 4815},
    {"fixedWordLabel", "QLabel", "fixedGantryPicture", 3840, 4440, 450, 345},
    {"fixedGantryWordLabel", "QLabel", "fixedGantryPicture", 3120, 4080, 1125, 345},
    {"rotatingGantryPicture", "QFrame", "", 240, 2760, 4815, 4815},
    {"rotatingWordLabel", "QLabel", "rotatingGantryPicture", 3840, 4440, 450, 345},
    {"rotatingGantryWordLabel", "QLabel", "rotatingGantryPicture", 3240, 4080, 1125, 345},
    {"detectorDot", "tessaroven::ShapeWidget", "", 480, 9360, 135, 135},
    {"conditionsDot", "tessaroven::ShapeWidget", "", 480, 9000, 135, 135},
    {"spacingDot", "tessaroven::ShapeWidget", "", 480, 8640, 135, 135},
    {"placementDot", "tessaroven::ShapeWidget", "", 480, 8280, 135, 135},
    {"followUpSecondLineLabel", "QLabel", "", 3840, 2160, 9690, 420},
    {"followUpFirstLineLabel", "QLabel", "", 3840, 1800, 9690, 420},
    {"detectorRequirementLabel", "QLabel", "", 720, 9240, 7125, 420},
    {"conditionsRequirementLabel", "QLabel", "", 720, 8880, 12255, 420},
    {"spacingRequirementLabel", "QLabel", "", 720, 8520, 8220, 420},
    {"placementRequirementLabel", "QLabel", "", 720, 8160, 13485, 420},
    {"requirementsHeadingLabel", "QLabel", "", 720, 7680, 3990, 420},
    {"introNoteLabel", "QLabel", "", 3840, 1320, 7695, 420},
    {"creditLabel", "QLabel", "", 10920, 10200, 2340, 255},
    {"introThirdLineLabel", "QLabel", "", 3840, 960, 9975, 420},
    {"introSecondLineLabel", "QLabel", "", 3840, 600, 10260, 420},
    {"introFirstLineLabel", "QLabel", "", 3840, 240, 9105, 420},
    {"titleLabel", "QLabel", "", 330, 585, 3090, 825},
    {"titleShadowLabel", "QLabel", "", 360, 600, 3090, 825},
};
// clang-format on

int Px(int twips) {
    return twips / 15;
}

void SaveScreenshot(const QImage& image, const char* name) {
    const QString folder = qEnvironmentVariable("TESSAROVEN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        image.save(QDir(folder).filePath(QString::fromLatin1(name)));
    }
}

QImage Render(QWidget& window) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void CheckControls(QWidget& window, std::span<const ExpectedControl> expected) {
    for (const ExpectedControl& e : expected) {
        SCOPED_TRACE(e.name);
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(e.name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->inherits(e.className)) << control->metaObject()->className();
        const QString parentName =
            control->parentWidget() == &window ? QString() : control->parentWidget()->objectName();
        EXPECT_EQ(parentName, QString::fromLatin1(e.parent));
        EXPECT_TRUE(control->isVisible());
        const QRect g = control->geometry();
        EXPECT_EQ(g.topLeft(), QPoint(Px(e.left), Px(e.top)));
        if (control->inherits("QLabel")) {
            // Labels size themselves to their text: at least the table's size, never cut.
            EXPECT_GE(g.width(), Px(e.width));
            EXPECT_GE(g.height(), Px(e.height));
            auto* label = static_cast<QLabel*>(control);
            EXPECT_GE(g.width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
        } else {
            EXPECT_EQ(g.size(), QSize(Px(e.width), Px(e.height)));
        }
    }
}

// Every character of text has a glyph in the font actually used (no boxes).
bool ShowsAllCharacters(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    for (const char32_t c : text.toUcs4()) {
        if (!metrics.inFontUcs4(c)) {
            return false;
        }
    }
    return true;
}

using LayoutTest = GuiTest;

TEST_F(LayoutTest, main_window_has_its_client_size_and_every_control_in_place) {
    MainWindow form;
    const QImage image = Render(form);
    SaveScreenshot(image, "main-window.png");
    EXPECT_EQ(form.measurementArea->size(), QSize(850, 557));
    EXPECT_EQ(form.measurementArea->geometry().bottom() + 1, form.statusBar()->geometry().top());
    EXPECT_EQ(form.menuBar()->geometry().bottom() + 1, form.measurementArea->geometry().top());
    EXPECT_EQ(image.size(), form.size());
    EXPECT_EQ(form.windowTitle(), "Tessaroven");
    CheckControls(*form.measurementArea, kMainWindowRows);
    EXPECT_EQ(form.distanceEdit->text(), "60");
    // The focus starts on the first control of the tab order.
    EXPECT_EQ(form.focusWidget(), form.distanceEdit);
}

TEST_F(LayoutTest, start_screen_has_its_client_size_and_every_control_in_place) {
    StartScreen form;
    const QImage image = Render(form);
    SaveScreenshot(image, "start-screen.png");
    EXPECT_EQ(image.size(), QSize(973, 714));
    EXPECT_EQ(form.size(), QSize(973, 714));
    EXPECT_EQ(form.windowTitle(), "Tessaroven");
    CheckControls(form, kStartScreenRows);
    EXPECT_EQ(form.focusWidget(), form.rotatingGantryPicture);
}

TEST_F(LayoutTest, windows_are_fixed_dialogs_with_a_close_box_only) {
    MainWindow main;
    StartScreen start;
    for (QWidget* window : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&start)}) {
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
    }
}

TEST_F(LayoutTest, every_text_shows_its_japanese_characters_and_lists_are_fixed_pitch) {
    MainWindow main;
    StartScreen start;
    for (QWidget* window : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&start)}) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            EXPECT_TRUE(ShowsAllCharacters(label->font(), label->text()))
                << label->objectName().toStdString();
        }
        for (const QPushButton* button : window->findChildren<QPushButton*>()) {
            EXPECT_TRUE(ShowsAllCharacters(button->font(), button->text()))
                << button->objectName().toStdString();
        }
    }
    for (const QListWidget* list : {main.readingList, main.resultList}) {
        // Digits, blanks and the full-width characters of a list line keep their columns.
        const QFontMetrics metrics(list->font());
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("1")),
                  metrics.horizontalAdvance(QStringLiteral(" ")));
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("測")),
                  2 * metrics.horizontalAdvance(QStringLiteral("0")));
        EXPECT_TRUE(ShowsAllCharacters(list->font(), QStringLiteral("測定値 (1)  0  :  100")));
    }
    // The start screen's title is a Western serif face, italic.
    const QFontInfo title(start.findChild<QLabel*>("titleLabel")->font());
    EXPECT_TRUE(title.italic());
    EXPECT_EQ(title.styleHint(), QFont::Serif);
}

TEST_F(LayoutTest, buttons_are_light_yellow_and_the_circled_digits_hide_their_frame_corners) {
    MainWindow form;
    const QImage image = Render(form).copy(form.measurementArea->geometry());
    // A point inside the Exit button away from its caption.
    const QRect exit = form.exitButton->geometry();
    EXPECT_EQ(QColor(image.pixel(exit.left() + 6, exit.center().y())), QColor(0xFF, 0xFF, 0xC0));
    // The setup frame's outline is drawn where nothing covers it, and hidden under "①" at its top-left
    // corner.
    const QRect frame = form.findChild<QWidget*>("setupFrame")->geometry();
    EXPECT_EQ(QColor(image.pixel(frame.left() + 200, frame.top())), QColor(Qt::black));
    EXPECT_NE(QColor(image.pixel(frame.left(), frame.top())), QColor(Qt::black));
    EXPECT_NE(QColor(image.pixel(frame.left() + 2, frame.top())), QColor(Qt::black));
}

TEST_F(LayoutTest, start_screen_title_is_red_over_a_yellow_shadow) {
    StartScreen form;
    const QImage image = Render(form);
    const QRect area = form.findChild<QLabel*>("titleShadowLabel")
                           ->geometry()
                           .united(form.findChild<QLabel*>("titleLabel")->geometry());
    int red = 0;
    int yellow = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c(image.pixel(x, y));
            red += (c == QColor(0xFF, 0, 0)) ? 1 : 0;
            yellow += (c == QColor(0xFF, 0xFF, 0)) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 200);
    EXPECT_GT(yellow, 20);   // the shadow shows
    EXPECT_GT(red, yellow);  // the red copy lies on top
    // The red instruction dots.
    const QRect dot = form.findChild<QWidget*>("placementDot")->geometry();
    EXPECT_EQ(QColor(image.pixel(dot.center())), QColor(0xFF, 0, 0));
}

TEST_F(LayoutTest, entry_boxes_centre_their_text_and_the_point_number_box_is_cyan) {
    MainWindow form;
    for (const QLineEdit* box : {form.distanceEdit, form.pointCountEdit, form.pointNumberEdit,
                                 form.offCentreEdit, form.readingEdit}) {
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter)
            << box->objectName().toStdString();
    }
    EXPECT_EQ(form.pointNumberEdit->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xFF));
    // A line wider than a list is scrolled to, not cut.
    form.show();
    form.resultList->addItem(QString(80, QLatin1Char('9')));
    QCoreApplication::processEvents();
    EXPECT_GT(form.resultList->horizontalScrollBar()->maximum(), 0);
    for (const QPushButton* button : form.findChildren<QPushButton*>()) {
        EXPECT_TRUE(button->autoDefault());
    }
}

}  // namespace
}  // namespace tessaroven::testing
