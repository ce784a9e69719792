// main() of the window-test programs: one QApplication on the offscreen platform for all tests.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui_fixture.h"

int main(int argc, char** argv) {
    tessaroven::testing::PrepareGuiTestEnvironment();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
