#include "test_shell_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>
#include <filesystem>

#include "ComponentFactory.h"
#include "ServiceHost.h"

namespace gr::ui::test {

ShellDatabases::ShellDatabases() {
    for (const char* name :
         {"Gridora - Live.mdb", "Gridora - Test.mdb", "Gridora - Blank.mdb", "Gridora - Setup.mdb"})
        m_dir.CopyGenerated(name);
    host::SetDatabaseFolderOverride(Folder());
}

ShellDatabases::~ShellDatabases() {
    host::SetDatabaseFolderOverride("");
}

void ShellDatabases::Remove(const std::string& name) const {
    std::filesystem::remove(m_dir.Path() / name);
}

ComPtr<ISetupService> InitializedSetupService() {
    std::string error;
    auto service = CreateObjectAs<ISetupService>("GRSetupSrvc.SetupService", error);
    EXPECT_TRUE(service) << error;
    if (!service) return {};
    EXPECT_TRUE(service->Initialize(error)) << error;
    return service;
}

void ShellDatabases::UseType(DBTypeEnum type) const {
    const auto service = InitializedSetupService();
    ASSERT_TRUE(service);
    service->get_SetupInfo()->let_DBTypeID(type);
    ASSERT_TRUE(service->Save());
}

int32_t ShellDatabases::CurrentSeasonYear() const {
    const auto service = InitializedSetupService();
    if (!service) return 0;
    const auto season = service->get_DataService()->GetCurrentSeasonInfo();
    return season ? season->get_Year() : 0;
}

QAction* FindAction(QWidget& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

int32_t LockRanking(const ComPtr<IDataService>& data) {
    const auto season = data->GetCurrentSeasonInfo();
    for (const auto& manager : season->get_Managers()->ItemsAs<IManagerInfo>())
        manager->let_Rank(manager->get_ID());
    EXPECT_TRUE(data->SaveRanking() && data->DisableRanking());
    return season->get_Year();
}

}  // namespace gr::ui::test
