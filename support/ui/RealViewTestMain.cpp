// main() of the tests that run windows in the real browser view: a QApplication on a display,
// with the browser flags the tests need. Dialogs are answered by each test's scripted user.
#include <gtest/gtest.h>

#include <QApplication>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build does, without a display) needs no application.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    gr::ui::test::PrepareTestEnvironment(gr::ui::test::Display::NeededForTheRealView);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
