#include "DraftEntry.h"

#include "GRPickUtils.h"

namespace gr::ui {

namespace {

std::string Abbr(const ComPtr<IPositionInfo>& position) {
    return position ? position->get_Abbr() : std::string();
}
std::string Abbr(const ComPtr<ITeamInfo>& team) {
    return team ? team->get_Abbr() : std::string();
}

std::pair<int32_t, int32_t> PickKey(const ComPtr<IDraftInfo>& draft) {
    const ComPtr<IPickable> pick = draft ? draft->get_PlayerOrTeam() : nullptr;
    return pick ? std::pair(static_cast<int32_t>(pick->get_PickType()), pick->get_PickID())
                : std::pair(0, 0);
}

}  // namespace

void DraftEntry::Load(const ComPtr<IDataService>& dataService, const ComPtr<ISeasonInfo>& season,
                      const ComPtr<Collection>& rankList) {
    m_dataService = dataService;
    m_season = season;
    m_rankList = rankList;
    m_drafts = season ? season->get_Drafts() : nullptr;
    m_rankingLocked = season && season->get_IsRankingLocked();
    if (season) {
        m_managerCount = season->get_NoOfManagers();
        m_roundCount = season->get_NoOfRounds();
        m_curPick = season->get_CurrentPick();
    }
    // Picks not saved yet keep what the league held before them.
    if (!m_unsaved) NoteHeldPicks();
}

bool DraftEntry::IsReady() const {
    return m_managerCount > 0 && m_roundCount > 0 && m_rankingLocked;
}

ComPtr<IDraftInfo> DraftEntry::Draft(int32_t pick) const {
    if (!m_drafts || pick < 1 || pick > m_drafts->Count()) return {};
    return m_drafts->ItemAs<IDraftInfo>(pick);
}

ComPtr<IManagerInfo> DraftEntry::RankedManager(int32_t position) const {
    if (!m_rankList || position < 1 || position > m_rankList->Count()) return {};
    return m_rankList->ItemAs<IManagerInfo>(position);
}

ComPtr<IManagerInfo> DraftEntry::ManagerOfPick(int32_t pick) const {
    const ComPtr<IDraftInfo> draft = Draft(pick);
    if (ComPtr<IManagerInfo> manager = draft ? draft->get_Manager() : nullptr) return manager;
    const std::optional<DraftSlot> slot = gr::GetDraftSlot(pick, m_managerCount);
    return slot ? RankedManager(slot->managerRank) : nullptr;
}

PickPanelText DraftEntry::Panel() const {
    PickPanelText text;
    if (!m_curDraft) return text;
    if (const ComPtr<IPickable> pick = m_curDraft->get_PlayerOrTeam()) {
        text.name = pick->get_PickName();
        if (const auto player = pick.As<IPlayerInfo>()) {
            text.team = Abbr(player->get_Team());
            text.position = Abbr(player->get_Position());
        } else if (const auto team = pick.As<ITeamInfo>()) {
            text.team = team->get_Abbr();
            text.position = Abbr(team->get_Position());
        }
    }
    text.coach = m_mgrInTurn ? m_mgrInTurn->get_FirstName() : "XYZ";
    const DraftSlot slot = gr::GetDraftSlot(m_curPick, m_managerCount).value_or(DraftSlot{});
    text.pickInfo = "(Round #" + std::to_string(slot.round) + ")(Pick #" +
                    std::to_string(slot.place) + ")(Overall Pick #" + std::to_string(m_curPick) +
                    ")";
    return text;
}

// The panel shows the pick; a name it fills in is not the user's typing.
void DraftEntry::Show(int32_t pick) {
    m_curPick = pick;
    m_curDraft = Draft(pick);
    if (!m_curDraft) return;
    if (m_curDraft->get_PlayerOrTeam()) m_typed = false;
    m_mgrInTurn = ManagerOfPick(pick);
}

bool DraftEntry::Previous() {
    if (!CanGoBack()) return false;
    Show(m_curPick - 1);
    return true;
}

bool DraftEntry::Next() {
    if (!CanGoForward()) return false;
    Show(m_curPick + 1);
    return true;
}

bool DraftEntry::GoTo(int32_t pick) {
    if (pick < 1 || pick > TotalPicks()) return false;
    Show(pick);
    return true;
}

void DraftEntry::GoToCurrentPick() {
    const int32_t total = TotalPicks();
    int32_t open = total;
    for (int32_t pick = 1; pick <= total; ++pick) {
        const ComPtr<IDraftInfo> draft = Draft(pick);
        if (draft && !draft->get_PlayerOrTeam()) {
            open = pick;
            break;
        }
    }
    Show(open);
}

// ---- Taking and emptying picks -------------------------------------------------------------

void DraftEntry::Changed(int32_t pick) {
    m_unsaved = true;
    if (m_pickChanged) m_pickChanged(pick);
}

void DraftEntry::SetPick(int32_t pick, const ComPtr<IPickable>& pickable) {
    if (!m_season) return;
    if (pickable)
        m_season->UpdateDraft(pickable, pick, ManagerOfPick(pick));
    else
        m_season->RemoveDraft(pick);
    if (pick == m_curPick) Show(pick);
    Changed(pick);
}

void DraftEntry::Take(const ComPtr<IPickable>& pick) {
    if (!m_season || !pick) return;
    m_season->UpdateDraft(pick, m_curPick, m_mgrInTurn);
    Show(m_curPick);
    Changed(m_curPick);
}

bool DraftEntry::EmptyPick() {
    if (!m_season) return false;
    const bool held = m_curDraft && m_curDraft->get_PlayerOrTeam();
    m_season->RemoveDraft(m_curPick);
    if (held) Changed(m_curPick);
    return held;
}

std::string DraftEntry::TakenNotice(const ComPtr<IPickable>& pick) const {
    std::string pickedInfo;
    if (!m_season || !pick || !m_season->IsPickableTaken(pick, pickedInfo)) return {};
    return AlreadyTookNotice(ParsePickedInfo(pickedInfo));
}

ComPtr<Collection> DraftEntry::LookUp(const std::string& text) const {
    if (!m_dataService) return {};
    return m_dataService->Search(TypePlayerOrTeam, text, false, true);
}

namespace {

// Without the blanks around it, as the field's text is taken.
std::string Trimmed(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

EntryResult DraftEntry::EnterName(const std::string& text, const Chooser& choose) {
    if (m_busy || !m_typed || !m_season) return {};
    const std::string name = Trimmed(text);
    if (name.empty()) {
        m_typed = false;
        return {EntryOutcome::Empty, {}};
    }
    m_busy = true;
    // The pick is emptied before the name is looked up: a name that finds nothing leaves it
    // open.
    EmptyPick();
    const ComPtr<IPickable> picked = choose ? choose(LookUp(name)) : nullptr;
    EntryResult result{EntryOutcome::NotFound, {}};
    if (picked) {
        result.notice = TakenNotice(picked);
        if (!result.notice.empty()) {
            result.outcome = EntryOutcome::Refused;
        } else {
            Take(picked);
            m_typed = false;
            result.outcome = EntryOutcome::Taken;
        }
    }
    m_busy = false;
    return result;
}

EntryResult DraftEntry::Browse(const std::string& fieldText, const Chooser& choose) {
    if (!m_season || (!fieldText.empty() && m_typed)) return {};
    const ComPtr<IPickable> picked = choose ? choose(LookUp("")) : nullptr;
    if (!picked) return {EntryOutcome::NotFound, {}};
    EntryResult result{EntryOutcome::Refused, TakenNotice(picked)};
    if (result.notice.empty()) {
        Take(picked);
        result.outcome = EntryOutcome::Taken;
    }
    return result;
}

// ---- What the league holds -----------------------------------------------------------------

void DraftEntry::NoteHeldPicks() {
    m_heldPicks.clear();
    if (m_drafts)
        for (const ComPtr<IDraftInfo>& draft : m_drafts->ItemsAs<IDraftInfo>())
            m_heldPicks[draft->get_DraftNo()] = PickKey(draft);
}

void DraftEntry::Saved() {
    m_unsaved = false;
    NoteHeldPicks();
}

std::vector<RecoveredPick> DraftEntry::ChangedPicks() const {
    std::vector<RecoveredPick> changed;
    if (!m_drafts) return changed;
    for (const ComPtr<IDraftInfo>& draft : m_drafts->ItemsAs<IDraftInfo>()) {
        const int32_t pick = draft->get_DraftNo();
        const auto held = m_heldPicks.find(pick);
        const std::pair<int32_t, int32_t> heldKey =
            held == m_heldPicks.end() ? std::pair(0, 0) : held->second;
        const std::pair<int32_t, int32_t> key = PickKey(draft);
        if (key == heldKey) continue;
        const ComPtr<IPickable> picked = draft->get_PlayerOrTeam();
        changed.push_back({pick, key.first, key.second,
                           picked ? picked->get_PickName() : std::string(), heldKey.first,
                           heldKey.second});
    }
    return changed;
}

}  // namespace gr::ui
