// Every window rendered offscreen in a fixed state and compared with its reference picture in
// tests/ui/reference/, so that a control that moves, changes size or colour, or goes missing fails the build.
//
// The rendering is pinned: the offscreen platform at device pixel ratio 1 and 96 dpi, the Fusion style, a
// private font configuration that sees only the IPA Gothic and Liberation faces (Debian packages
// fonts-ipafont-gothic and fonts-liberation2) with fixed anti-aliasing and hinting, a text cursor that does
// not blink, and no date.
//
// On a mismatch the actual picture and a diff picture are written to reference-mismatch/ in this test's build
// folder and their paths are printed. After an intended change of a window, regenerate the references with
//     TESSAROVEN_UPDATE_REFERENCES=1 <build>/tests/ui/ui_reference_image_tests
// look at the new pictures and commit them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QStyleHints>
#include <QTest>

#include <functional>
#include <iostream>
#include <memory>

#include "app/application.h"
#include "app/display_language.h"
#include "gui_fixture.h"
#include "image_compare.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/save_dialog.h"
#include "ui/save_dialog_handlers.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

const char* const kFontFolders[] = {
    "/usr/share/fonts/opentype/ipafont-gothic",
    "/usr/share/fonts/truetype/liberation2",
};

QString OutputFolder() {
    return QStringLiteral(TESSAROVEN_REFERENCE_OUTPUT_DIR);
}

QString ReferencePath(const QString& name) {
    return QDir(QStringLiteral(TESSAROVEN_REFERENCE_DIR)).filePath(name + QStringLiteral(".png"));
}

bool UpdatingReferences() {
    return qEnvironmentVariableIntValue("TESSAROVEN_UPDATE_REFERENCES") == 1;
}

// A font configuration of our own, so that fonts installed besides the two packages (or missing rules of the
// system's configuration) cannot change a glyph. Returns an error text, or an empty one.
QString PinFonts() {
    for (const char* folder : kFontFolders) {
        if (!QDir(QString::fromLatin1(folder)).exists()) {
            return QStringLiteral("%1 is missing: install fonts-ipafont-gothic and fonts-liberation2")
                .arg(QString::fromLatin1(folder));
        }
    }
    const QString folder = OutputFolder();
    if (!QDir().mkpath(folder)) {
        return QStringLiteral("cannot create %1").arg(folder);
    }
    QString config = QStringLiteral(
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
        "<fontconfig>\n");
    for (const char* fontFolder : kFontFolders) {
        config += QStringLiteral("  <dir>%1</dir>\n").arg(QString::fromLatin1(fontFolder));
    }
    config += QStringLiteral(
                  "  <cachedir>%1/fontconfig-cache</cachedir>\n"
                  "  <match target=\"font\">\n"
                  "    <edit name=\"antialias\" mode=\"assign\"><bool>true</bool></edit>\n"
                  "    <edit name=\"hinting\" mode=\"assign\"><bool>true</bool></edit>\n"
                  "    <edit name=\"hintstyle\" mode=\"assign\"><const>hintslight</const></edit>\n"
                  "    <edit name=\"rgba\" mode=\"assign\"><const>none</const></edit>\n"
                  "    <edit name=\"embeddedbitmap\" mode=\"assign\"><bool>false</bool></edit>\n"
                  "  </match>\n"
                  "</fontconfig>\n")
                  .arg(folder);
    // Written whole and renamed into place: the test processes that run side by side each write it and
    // read it.
    const QString path = QDir(folder).filePath(QStringLiteral("fonts.conf"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0 || !file.commit()) {
        return QStringLiteral("cannot write %1").arg(path);
    }
    qputenv("FONTCONFIG_FILE", QFile::encodeName(path));
    return {};
}

// Everything that decides a pixel besides the program itself; before the QApplication exists.
QString PinRendering() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_STYLE_OVERRIDE");
    return PinFonts();
}

QImage Grab(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
    const QPixmap pixmap = window.grab();
    EXPECT_EQ(pixmap.devicePixelRatio(), 1.0);
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

// Compares with the reference (or replaces the reference in update mode); on a mismatch writes the actual and
// the diff picture and prints where.
void ExpectMatchesReference(const QImage& actual, const QString& name) {
    const QString referencePath = ReferencePath(name);
    if (UpdatingReferences()) {
        ASSERT_TRUE(actual.save(referencePath)) << referencePath.toStdString();
        std::cout << "reference written: " << referencePath.toStdString() << '\n';
        return;
    }
    const QImage reference(referencePath);
    const QString actualPath = QDir(OutputFolder()).filePath(name + QStringLiteral("-actual.png"));
    const QString diffPath = QDir(OutputFolder()).filePath(name + QStringLiteral("-diff.png"));
    QFile::remove(actualPath);
    QFile::remove(diffPath);
    if (reference.isNull()) {
        actual.save(actualPath);
        ADD_FAILURE() << "no reference picture " << referencePath.toStdString()
                      << " (run with TESSAROVEN_UPDATE_REFERENCES=1 to create it); actual: "
                      << actualPath.toStdString();
        return;
    }
    const ImageComparison comparison = CompareImages(actual, reference);
    std::cout << name.toStdString() << ": " << comparison.Summary().toStdString() << '\n';
    if (!comparison.matches()) {
        actual.save(actualPath);
        DiffImage(actual, reference).save(diffPath);
        ADD_FAILURE() << name.toStdString() << " differs from " << referencePath.toStdString() << ": "
                      << comparison.Summary().toStdString() << "\n  actual: " << actualPath.toStdString()
                      << "\n  diff:   " << diffPath.toStdString();
    }
}

// The whole program from its start screen, driven as the operator drives it.
class ReferenceImageTest : public GuiTest {
protected:
    void SetUp() override {
        messages.ExpectNone([&] { m_application.Start(); });
    }
    void TearDown() override {
        delete m_saveDialog.data();
        GuiTest::TearDown();
    }

    MainWindow& OpenMainWindow() {
        messages.ExpectNone([&] { m_application.startScreen()->startButton->click(); });
        return *m_application.mainWindow();
    }

    // Distance 60 kept, five points, readings 100 95 85 70 50, no correction, conversion.
    MainWindow& ConvertWorkedExample() {
        MainWindow& form = OpenMainWindow();
        messages.ExpectNone([&] {
            QTest::keyClick(form.distanceEdit, Qt::Key_Return);
            QTest::keyClicks(form.pointCountEdit, QStringLiteral("5"));
            QTest::keyClick(form.pointCountEdit, Qt::Key_Return);
            QTest::keyClick(form.setupButton, Qt::Key_Return);
            for (const char* reading : {"100", "95", "85", "70", "50"}) {
                QTest::keyClicks(form.readingEdit, QString::fromLatin1(reading));
                QTest::keyClick(form.readingEdit, Qt::Key_Return);
                QTest::keyClick(form.storeReadingButton, Qt::Key_Return);
            }
            form.finishEntryButton->click();
            form.convertButton->click();
        });
        EXPECT_EQ(form.resultList->count(), 5);
        return form;
    }

    Application m_application;
    QPointer<SaveDialog> m_saveDialog;
};

TEST_F(ReferenceImageTest, start_screen) {
    ExpectMatchesReference(Grab(*m_application.startScreen()), QStringLiteral("start-screen"));
}

// The main window with its menu bar and status bar; between them the fixed layout, pixel for pixel as it was
// before the bars were added (the "-area" pictures are the window's pictures from before).
void ExpectMainWindowMatches(MainWindow& window, const QString& name) {
    const QImage picture = Grab(window);
    ExpectMatchesReference(picture, name);
    const QImage area = picture.copy(window.measurementArea->geometry());
    const QImage before(ReferencePath(name + QStringLiteral("-area")));
    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(area, before.convertToFormat(QImage::Format_RGB32)) << "the layout between the bars moved";
}

TEST_F(ReferenceImageTest, main_window_fresh_after_load) {
    ExpectMainWindowMatches(OpenMainWindow(), QStringLiteral("main-window-fresh"));
}

TEST_F(ReferenceImageTest, main_window_after_converting_the_worked_example) {
    ExpectMainWindowMatches(ConvertWorkedExample(), QStringLiteral("main-window-worked-example"));
}

// The same window in English: the menus, labels and buttons from the translation, the status bar and the
// lists as before. Japanese comes back afterwards for whatever else runs in this process.
TEST_F(ReferenceImageTest, main_window_in_english_after_converting_the_worked_example) {
    struct BackToJapanese {
        ~BackToJapanese() {
            SetMessageLanguage(Language::Japanese);
            InstallWindowTranslation();
        }
    } backToJapanese;
    SetMessageLanguage(Language::English);
    InstallWindowTranslation();
    MainWindow& form = ConvertWorkedExample();
    EXPECT_EQ(form.convertButton->text(), QStringLiteral("Convert"));
    ExpectMatchesReference(Grab(form), QStringLiteral("main-window-worked-example-english"));
}

TEST_F(ReferenceImageTest, save_dialog_with_its_defaults) {
    // A fixed day instead of today, so that the file-name default never changes the picture.
    SaveDialog* dialog = nullptr;
    messages.ExpectNone(
        [&] { dialog = OpenSaveDialog(m_saveDialog, m_application.record(), QDate(2026, 12, 7)); });
    ASSERT_NE(dialog, nullptr);
    ExpectMatchesReference(Grab(*dialog), QStringLiteral("save-dialog"));
}

TEST_F(ReferenceImageTest, graph_window_with_the_worked_example) {
    MainWindow& form = ConvertWorkedExample();
    messages.ExpectNone([&] { form.graphButton->click(); });
    ASSERT_NE(m_application.graphWindow(), nullptr);
    ExpectMatchesReference(Grab(*m_application.graphWindow()), QStringLiteral("graph-window-worked-example"));
}

// The comparison itself: what it forgives and what it catches, on a drawn window-like picture.
struct ComparisonCase {
    const char* name;
    std::function<void(QPainter&)> change;  // drawn over the base picture
    bool matches;
};

QImage BasePicture() {
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(QColor(0xEF, 0xEF, 0xEF));
    QPainter painter(&image);
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.setBrush(QColor(0xFF, 0xFF, 0xC0));
    painter.drawRect(40, 40, 80, 30);  // a button
    painter.setPen(Qt::black);
    painter.drawLine(10, 100, 190, 100);
    painter.fillRect(QRect(150, 10, 9, 9), Qt::red);  // a dot
    return image;
}

void PrintTo(const ComparisonCase& c, std::ostream* out) {
    *out << c.name;
}

class ImageComparisonTest : public ::testing::TestWithParam<ComparisonCase> {};

TEST_P(ImageComparisonTest, forgives_scattered_pixels_and_catches_changed_areas) {
    const QImage reference = BasePicture();
    QImage actual = reference;
    {
        QPainter painter(&actual);
        GetParam().change(painter);
    }
    const ImageComparison comparison = CompareImages(actual, reference);
    EXPECT_EQ(comparison.matches(), GetParam().matches) << comparison.Summary().toStdString();
    EXPECT_EQ(DiffImage(actual, reference).size(), reference.size());
}

void Button(QPainter& painter, QRect rect, QColor fill) {
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.setBrush(fill);
    painter.drawRect(rect);
}

const QColor kWindow(0xEF, 0xEF, 0xEF);
const QColor kYellow(0xFF, 0xFF, 0xC0);

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageComparisonTest,
    ::testing::Values(
        ComparisonCase{"identical", [](QPainter&) {}, true},
        // Anti-aliasing of a glyph edge: a few single pixels a little lighter or darker.
        ComparisonCase{"scattered_edge_pixels",
                       [](QPainter& p) {
                           for (int i = 0; i < 4; ++i) {
                               p.fillRect(QRect(45 + 7 * i, 50, 1, 1), QColor(0xC0, 0xC0, 0x90));
                           }
                       },
                       true},
        ComparisonCase{"faint_noise_everywhere",
                       [](QPainter& p) {
                           for (int x = 0; x < 200; x += 3) {
                               p.fillRect(QRect(x, (x * 7) % 35, 1, 1),
                                          QColor(0xEA, 0xEA, 0xEA));  // above the button
                           }
                       },
                       true},
        // Another rasteriser's anti-aliasing: every rim pixel of the line and the button a little off.
        ComparisonCase{"every_edge_pixel_shaded_differently",
                       [](QPainter& p) {
                           p.setPen(QColor(0x30, 0x30, 0x30));
                           p.drawLine(10, 100, 190, 100);
                           p.setPen(QColor(0x9C, 0x9C, 0x9C));
                           p.setBrush(Qt::NoBrush);
                           p.drawRect(40, 40, 80, 30);
                       },
                       true},
        ComparisonCase{"small_dot_moved_two_pixels_down",
                       [](QPainter& p) {
                           p.fillRect(QRect(150, 10, 9, 9), kWindow);
                           p.fillRect(QRect(150, 12, 9, 9), Qt::red);
                       },
                       false},
        ComparisonCase{"button_moved_two_pixels_right",
                       [](QPainter& p) {
                           p.fillRect(QRect(40, 40, 81, 31), kWindow);
                           Button(p, QRect(42, 40, 80, 30), kYellow);
                       },
                       false},
        ComparisonCase{"button_one_pixel_wider",
                       [](QPainter& p) {
                           p.fillRect(QRect(40, 40, 81, 31), kWindow);
                           Button(p, QRect(40, 40, 81, 30), kYellow);
                       },
                       false},
        ComparisonCase{"button_faintly_recoloured",
                       [](QPainter& p) { Button(p, QRect(40, 40, 80, 30), QColor(0xFF, 0xFF, 0xD0)); },
                       false},
        ComparisonCase{"button_missing", [](QPainter& p) { p.fillRect(QRect(40, 40, 81, 31), kWindow); },
                       false},
        ComparisonCase{"line_gone", [](QPainter& p) { p.fillRect(QRect(10, 100, 181, 1), kWindow); }, false}),
    [](const ::testing::TestParamInfo<ComparisonCase>& info) { return std::string(info.param.name); });

TEST(ImageComparison, pictures_of_different_sizes_never_match) {
    const QImage reference = BasePicture();
    const QImage actual = reference.copy(0, 0, 199, 120);
    EXPECT_FALSE(CompareImages(actual, reference).matches());
    EXPECT_EQ(DiffImage(actual, reference).width(), 399);
    EXPECT_FALSE(CompareImages(QImage(), reference).matches());
}

}  // namespace
}  // namespace tessaroven::testing

int main(int argc, char** argv) {
    const QString pinError = tessaroven::testing::PinRendering();
    tessaroven::testing::PrepareGuiTestEnvironment();
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QGuiApplication::styleHints()->setCursorFlashTime(0);  // a steady cursor, drawn in every picture
    ::testing::InitGoogleTest(&argc, argv);
    if (!pinError.isEmpty()) {
        std::cerr << pinError.toStdString() << '\n';
        return 1;
    }
    return RUN_ALL_TESTS();
}
