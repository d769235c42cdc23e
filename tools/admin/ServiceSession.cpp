#include "ServiceSession.h"

#include <filesystem>

#include "ComponentFactory.h"
#include "ServiceHost.h"

namespace gr::admin {

bool ServiceSession::Open(const std::string& databaseFolder, std::string& errorMessage) {
    if (!databaseFolder.empty()) {
        std::error_code ec;
        const auto folder = std::filesystem::absolute(databaseFolder, ec);
        if (ec || !std::filesystem::is_directory(folder, ec)) {
            errorMessage = "Database folder " + databaseFolder + " does not exist.";
            return false;
        }
        auto normal = folder.lexically_normal();
        if (!normal.has_filename()) normal = normal.parent_path();  // no trailing separator
        host::SetDatabaseFolderOverride(normal.string());
    }
    m_setup = CreateObjectAs<ISetupService>("GRSetupSrvc.SetupService", errorMessage);
    if (!m_setup) return false;
    if (!m_setup->Initialize(errorMessage)) {
        if (errorMessage.empty()) errorMessage = "Error in initializing Gridora Service.";
        return false;
    }
    m_data = m_setup->get_DataService();
    if (!m_data) {
        errorMessage = "The setup service holds no data service.";
        return false;
    }
    return true;
}

}  // namespace gr::admin
