// Whether the browser view's helper process can run inside its sandbox. The sandbox is built
// on user namespaces: root is refused it, and some systems deny the namespaces to ordinary
// users (switched off, or restricted by AppArmor to programs with a profile). Where it cannot
// start, the helper aborts and every page stays blank, so the program then runs it without.
#pragma once

#include <sys/types.h>

#include <string>

namespace gr::ui {

// procSys is the folder of the kernel's settings; a setting that is not there allows.
bool BrowserSandboxUsable(uid_t effectiveUser, const std::string& procSys = "/proc/sys");

}  // namespace gr::ui
