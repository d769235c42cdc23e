#include "WinningInfo.h"

#include <utility>

#include "DataKeys.h"

namespace gr::data {

WinningInfo::WinningInfo(std::string key) : m_key(std::move(key)) {}

ComPtr<WinningInfo> WinningInfo::CreateLoaded(int32_t id, int32_t seasonId,
                                              const std::string& managerId,
                                              const std::string& prizeId, int32_t week) {
    ComPtr<WinningInfo> win(new WinningInfo(RecordKey(id)));
    win->m_id = id;
    win->m_seasonId = seasonId;
    win->m_managerId = managerId;
    win->m_prizeId = prizeId;
    win->m_week = week;
    win->m_stored = true;
    return win;
}

ComPtr<WinningInfo> WinningInfo::CreateNew(int32_t runningNumber) {
    return ComPtr<WinningInfo>(new WinningInfo("KNEW" + std::to_string(runningNumber)));
}

void WinningInfo::let_SeasonID(int32_t value) {
    Assign(m_seasonId, value);
}
void WinningInfo::let_ManagerID(const std::string& value) {
    Assign(m_managerId, value);
}
void WinningInfo::let_PrizeID(const std::string& value) {
    Assign(m_prizeId, value);
}
void WinningInfo::let_Week(int32_t value) {
    Assign(m_week, value);
}
void WinningInfo::let_Action(ActionTypeEnum value) {
    Assign(m_action, value);
}

void WinningInfo::SetID(int32_t id) {
    Assign(m_id, id);
}

}  // namespace gr::data
