#include "SettingInfo.h"

#include <algorithm>

namespace gr::data {

void SettingInfo::let_CurrentSeason(int32_t value) {
    if (value == m_currentSeason) return;
    m_currentSeason = value;
    SetChanged(true);
}

void SettingInfo::Advise(ISettingInfoEvents* sink) {
    if (sink && std::find(m_sinks.begin(), m_sinks.end(), sink) == m_sinks.end())
        m_sinks.push_back(sink);
}

void SettingInfo::Unadvise(ISettingInfoEvents* sink) {
    m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), sink), m_sinks.end());
}

void SettingInfo::SetChanged(bool changed) {
    m_changed = changed;
    if (!changed) return;
    // A listener may unsubscribe while being told.
    const std::vector<ISettingInfoEvents*> sinks = m_sinks;
    for (ISettingInfoEvents* sink : sinks)
        if (std::find(m_sinks.begin(), m_sinks.end(), sink) != m_sinks.end())
            sink->SettingsChanged();
}

}  // namespace gr::data
