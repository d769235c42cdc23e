#include "ServiceFolder.h"

#include <chrono>
#include <utility>

#include "ComponentFactory.h"
#include "ServiceHost.h"

namespace gr::test {

ServiceFolder::ServiceFolder() {
    for (const char* name :
         {"Gridora - Live.mdb", "Gridora - Test.mdb", "Gridora - Blank.mdb", "Gridora - Setup.mdb"})
        m_folder.CopyGenerated(name);
    host::SetDatabaseFolderOverride(m_folder.Path().string());
    host::SetTodayProvider([] {
        return std::chrono::year_month_day{std::chrono::year{2024}, std::chrono::month{3},
                                           std::chrono::day{15}};
    });
    host::SetErrorReporter([this](const std::string& title, const std::string& text) {
        m_reports.push_back(title + "|" + text);
    });
}

ServiceFolder::~ServiceFolder() {
    host::SetErrorReporter({});
    host::SetTodayProvider(nullptr);
    host::SetDatabaseFolderOverride("");
}

ComPtr<ISetupService> ServiceFolder::StartSetup(bool& initialized, std::string& message) const {
    auto setup = CreateObjectAs<ISetupService>("GRSetupSrvc.SetupService", message);
    initialized = setup && setup->Initialize(message);
    return setup;
}

std::vector<std::string> ServiceFolder::TakeReports() {
    return std::exchange(m_reports, {});
}

}  // namespace gr::test
