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

bool BrowserSandboxUsable(uid_t effectiveUser, const std::string& procSys) {
    if (effectiveUser == 0) return false;
    return Setting(procSys + "/kernel/unprivileged_userns_clone", 1) != 0 &&
           Setting(procSys + "/user/max_user_namespaces", 1) != 0 &&
           Setting(procSys + "/kernel/apparmor_restrict_unprivileged_userns", 0) == 0;
}

}  // namespace gr::ui
