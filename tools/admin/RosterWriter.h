// Carries out an import plan through the data service's catalogue update, one player per
// call; when a call fails, the players already written are put back as they were.
#pragma once

#include <string>

#include "IDataService.h"
#include "Roster.h"

namespace gr::admin {

// True when every write succeeded. Otherwise errorMessage names the failing line and
// says whether the earlier writes could be undone.
bool WriteImportPlan(IDataService& data, const ImportPlan& plan, std::string& errorMessage);

}  // namespace gr::admin
