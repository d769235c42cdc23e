#include "DraftInfo.h"

#include "DataKeys.h"

namespace gr::data {

ComPtr<IPickable> DraftInfo::get_PlayerOrTeam() {
    if (m_kind == PickedPlayer || m_kind == PickedTeam) return m_pick;
    return {};
}

void DraftInfo::set_PlayerOrTeam(const ComPtr<IPickable>& value) {
    if (!value) return;
    const PickableTypesEnum kind = value->get_PickType();
    if (kind != PickedPlayer && kind != PickedTeam) return;
    if (m_pick && m_kind == kind && m_pick->get_PickID() == value->get_PickID()) {
        m_pick = value;  // the same thing, perhaps a reloaded object
        return;
    }
    m_kind = kind;
    m_pick = value;
    m_changed = true;
}

void DraftInfo::ClearPick() {
    m_kind = PickedNone;
    m_pick = nullptr;
    m_manager = nullptr;
    m_changed = true;
}

int32_t DraftInfo::PlayerID() const {
    return (m_kind == PickedPlayer && m_pick) ? m_pick->get_PickID() : 0;
}

int32_t DraftInfo::TeamID() const {
    return (m_kind == PickedTeam && m_pick) ? m_pick->get_PickID() : 0;
}

ComPtr<Collection> CreateEmptyDrafts(int32_t count) {
    ComPtr<Collection> drafts = Collection::Create();
    if (count < 1) return drafts;
    drafts->Reserve(static_cast<size_t>(count));
    for (int32_t p = 1; p <= count; ++p) drafts->Add(MakeCom<DraftInfo>(p), EmptyPickKey(p));
    return drafts;
}

}  // namespace gr::data
