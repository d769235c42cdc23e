// What a pick does on the draft board, free of widgets: the current pick and moving through
// the snake order, what the current-pick panel shows, looking a typed name up through the
// data service, taking or emptying a pick in the season held in memory, refusing a pick
// another manager already holds, and which picks the league does not have yet.
//
// The board shows what this holds and asks the user where a person must answer: a search
// with several results goes to the chooser it passes in, a refusal comes back as its notice.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "GRIData.h"
#include "IDataService.h"
#include "RecoveryFile.h"

namespace gr::ui {

// What the current-pick panel shows.
struct PickPanelText {
    std::string name;      // the pick's name; empty for an open pick
    std::string team;      // the team's abbreviation (a player's team, or the team itself)
    std::string position;  // the position's abbreviation
    std::string coach;     // the first name of the manager in turn; "XYZ" without one
    std::string pickInfo;  // "(Round #3)(Pick #3)(Overall Pick #23)"
};

// How an entry ended.
enum class EntryOutcome {
    Ignored,   // nothing typed since the panel was filled, or an entry is already running
    Empty,     // the field was empty: the pick stays as it was
    NotFound,  // nothing found or chosen; a typed name has emptied the pick
    Refused,   // another pick holds it; notice says so
    Taken,     // the pick holds it now
};

struct EntryResult {
    EntryOutcome outcome = EntryOutcome::Ignored;
    std::string notice;  // for Refused: "Dude, <manager> already took <pick> in round #<r>."
};

class DraftEntry {
  public:
    // Picks one of a search's results (none, one or several): the board shows "Sorry no ...
    // found." or the selection dialog. Empty when nothing was picked.
    using Chooser = std::function<ComPtr<IPickable>(const ComPtr<Collection>& results)>;
    // Told after a pick's content changed (taken, emptied or put back).
    using PickChanged = std::function<void(int32_t pick)>;

    // Reads the season: its counts and drafts, and the managers in draft order (position p of
    // rankList drafts at position p). What the league holds is noted unless picks are unsaved.
    void Load(const ComPtr<IDataService>& dataService, const ComPtr<ISeasonInfo>& season,
              const ComPtr<Collection>& rankList);
    void OnPickChanged(PickChanged listener) { m_pickChanged = std::move(listener); }

    int32_t ManagerCount() const { return m_managerCount; }
    int32_t RoundCount() const { return m_roundCount; }
    int32_t TotalPicks() const { return m_roundCount * m_managerCount; }
    // Managers, rounds and a locked ranking: picks may be entered.
    bool IsReady() const;

    int32_t CurrentPick() const { return m_curPick; }
    ComPtr<IDraftInfo> CurrentDraft() const { return m_curDraft; }
    ComPtr<IDraftInfo> Draft(int32_t pick) const;
    ComPtr<IManagerInfo> ManagerInTurn() const { return m_mgrInTurn; }
    // The manager at a draft position; none outside the rank list.
    ComPtr<IManagerInfo> RankedManager(int32_t position) const;
    // Who makes a pick: its draft's manager, else the manager its snake slot gives.
    ComPtr<IManagerInfo> ManagerOfPick(int32_t pick) const;
    PickPanelText Panel() const;

    bool CanGoBack() const { return m_curPick > 1; }
    bool CanGoForward() const { return m_curPick < TotalPicks(); }
    // One pick back or on; false (and nothing moves) at either end.
    bool Previous();
    bool Next();
    // The first pick without a player or team; the last pick when every one is filled.
    void GoToCurrentPick();
    // A pick by its number; false outside 1 .. TotalPicks().
    bool GoTo(int32_t pick);

    // The entry field: the user typed since the panel was filled.
    void NoteTyped() { m_typed = true; }
    bool IsTyped() const { return m_typed; }

    // The name typed into the field: empties the current pick, looks the name up and takes
    // what the chooser picks unless another pick holds it.
    EntryResult EnterName(const std::string& text, const Chooser& choose);
    // The whole catalogue through the chooser; the current pick is not emptied first, so the
    // pick it already holds is refused as taken. Nothing when the field holds typed text
    // (leaving the field has dealt with it).
    EntryResult Browse(const std::string& fieldText, const Chooser& choose);
    // Takes a pick for the current pick without asking whether it is taken (a new player).
    void Take(const ComPtr<IPickable>& pick);
    // Puts a pick (or nothing) into any pick, made by the manager of that pick.
    void SetPick(int32_t pick, const ComPtr<IPickable>& pickable);
    // Empties the current pick. True when it held a player or team.
    bool EmptyPick();
    // The refusal for a pick another pick holds; empty when it is free.
    std::string TakenNotice(const ComPtr<IPickable>& pick) const;
    // The data service's search for players and teams, retired players left out.
    ComPtr<Collection> LookUp(const std::string& text) const;

    // Unsaved picks: set by every change of a pick's content.
    bool IsUnsaved() const { return m_unsaved; }
    // The picks are stored: what the season holds now is what the league holds.
    void Saved();
    // The season's changes were thrown away.
    void Discarded() { m_unsaved = false; }
    // The picks that differ from what the league held when the work on them began.
    std::vector<RecoveredPick> ChangedPicks() const;

  private:
    void Show(int32_t pick);
    void NoteHeldPicks();
    void Changed(int32_t pick);

    ComPtr<IDataService> m_dataService;
    ComPtr<ISeasonInfo> m_season;
    ComPtr<Collection> m_drafts;
    ComPtr<Collection> m_rankList;
    int32_t m_managerCount = 0;
    int32_t m_roundCount = 0;
    bool m_rankingLocked = false;
    int32_t m_curPick = 0;
    ComPtr<IDraftInfo> m_curDraft;
    ComPtr<IManagerInfo> m_mgrInTurn;
    bool m_typed = false;
    bool m_busy = false;
    bool m_unsaved = false;
    PickChanged m_pickChanged;
    // What the league holds for each pick as far as the board knows: (pick type, id).
    std::map<int32_t, std::pair<int32_t, int32_t>> m_heldPicks;
};

}  // namespace gr::ui
