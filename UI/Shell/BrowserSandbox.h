// Whether the browser view's helper process can run inside its sandbox. The sandbox is built
// on user namespaces: root is refused it, and some systems deny the namespaces to ordinary
// users (switched off, or restricted by AppArmor to programs with a profile). Where it cannot
// start, the helper aborts and every page stays blank, so the program then runs it without,
// and says so in its log.
#pragma once

#include <sys/types.h>

#include <string>

namespace gr::ui {

// Why the sandbox cannot start here, naming the kernel setting that denies it; empty when it
// can. procSys is the folder of the kernel's settings; a setting that is not there allows.
std::string BrowserSandboxDenial(uid_t effectiveUser, const std::string& procSys = "/proc/sys");

// The line for the program's log (standard error) when the browser views run without their
// sandbox, saying why: the system's denial, or the environment the program was started with
// (QTWEBENGINE_DISABLE_SANDBOX set, or --no-sandbox among QTWEBENGINE_CHROMIUM_FLAGS; null
// when unset). Empty when the views keep their sandbox.
std::string SandboxLogLine(const std::string& denial, const char* disableSandbox,
                           const char* chromiumFlags);

}  // namespace gr::ui
