#include "SearchAndPick.h"

#include <memory>

#include "GRUIUtils.h"
#include "frmSelection.h"

namespace gr::ui {

namespace {

struct SearchWords {
    std::string lower;    // in "Sorry no ... found."
    std::string caption;  // in "Select a ..."
};

SearchWords WordsFor(InfoTypeEnum searchType) {
    switch (searchType) {
        case TypePlayerOrTeam:
            return {"player or team", "Player or a Team"};
        case TypeManager:
            return {"manager", "Manager"};
        case TypePrize:
            return {"prize", "Prize"};
        case TypePosition:
            return {"position", "Position"};
    }
    return {"item", "Item"};
}

}  // namespace

bool PickOneResult(const ComPtr<Collection>& results, const std::string& lowerWord,
                   const std::string& captionWord, const ComPtr<ISeasonInfo>& season,
                   ComPtr<IPickable>& picked) {
    if (!results || results->Count() == 0) {
        MsgBox("Sorry no " + lowerWord + " found.", MsgButtons::OK, "Gridora");
        return false;
    }
    if (results->Count() == 1) {
        picked = results->ItemAs<IPickable>(1);
        return static_cast<bool>(picked);
    }
    auto dialog = std::make_unique<frmSelection>();
    dialog->Initialize(results, "Select a " + captionWord, season);
    ShowModal(*dialog);
    // An accepted dialog whose every item was taken holds no pick: nothing was chosen.
    const ComPtr<IPickable> chosen = dialog->IsAccepted() ? dialog->PickedItem() : nullptr;
    dialog.reset();
    if (!chosen) return false;
    picked = chosen;
    return true;
}

bool SearchAndPick(InfoTypeEnum searchType, const std::string& searchText,
                   const ComPtr<IDataService>& dataService, const ComPtr<ISeasonInfo>& season,
                   bool curSeasonOnly, ComPtr<IPickable>& picked, bool skipRetiredPlayers) {
    const SearchWords words = WordsFor(searchType);
    const ComPtr<Collection> results =
        dataService ? dataService->Search(searchType, searchText, curSeasonOnly, skipRetiredPlayers)
                    : ComPtr<Collection>();
    return PickOneResult(results, words.lower, words.caption, season, picked);
}

}  // namespace gr::ui
