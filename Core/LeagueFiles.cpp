#include "LeagueFiles.h"

#include "GRIDataEnums.h"

namespace gr::core {

namespace {

std::string BackupFileName(std::string_view dateText, std::string_view counterText) {
    std::string file(kBackupFilePrefix);
    if (dateText.empty() || counterText.empty()) {
        file += "*";
    } else {
        file += dateText;
        file += " - ";
        file += counterText;
    }
    return file += kDatabaseFileExtension;
}

}  // namespace

std::string DatabaseFileName(int32_t dbType, std::string_view dateText,
                             std::string_view counterText) {
    switch (dbType) {
        case DBLive:
            return "Gridora - Live.mdb";
        case DBTest:
            return "Gridora - Test.mdb";
        case DBBlank:
            return "Gridora - Blank.mdb";
        case DBBackup:
            return BackupFileName(dateText, counterText);
        case DBSetup:
            return "Gridora - Setup.mdb";
        default:
            return "Gridora - .mdb";
    }
}

bool IsLeagueType(int32_t dbType) {
    return dbType == DBLive || dbType == DBTest || dbType == DBBlank;
}

}  // namespace gr::core
