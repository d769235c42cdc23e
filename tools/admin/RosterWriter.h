// Carries out an import plan through the data service's catalogue update, one player per
// call, stopping at the first that fails. Run it on a WorkingCopy, which throws the
// earlier writes away with the copy when one fails.
#pragma once

#include <string>

#include "IDataService.h"
#include "Roster.h"

namespace gr::admin {

// True when every write succeeded; otherwise errorMessage names the failing line.
bool WriteImportPlan(IDataService& data, const ImportPlan& plan, std::string& errorMessage);

}  // namespace gr::admin
