// main() of the screen tests: a QApplication, the headless view back-end and a scripted user,
// so that no test ever waits for a person.
#include <gtest/gtest.h>

#include <QApplication>

#include "HeadlessBackend.h"
#include "HtmlView.h"
#include "ScriptedUser.h"
#include "TestEnvironment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build does, without a display) needs no application.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    gr::ui::test::PrepareTestEnvironment(gr::ui::test::Display::NotNeeded);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    gr::ui::HtmlView::SetBackendFactory([] { return std::make_unique<gr::ui::HeadlessBackend>(); });
    gr::ui::test::ScriptedUser::Install();
    return RUN_ALL_TESTS();
}
