// One prize won by one manager in one week. The key is fixed when the record is made
// ("K" + id for a stored record, "KNEW" + a running number for a new one) and stays when
// the record later receives its id, so the season's Winnings keep finding it.
#pragma once

#include <cstdint>
#include <string>

#include "ComObject.h"
#include "GRIData.h"

namespace gr::data {

class WinningInfo final : public ComObject<IWinningInfo> {
  public:
    // A record read from the store: stored, unchanged, keyed "K" + id.
    static ComPtr<WinningInfo> CreateLoaded(int32_t id, int32_t seasonId,
                                            const std::string& managerId,
                                            const std::string& prizeId, int32_t week);
    // A record not stored yet: id 0, keyed "K" + "NEW" + the running number.
    static ComPtr<WinningInfo> CreateNew(int32_t runningNumber);

    int32_t get_ID() override { return m_id; }
    std::string get_Key() override { return m_key; }
    int32_t get_SeasonID() override { return m_seasonId; }
    void let_SeasonID(int32_t value) override;
    std::string get_ManagerID() override { return m_managerId; }
    void let_ManagerID(const std::string& value) override;
    std::string get_PrizeID() override { return m_prizeId; }
    void let_PrizeID(const std::string& value) override;
    int32_t get_Week() override { return m_week; }
    void let_Week(int32_t value) override;
    void let_Action(ActionTypeEnum value) override;
    ActionTypeEnum get_Action() override { return m_action; }

    // Gives the record its id once stored; the key does not change.
    void SetID(int32_t id);
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }
    bool IsStored() const { return m_stored; }
    void SetStored(bool stored) { m_stored = stored; }

  private:
    explicit WinningInfo(std::string key);

    template <class T>
    void Assign(T& field, const T& value) {
        if (field == value) return;
        field = value;
        m_changed = true;
    }

    int32_t m_id = 0;
    int32_t m_seasonId = 0;
    std::string m_managerId;
    std::string m_prizeId;
    int32_t m_week = 0;
    ActionTypeEnum m_action = ActionTypeNone;
    bool m_changed = false;
    bool m_stored = false;
    std::string m_key;
};

}  // namespace gr::data
