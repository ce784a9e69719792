// What every one of the four windows shares, checked window by window: the caption, the client size, the
// fixed-dialog style (a close box, no minimise or maximise button, no resizing) and the Tab order of the
// controls that take the focus, from the first control of the order round to it again.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

#include "gui_fixture.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/save_dialog.h"
#include "ui/start_screen.h"

namespace tessaroven::testing {
namespace {

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> create;
    const char* caption;
    QSize clientSize;
    QStringList tabOrder;  // every focus-taking control once, all enabled, from the first of the order
};

void PrintTo(const WindowCase& c, std::ostream* out) {
    *out << c.name;
}

template <class Form>
std::function<std::unique_ptr<QWidget>()> Create() {
    return [] { return std::make_unique<Form>(); };
}

class WindowStyleTest : public GuiTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowStyleTest, caption_size_style_and_tab_order_follow_the_layout) {
    const WindowCase& c = GetParam();
    const std::unique_ptr<QWidget> window = c.create();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption));
    // The main window's fixed layout lies between its menu bar and status bar.
    const QWidget* area = window->findChild<QWidget*>(QStringLiteral("measurementArea"));
    EXPECT_EQ(area != nullptr ? area->size() : window->size(), c.clientSize);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->windowModality(), Qt::NonModal);

    QStringList visited;
    ASSERT_NE(window->focusWidget(), nullptr);
    for (qsizetype i = 0; i <= c.tabOrder.size(); ++i) {
        QWidget* focus = window->focusWidget();
        ASSERT_NE(focus, nullptr);
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QStringList expected = c.tabOrder;
    expected << c.tabOrder.front();  // and round again
    EXPECT_EQ(visited, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowStyleTest,
    ::testing::Values(
        WindowCase{"main_window",
                   Create<MainWindow>(),
                   "Tessaroven",
                   QSize(850, 557),
                   {"distanceEdit", "exitButton", "pointCountEdit", "setupButton", "offCentreEdit",
                    "readingEdit", "storeReadingButton", "readingList", "convertButton", "resultList",
                    "pointNumberEdit", "correctButton", "finishEntryButton", "saveButton", "graphButton"}},
        WindowCase{"start_screen",
                   Create<StartScreen>(),
                   "Tessaroven",
                   QSize(973, 714),
                   {"rotatingGantryPicture", "fixedGantryPicture", "startButton", "exitButton", "arrowIcon",
                    "creditIcon", "sampleGraphPicture"}},
        WindowCase{"save_dialog",
                   Create<SaveDialog>(),
                   "計算結果保存",
                   QSize(445, 282),
                   {"commentEdit", "fileNameEdit", "okButton", "cancelButton"}},
        WindowCase{
            "graph_window", Create<GraphWindow>(), "Profile ", QSize(533, 504), {"closeButton", "plotArea"}}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaroven::testing
