// The two data commands of the Admin Tools menu: backing the live league up and restoring it
// from a chosen backup file. The database setup window backs up through the same routine, so
// every backup tells the user how it went.
#pragma once

#include <functional>

#include "GRIData.h"
#include "ISetupService.h"

namespace gr::ui {

// Backs the live data up and shows the result in a box titled "Gridora". True on success.
bool BackupData(const ComPtr<ISetupService>& setupService);

// Lets the user choose a backup file in the database folder, asks before overwriting the
// current data, restores it and shows the result. mayReplace runs once the user has agreed
// (false stops the restore); onRestored runs after a successful restore, before the message.
// True when the data was restored.
bool RestoreData(const ComPtr<ISetupService>& setupService, const ComPtr<ISetupInfo>& setupInfo,
                 const std::function<bool()>& mayReplace, const std::function<void()>& onRestored);

}  // namespace gr::ui
