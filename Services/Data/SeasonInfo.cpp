#include "SeasonInfo.h"

#include <utility>

#include "DataKeys.h"
#include "DraftInfo.h"
#include "GRPickUtils.h"
#include "SeasonEntries.h"

namespace gr::data {

namespace {
ComPtr<Collection> OrEmpty(ComPtr<Collection> c) {
    return c ? std::move(c) : Collection::Create();
}
}  // namespace

SeasonInfo::SeasonInfo()
    : m_prizes(Collection::Create()),
      m_managers(Collection::Create()),
      m_winnings(Collection::Create()),
      m_drafts(Collection::Create()) {}

void SeasonInfo::SetManagers(ComPtr<Collection> managers) {
    m_managers = OrEmpty(std::move(managers));
}
void SeasonInfo::SetWinnings(ComPtr<Collection> winnings) {
    m_winnings = OrEmpty(std::move(winnings));
}
void SeasonInfo::SetDrafts(ComPtr<Collection> drafts) {
    m_drafts = OrEmpty(std::move(drafts));
}

ComPtr<DraftInfo> SeasonInfo::DraftAt(int32_t position) const {
    if (!m_drafts) return {};
    ComPtr<IDraftInfo> item = m_drafts->ItemAs<IDraftInfo>(position);
    return ComPtr<DraftInfo>(dynamic_cast<DraftInfo*>(item.get()));
}

bool SeasonInfo::RekeyDraft(int32_t position, const std::string& key) {
    ComPtr<IUnknown> item = m_drafts->Item(position);
    if (!item) return false;
    if (m_drafts->KeyAt(position) == key) return true;
    // Another pick already holds this key: moving would lose one of them.
    if (m_drafts->Contains(key)) return false;
    m_drafts->Remove(position);
    if (position <= m_drafts->Count())
        m_drafts->Add(item, key, position);
    else
        m_drafts->Add(item, key);
    return true;
}

bool SeasonInfo::IsPickableTaken(const ComPtr<IPickable>& oPick, std::string& PickedInfo) {
    if (!oPick) return true;
    const std::string key = PickKey(oPick);
    switch (oPick->get_PickType()) {
        case PickedPlayer:
        case PickedTeam: {
            ComPtr<IDraftInfo> pick = m_drafts ? m_drafts->ItemAs<IDraftInfo>(key) : nullptr;
            if (!pick) return false;
            ComPtr<IManagerInfo> manager = pick->get_Manager();
            PickedInfo = std::to_string(RoundOfPick(pick->get_DraftNo(), m_noOfManagers)) + "\t" +
                         (manager ? manager->get_FirstName() : std::string()) + "\t" +
                         oPick->get_PickName();
            return true;
        }
        case PickedManager:
            return m_managers && m_managers->Contains(key);
        case PickedPrize:
            return m_prizes && m_prizes->Contains(key);
        default:
            return true;
    }
}

void SeasonInfo::UpdateDraft(const ComPtr<IPickable>& oPick, int32_t CurPick,
                             const ComPtr<IManagerInfo>& oMgr) {
    if (!oPick) return;
    const PickableTypesEnum kind = oPick->get_PickType();
    if (kind != PickedPlayer && kind != PickedTeam) return;
    ComPtr<DraftInfo> draft = DraftAt(CurPick);
    if (!draft || !RekeyDraft(CurPick, PickKey(oPick))) return;
    draft->set_PlayerOrTeam(oPick);
    draft->set_Manager(oMgr);
}

void SeasonInfo::RemoveDraft(int32_t CurPick) {
    ComPtr<DraftInfo> draft = DraftAt(CurPick);
    if (!draft || !RekeyDraft(CurPick, EmptyPickKey(CurPick))) return;
    draft->ClearPick();
}

bool SeasonInfo::AddPrize(const ComPtr<IPrizeTmplInfo>& oPrizeTmpl) {
    if (!oPrizeTmpl) return false;
    if (!m_prizes) m_prizes = Collection::Create();
    const std::string key = RecordKey(oPrizeTmpl->get_ID());
    if (!m_prizes->Contains(key)) m_prizes->Add(MakeCom<PrizeInfo>(oPrizeTmpl), key);
    return true;
}

bool SeasonInfo::AddManager(const ComPtr<IManagerTmplInfo>& oMgrTmpl) {
    if (!oMgrTmpl) return false;
    const std::string key = RecordKey(oMgrTmpl->get_ID());
    if (!m_managers->Contains(key)) m_managers->Add(MakeCom<ManagerInfo>(oMgrTmpl), key);
    return true;
}

bool SeasonInfo::RemoveManager(const ComPtr<IManagerInfo>& oMgr) {
    if (!oMgr) return false;
    m_managers->Remove(RecordKey(oMgr->get_ID()));
    return true;
}

}  // namespace gr::data
