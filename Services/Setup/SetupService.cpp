#include "SetupService.h"

#include <utility>

#include "ComponentFactory.h"
#include "GRServiceUtils.h"

namespace gr {

namespace {

constexpr const char* kDataServiceClass = "GRDataSrvc.DataService";
constexpr const char* kSelectSettings = "select * from [settings] where [ID] = 1";

ComPtr<IDataService> CreateDataServiceByClassName() {
    // The reason is dropped on purpose: a data service that cannot be created leaves the
    // message empty, and the caller puts its own general text in its place.
    std::string reason;
    return CreateObjectAs<IDataService>(kDataServiceClass, reason);
}

}  // namespace

SetupService::SetupService() : SetupService(CreateDataServiceByClassName) {}

SetupService::SetupService(DataServiceFactory factory) : m_dataServiceFactory(std::move(factory)) {}

SetupService::~SetupService() {
    m_oDataService = nullptr;
    m_oSetupInfo = nullptr;
    m_oSetupDB.reset();
}

bool SetupService::Initialize(std::string& ErrMessage) {
    try {
        if (!OpenSetupDatabase(ErrMessage)) return false;
        LoadSetupInfo();
        return CreateDataService(ErrMessage);
    } catch (const std::exception& e) {
        ErrMessage = e.what();
        return false;
    }
}

ComPtr<ISetupInfo> SetupService::get_SetupInfo() {
    return ComPtr<ISetupInfo>(m_oSetupInfo);
}

ComPtr<IDataService> SetupService::get_DataService() {
    return m_oDataService;
}

// The earlier handle is released first: the file is opened exclusively, so holding it
// would make the second open fail.
bool SetupService::OpenSetupDatabase(std::string& errMessage) {
    m_oSetupDB.reset();
    std::unique_ptr<db::Database> opened;
    if (!OpenDatabaseByType(DBSetup, opened, errMessage)) {
        if (errMessage.empty()) errMessage = "Error in opening setup database.";
        return false;
    }
    m_oSetupDB = std::move(opened);
    return true;
}

void SetupService::LoadSetupInfo() {
    db::Statement settings(*m_oSetupDB, kSelectSettings);
    if (!settings.Step()) return;
    auto info = MakeCom<SetupInfo>();
    info->let_DBTypeID(setup::ReadLong(settings.GetText("database type")));
    info->let_BackupCount(setup::ReadLong(settings.GetText("backup count")));
    info->let_BackupDate(setup::ReadDate(settings.GetText("backup date")));
    info->let_DefaultDBPath(GetDatabaseFolder());
    info->let_GeneralBackupDBName(GetDatabaseFileName(DBBackup, "", ""));
    m_oSetupInfo = info;
}

// The earlier data service lets go of its league file before the new one opens it, or
// the new exclusive open would fail while the host still holds the old service.
void SetupService::RetireDataService() {
    if (!m_oDataService) return;
    ComPtr<IDataService> earlier = std::exchange(m_oDataService, nullptr);
    try {
        earlier->CloseDatabase();
    } catch (...) {
        // Closing is best effort; the object is released either way.
    }
}

bool SetupService::CreateDataService(std::string& errMessage) {
    try {
        if (!m_oSetupInfo) return false;
        RetireDataService();
        m_oDataService = m_dataServiceFactory();
        if (!m_oDataService) return false;
        const auto type = static_cast<DBTypeEnum>(m_oSetupInfo->get_DBTypeID());
        if (m_oDataService->Initialize(type, errMessage)) return true;
        if (errMessage.empty()) errMessage = "Error in initializing Gridora Data Service.";
        return false;
    } catch (...) {
        return false;
    }
}

bool SetupService::Save() {
    try {
        if (!m_oSetupDB || !m_oSetupInfo) return false;
        {
            db::Statement settings(*m_oSetupDB, kSelectSettings);
            if (!settings.Step()) return false;
        }
        db::Statement update(*m_oSetupDB,
                             "update [settings] set [database type] = ? where [ID] = 1");
        update.Bind(1, std::to_string(m_oSetupInfo->get_DBTypeID())).Run();
        return true;
    } catch (...) {
        return false;
    }
}

bool SetupService::SaveBackupInfo() {
    try {
        if (!m_oSetupDB || !m_oSetupInfo) return false;
        db::Statement update(*m_oSetupDB,
                             "update [settings] set [backup date] = ?, [backup count] = ? "
                             "where [ID] = 1");
        update.Bind(1, setup::ShortDate(m_oSetupInfo->get_BackupDate()));
        update.Bind(2, std::to_string(m_oSetupInfo->get_BackupCount())).Run();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace gr
