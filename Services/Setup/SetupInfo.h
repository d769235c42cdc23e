// Which league database is in use and the backup bookkeeping, as read from the setup
// database.
#pragma once

#include "ComObject.h"
#include "ISetupService.h"
#include "SetupValues.h"

namespace gr {

class SetupInfo final : public ComObject<ISetupInfo> {
  public:
    SetupInfo() = default;

    int32_t get_DBTypeID() override { return m_dbTypeId; }
    // Stores the value unchanged; 1 is live, 3 blank and every other value test.
    void let_DBTypeID(int32_t value) override;
    std::string get_DBTypeDesc() override { return m_dbTypeDesc; }
    std::string get_DBTypeKey() override { return m_dbTypeKey; }
    std::string get_DefaultDBPath() override { return m_defaultDbPath; }
    std::string get_GeneralBackupDBName() override { return m_generalBackupDbName; }

    // Internal to the setup service.
    setup::Date get_BackupDate() const { return m_backupDate; }
    void let_BackupDate(const setup::Date& value) { m_backupDate = value; }
    int32_t get_BackupCount() const { return m_backupCount; }
    void let_BackupCount(int32_t value) { m_backupCount = value; }
    void let_DefaultDBPath(const std::string& value) { m_defaultDbPath = value; }
    void let_GeneralBackupDBName(const std::string& value) { m_generalBackupDbName = value; }
    void let_DBTypeKey(const std::string& value) { m_dbTypeKey = value; }
    void let_DBTypeDesc(const std::string& value) { m_dbTypeDesc = value; }

  private:
    int32_t m_dbTypeId = 0;
    std::string m_dbTypeKey;
    std::string m_dbTypeDesc;
    setup::Date m_backupDate = setup::ZeroDate();
    int32_t m_backupCount = 0;
    std::string m_defaultDbPath;
    std::string m_generalBackupDbName;
};

}  // namespace gr
