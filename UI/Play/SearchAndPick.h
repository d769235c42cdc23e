// Picking one item of a catalogue search: at once when there is one, through the selection
// dialog when there are several.
#pragma once

#include <string>

#include "GRIData.h"
#include "IDataService.h"

namespace gr::ui {

// Lets the user pick one of the results of a search: none shows "Sorry no <lowerWord> found.",
// one is picked at once, several open the selection dialog captioned "Select a <captionWord>".
// True when an item was picked.
bool PickOneResult(const ComPtr<Collection>& results, const std::string& lowerWord,
                   const std::string& captionWord, const ComPtr<ISeasonInfo>& season,
                   ComPtr<IPickable>& picked);

// Searches the catalogue and lets the user pick one result: none found shows "Sorry no ...
// found.", one is picked at once, several open the selection dialog (with the season, taken
// items are marked). True when an item was picked.
bool SearchAndPick(InfoTypeEnum searchType, const std::string& searchText,
                   const ComPtr<IDataService>& dataService, const ComPtr<ISeasonInfo>& season,
                   bool curSeasonOnly, ComPtr<IPickable>& picked, bool skipRetiredPlayers);

}  // namespace gr::ui
