// When the installed program keeps the browser's sandbox: for every ordinary user whose system
// grants user namespaces, never for root, never where the kernel settings deny them.
#include <gtest/gtest.h>

#include <filesystem>

#include "BrowserSandbox.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::test::TempFolder;
using gr::ui::BrowserSandboxUsable;

constexpr uid_t kOrdinaryUser = 1000;

class BrowserSandboxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(procSys.Path() / "kernel");
        fs::create_directories(procSys.Path() / "user");
    }
    void Set(const std::string& setting, const std::string& value) const {
        gr::test::WriteBytes(procSys.File(setting), value + "\n");
    }
    bool Usable(uid_t user = kOrdinaryUser) const {
        return BrowserSandboxUsable(user, procSys.Path().string());
    }
    TempFolder procSys;
};

TEST_F(BrowserSandboxTest, OrdinaryUsersKeepItWhereNamespacesAreGranted) {
    EXPECT_TRUE(Usable()) << "a kernel without these settings grants them";
    Set("kernel/unprivileged_userns_clone", "1");
    Set("user/max_user_namespaces", "63704");
    Set("kernel/apparmor_restrict_unprivileged_userns", "0");
    EXPECT_TRUE(Usable());
    EXPECT_FALSE(Usable(0)) << "root never gets the sandbox";
}

TEST_F(BrowserSandboxTest, AnySettingThatDeniesNamespacesTurnsItOff) {
    for (const auto& [setting, denying] : {std::pair{"kernel/unprivileged_userns_clone", "0"},
                                           {"user/max_user_namespaces", "0"},
                                           {"kernel/apparmor_restrict_unprivileged_userns", "1"}}) {
        Set(setting, denying);
        EXPECT_FALSE(Usable()) << setting;
        fs::remove(procSys.File(setting));
        EXPECT_TRUE(Usable()) << setting;
    }
}

TEST_F(BrowserSandboxTest, ASettingThatIsNoNumberCountsAsAbsent) {
    Set("user/max_user_namespaces", "not a number");
    EXPECT_TRUE(Usable());
}

}  // namespace
