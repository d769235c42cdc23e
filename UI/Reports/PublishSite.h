// Reports > Publish League Site...: the league's static web site (GRLeagueSite) written into a
// folder the user chooses, through the same code as gridora-admin publish.
#pragma once

#include "GRIData.h"
#include "IDataService.h"

namespace gr::ui {

// Asks for the folder, asks again before using one that holds other files, publishes and says
// how many pages went where, offering to open the folder. True when the site was published.
bool PublishLeagueSite(const ComPtr<IDataService>& dataService);

}  // namespace gr::ui
