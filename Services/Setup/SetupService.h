// The setup service: opens the setup database, knows which league database is in use,
// creates and initialises the data service, and backs up and restores the live data.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ComObject.h"
#include "ISetupService.h"
#include "SetupInfo.h"
#include "SetupValues.h"
#include "SqlDatabase.h"

namespace gr {

class SetupService final : public ComObject<ISetupService> {
  public:
    // Makes a data service object; on failure returns an empty pointer.
    using DataServiceFactory = std::function<ComPtr<IDataService>()>;

    // The data service is created by its class name "GRDataSrvc.DataService".
    SetupService();
    // Hosts and tests may hand in their own way of making the data service.
    explicit SetupService(DataServiceFactory factory);
    ~SetupService() override;

    bool Initialize(std::string& ErrMessage) override;
    ComPtr<ISetupInfo> get_SetupInfo() override;
    ComPtr<IDataService> get_DataService() override;
    bool Save() override;
    bool CreateBackup(std::string& ErrMessage) override;
    bool RestoreBackup(const std::string& BackupPath, std::string& ErrMessage) override;

  private:
    bool OpenSetupDatabase(std::string& errMessage);
    void LoadSetupInfo();
    bool CreateDataService(std::string& errMessage);
    bool SaveBackupInfo();
    void RetireDataService();

    // Backup and restore steps.
    bool IsReady(std::string& errMessage) const;
    std::string NextBackupPath(const setup::Date& today, int32_t& counter) const;
    void RecordBackup(const setup::Date& today, int32_t counter);
    bool CopyLiveToNextBackup(std::string& errMessage);
    bool ReopenDataService(bool clearCache, std::string& errMessage);
    void ReopenAfterFailure(bool clearCache, std::string& errMessage);
    bool ValidateBackupFile(const std::string& path, std::string& errMessage);
    bool RestoreOverClosedService(const std::string& backupPath, std::string& errMessage);

    DataServiceFactory m_dataServiceFactory;
    std::unique_ptr<db::Database> m_oSetupDB;
    ComPtr<SetupInfo> m_oSetupInfo;
    ComPtr<IDataService> m_oDataService;
};

}  // namespace gr
