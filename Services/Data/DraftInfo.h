// One pick of a season's draft: its number, the player or team it holds, the manager
// who made it, and whether it changed since it was loaded or stored.
#pragma once

#include <cstdint>

#include "ComObject.h"
#include "GRIData.h"

namespace gr::data {

class DraftInfo final : public ComObject<IDraftInfo> {
  public:
    explicit DraftInfo(int32_t draftNo = 0) : m_draftNo(draftNo) {}

    int32_t get_DraftNo() override { return m_draftNo; }
    void let_DraftNo(int32_t value) override { m_draftNo = value; }
    // The player or the team, according to the kind last set; nothing for an empty pick.
    ComPtr<IPickable> get_PlayerOrTeam() override;
    // Takes only players and teams; no object or any other kind is ignored. A different
    // thing marks the pick changed.
    void set_PlayerOrTeam(const ComPtr<IPickable>& value) override;
    ComPtr<IManagerInfo> get_Manager() override { return m_manager; }
    void set_Manager(const ComPtr<IManagerInfo>& value) override { m_manager = value; }

    // Empties the pick (thing and manager) and marks it changed, so saving stores the removal.
    void ClearPick();
    PickableTypesEnum PickedKind() const { return m_kind; }
    // Id of the player or team held (0 when the pick holds the other kind or nothing).
    int32_t PlayerID() const;
    int32_t TeamID() const;
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

  private:
    int32_t m_draftNo = 0;
    PickableTypesEnum m_kind = PickedNone;
    ComPtr<IPickable> m_pick;
    ComPtr<IManagerInfo> m_manager;
    bool m_changed = false;
};

// A pick list of the given size: picks 1..count, each empty under "N" + its number.
ComPtr<Collection> CreateEmptyDrafts(int32_t count);

}  // namespace gr::data
