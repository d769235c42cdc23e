#include "BrowserSandbox.h"

#include <fstream>

namespace gr::ui {

namespace {

// The number a kernel setting holds, or `absent` when it cannot be read.
long Setting(const std::string& path, long absent) {
    std::ifstream in(path);
    long value = 0;
    return (in >> value) ? value : absent;
}

}  // namespace

std::string BrowserSandboxDenial(uid_t effectiveUser, const std::string& procSys) {
    if (effectiveUser == 0) return "it runs as root, where the sandbox cannot start";
    if (Setting(procSys + "/kernel/unprivileged_userns_clone", 1) == 0)
        return "the kernel denies ordinary users the user namespaces it is built on "
               "(kernel.unprivileged_userns_clone is 0)";
    if (Setting(procSys + "/user/max_user_namespaces", 1) == 0)
        return "the kernel allows no user namespaces, which it is built on "
               "(user.max_user_namespaces is 0)";
    if (Setting(procSys + "/kernel/apparmor_restrict_unprivileged_userns", 0) != 0)
        return "AppArmor denies the user namespaces it is built on to programs without a profile "
               "(kernel.apparmor_restrict_unprivileged_userns is 1)";
    return {};
}

std::string SandboxLogLine(const std::string& denial, const char* disableSandbox,
                           const char* chromiumFlags) {
    std::string why = denial;
    if (why.empty() && disableSandbox != nullptr)
        why = "QTWEBENGINE_DISABLE_SANDBOX is set in its environment";
    if (why.empty() && chromiumFlags != nullptr &&
        std::string(chromiumFlags).find("--no-sandbox") != std::string::npos)
        why = "QTWEBENGINE_CHROMIUM_FLAGS holds --no-sandbox";
    return why.empty() ? why : "Gridora: the browser views run without their sandbox: " + why + ".";
}

}  // namespace gr::ui
