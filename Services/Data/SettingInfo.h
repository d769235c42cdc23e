// The league's stored settings: the current season. Assigning a different season marks
// the settings changed and tells every listener (SettingsChanged). Listeners are held
// without a reference, so a listener that holds the settings makes no cycle; a listener
// must unsubscribe before it dies.
#pragma once

#include <cstdint>
#include <vector>

#include "ComObject.h"
#include "GRIData.h"

namespace gr::data {

class SettingInfo final : public ComObject<ISettingInfo> {
  public:
    void let_CurrentSeason(int32_t value) override;
    int32_t get_CurrentSeason() override { return m_currentSeason; }

    void Advise(ISettingInfoEvents* sink);
    void Unadvise(ISettingInfoEvents* sink);

    bool IsChanged() const { return m_changed; }
    // Setting the flag raises SettingsChanged.
    void SetChanged(bool changed);

  private:
    int32_t m_currentSeason = 0;
    bool m_changed = false;
    std::vector<ISettingInfoEvents*> m_sinks;
};

}  // namespace gr::data
