// When the installed program keeps the browser's sandbox: for every ordinary user whose system
// grants user namespaces, never for root, never where the kernel settings deny them.
#include <gtest/gtest.h>

#include <filesystem>

#include "BrowserSandbox.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using gr::test::TempFolder;
using gr::ui::BrowserSandboxDenial;
using gr::ui::SandboxLogLine;

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
    std::string Denial(uid_t user = kOrdinaryUser) const {
        return BrowserSandboxDenial(user, procSys.Path().string());
    }
    bool Usable(uid_t user = kOrdinaryUser) const { return Denial(user).empty(); }
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
        EXPECT_TRUE(
            Denial().ends_with(fs::path(setting).filename().string() + " is " + denying + ")"))
            << Denial();
        fs::remove(procSys.File(setting));
        EXPECT_TRUE(Usable()) << setting;
    }
}

TEST_F(BrowserSandboxTest, ASettingThatIsNoNumberCountsAsAbsent) {
    Set("user/max_user_namespaces", "not a number");
    EXPECT_TRUE(Usable());
}

}  // namespace

TEST(BrowserSandboxLog, SaysWhyTheViewsRunWithoutTheirSandbox) {
    const std::string line = "Gridora: the browser views run without their sandbox: ";
    EXPECT_EQ(SandboxLogLine("it runs as root", nullptr, nullptr), line + "it runs as root.");
    EXPECT_NE(SandboxLogLine("", "", nullptr).find("DISABLE_SANDBOX is set"), std::string::npos);
    EXPECT_NE(SandboxLogLine("", nullptr, "-x --no-sandbox").find("holds"), std::string::npos);
    EXPECT_EQ(SandboxLogLine("", nullptr, "--disable-gpu"), "");
}
