#include "DraftUndo.h"

#include <algorithm>

namespace gr::ui {

ComPtr<IPickable> DraftUndo::Held(int32_t pick) const {
    const ComPtr<IDraftInfo> draft = m_entry.Draft(pick);
    return draft ? draft->get_PlayerOrTeam() : nullptr;
}

void DraftUndo::Start() {
    m_known.clear();
    m_done.clear();
    m_undone.clear();
    for (int32_t pick = 1; pick <= m_entry.TotalPicks(); ++pick) m_known[pick] = Held(pick);
}

void DraftUndo::PickChanged(int32_t pick) {
    if (m_applying) return;
    const ComPtr<IPickable> after = Held(pick);
    ComPtr<IPickable> before = m_known[pick];
    m_known[pick] = after;
    if (before == after) return;
    m_undone.clear();
    // A name typed over a pick empties it first: the emptying and the new name are one change.
    if (!m_done.empty() && m_done.back().pick == pick && !m_done.back().after) {
        before = m_done.back().before;
        m_done.pop_back();
    }
    if (before != after) m_done.push_back({pick, before, after});
}

void DraftUndo::Apply(int32_t pick, const ComPtr<IPickable>& content) {
    m_applying = true;
    m_entry.SetPick(pick, content);
    m_applying = false;
    m_known[pick] = Held(pick);
}

bool DraftUndo::Undo() {
    if (m_done.empty()) return false;
    const Change change = m_done.back();
    m_done.pop_back();
    Apply(change.pick, change.before);
    m_undone.push_back(change);
    m_entry.GoTo(change.pick);
    return true;
}

bool DraftUndo::Redo() {
    if (m_undone.empty()) return false;
    const Change change = m_undone.back();
    m_undone.pop_back();
    Apply(change.pick, change.after);
    m_done.push_back(change);
    m_entry.GoTo(std::min(change.pick + 1, m_entry.TotalPicks()));
    return true;
}

}  // namespace gr::ui
