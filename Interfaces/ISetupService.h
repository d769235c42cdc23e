// The setup service interfaces: which database is in use, the data service, backups.
#pragma once

#include <string>

#include "IDataService.h"

namespace gr {

inline constexpr Guid LIBID_GRSetupSrvc = MakeGuid("482B5B30-600B-459F-88F7-A0D6CBFAE9E9");
inline constexpr Guid CLSID_SetupService = MakeGuid("5780BB46-4F68-4036-96FE-4E98CCFCBEB4");
inline constexpr Guid CLSID_SetupInfo = MakeGuid("F5BA5939-6201-49EF-B340-170C30C3F8C2");

class ISetupInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("04227380-CF4E-4656-95BC-E826384E14E2");
    virtual int32_t get_DBTypeID() = 0;
    virtual void let_DBTypeID(int32_t value) = 0;
    virtual std::string get_DBTypeDesc() = 0;
    virtual std::string get_DBTypeKey() = 0;
    virtual std::string get_DefaultDBPath() = 0;
    virtual std::string get_GeneralBackupDBName() = 0;
};

class ISetupService : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("6E60EE91-EE3D-4CAD-B4B6-0C0C7BCC084D");
    virtual bool Initialize(std::string& ErrMessage) = 0;
    virtual ComPtr<ISetupInfo> get_SetupInfo() = 0;
    virtual ComPtr<IDataService> get_DataService() = 0;
    virtual bool Save() = 0;
    virtual bool CreateBackup(std::string& ErrMessage) = 0;
    virtual bool RestoreBackup(const std::string& BackupPath, std::string& ErrMessage) = 0;
};

}  // namespace gr
