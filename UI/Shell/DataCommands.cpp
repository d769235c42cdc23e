#include "DataCommands.h"

#include <string>

#include "GRUIUtils.h"

namespace gr::ui {

namespace {

constexpr const char* kContactAdministrator = " Please contact administrator.";

std::string BackupFailure(const std::string& serviceMessage) {
    const std::string reason = serviceMessage.empty() ? "Backup failed." : serviceMessage + ".";
    return reason + kContactAdministrator;
}

}  // namespace

bool BackupData(const ComPtr<ISetupService>& setupService) {
    bool backedUp = false;
    std::string message;
    if (setupService) {
        std::string errMessage;
        backedUp = setupService->CreateBackup(errMessage);
        message = backedUp ? "Data backedup successfully." : BackupFailure(errMessage);
    } else {
        message = std::string("Backup failed.") + kContactAdministrator;
    }
    MsgBox(message, MsgButtons::OK, "Gridora");
    return backedUp;
}

bool RestoreData(const ComPtr<ISetupService>& setupService, const ComPtr<ISetupInfo>& setupInfo,
                 const std::function<bool()>& mayReplace, const std::function<void()>& onRestored) {
    const std::string startFolder = setupInfo ? setupInfo->get_DefaultDBPath() : std::string();
    const std::string path =
        OpenFileDialog("Select Backup Database", "Database (*.mdb) | *.mdb", startFolder);
    if (path.empty()) return false;
    if (MsgBox("Are you sure you want to override current data?", MsgButtons::YesNo, "Gridora") !=
        MsgAnswer::Yes)
        return false;
    if (mayReplace && !mayReplace()) return false;

    bool restored = false;
    std::string message;
    if (setupService) {
        std::string errMessage;
        restored = setupService->RestoreBackup(path, errMessage);
        if (restored) {
            message = "Data restored successfully.";
            if (onRestored) onRestored();
        } else {
            message = errMessage.empty() ? "Restore failed." : errMessage;
        }
    } else {
        message = std::string("Restore failed.") + kContactAdministrator;
    }
    MsgBox(message, MsgButtons::OK, "Gridora");
    return restored;
}

}  // namespace gr::ui
