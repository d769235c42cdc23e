// Reads the player catalogue and its reference lists from the data service.
#pragma once

#include <string>
#include <vector>

#include "IDataService.h"
#include "Roster.h"

namespace gr::admin {

RosterReference ReadRosterReference(IDataService& data);

// Every player, retired ones included. False when the service's search failed.
bool ReadCatalogPlayers(IDataService& data, std::vector<CatalogPlayer>& players);

CatalogPlayer ToCatalogPlayer(IPlayerInfo& player);

}  // namespace gr::admin
