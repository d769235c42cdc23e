// Whether unsaved work found in a recovery file still fits the league as it is now, and the
// catalogue lookups by id that bringing it back needs.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "GRIData.h"
#include "IDataService.h"
#include "RecoveryFile.h"

namespace gr::ui {

struct WorkFit {
    UnsavedWork fits;                  // what can be brought back
    std::vector<std::string> leftOut;  // one line for each piece that cannot, saying why
};

// Checks the work against the league's current season: another season fits nowhere; a pick
// that the league has changed since the work began, or whose player or team another pick
// holds, is left out; so are winnings rows of managers or prizes no longer in the season and
// managers or prizes no longer in the catalogue.
WorkFit FitToLeague(const UnsavedWork& work, const ComPtr<IDataService>& data);

// Every player (retired ones included) and team of the catalogue by (pick type, id).
using PickableIndex = std::map<std::pair<int32_t, int32_t>, ComPtr<IPickable>>;
PickableIndex PickablesById(const ComPtr<IDataService>& data);

// The catalogue's manager or prize of this id; none when it is gone.
ComPtr<IManagerTmplInfo> FindManagerTmpl(const ComPtr<IDataService>& data, int32_t id);
ComPtr<IPrizeTmplInfo> FindPrizeTmpl(const ComPtr<IDataService>& data, int32_t id);

}  // namespace gr::ui
