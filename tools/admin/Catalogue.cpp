#include "Catalogue.h"

namespace gr::admin {

namespace {

template <class T>
std::vector<CodeEntry> CodeEntries(const ComPtr<Collection>& list) {
    std::vector<CodeEntry> entries;
    if (!list) return entries;
    for (const ComPtr<T>& item : list->ItemsAs<T>())
        entries.push_back({item->get_ID(), item->get_Abbr()});
    return entries;
}

}  // namespace

RosterReference ReadRosterReference(IDataService& data) {
    return {CodeEntries<IPositionInfo>(data.GetPlayerPositions()),
            CodeEntries<ITeamInfo>(data.GetTeams())};
}

CatalogPlayer ToCatalogPlayer(IPlayerInfo& player) {
    CatalogPlayer p;
    p.id = player.get_ID();
    p.lastName = player.get_LastName();
    p.firstName = player.get_FirstName();
    if (const auto position = player.get_Position()) p.positionId = position->get_ID();
    if (const auto team = player.get_Team()) p.teamId = team->get_ID();
    p.retired = player.get_IsRetired();
    return p;
}

bool ReadCatalogPlayers(IDataService& data, std::vector<CatalogPlayer>& players) {
    // An empty text matches every name; teams come along and are left out.
    const ComPtr<Collection> found = data.Search(TypePlayerOrTeam, "", false, false);
    if (!found) return false;
    players.clear();
    for (const ComPtr<IPlayerInfo>& player : found->ItemsAs<IPlayerInfo>())
        players.push_back(ToCatalogPlayer(*player));
    return true;
}

}  // namespace gr::admin
