// What every one of the four windows shares, checked window by window: the caption, the client size, the
// fixed-dialog style (a close box, no minimise or maximise button, no resizing) and the Tab order of the
// controls that take the focus, from the first control of the order round to it again.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

#include "gui_fixture.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"

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
    EXPECT_EQ(window->size(), c.clientSize);
    EXPECT_EQ(window->minimumSize(), c.clientSize);
    EXPECT_EQ(window->maximumSize(), c.clientSize);
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
                   Create<Form1>(),
                   "Tessaroven",
                   QSize(850, 557),
                   {"Text1", "Command3", "Text29", "Command2", "Text30", "Text31", "Command4", "List1",
                    "Command5", "List2", "Text2", "Command1", "Command6", "Command7", "Command8"}},
        WindowCase{"start_screen",
                   Create<Form2>(),
                   "Tessaroven",
                   QSize(973, 714),
                   {"Picture1", "Picture2", "Command1", "Command2", "Picture3", "Picture4", "Picture5"}},
        WindowCase{"save_dialog",
                   Create<Form3>(),
                   "計算結果保存",
                   QSize(445, 282),
                   {"Text1", "Text2", "Command1", "Command2"}},
        WindowCase{"graph_window", Create<Form4>(), "Profile ", QSize(533, 504), {"Command1", "Picture1"}}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaroven::testing
