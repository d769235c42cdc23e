// The environment every screen test sets up before its QApplication, so that CTest, a shell
// or a debugger can run a test binary alike. Values already set are kept.
#pragma once

#include <cstdlib>

namespace gr::ui::test {

enum class Display { NeededForTheRealView, NotNeeded };

inline void PrepareTestEnvironment(Display display) {
    // The browser's sandbox refuses to run as root (CI), and there is no GPU.
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
    // Tests on the headless back-end paint nothing, so they run without any display.
    if (display == Display::NotNeeded && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

}  // namespace gr::ui::test
