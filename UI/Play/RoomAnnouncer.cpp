#include "RoomAnnouncer.h"

#include <QTextToSpeech>

namespace gr::ui {

RoomAnnouncer::RoomAnnouncer(QObject* parent) : QObject(parent) {}

RoomAnnouncer::~RoomAnnouncer() = default;

// The engine is asked for only once speech is wanted: a room without speakers pays nothing.
bool RoomAnnouncer::Ready() {
    if (m_unavailable) return false;
    if (!m_speech) {
        if (QTextToSpeech::availableEngines().isEmpty()) {
            m_unavailable = true;
            return false;
        }
        m_speech = new QTextToSpeech(this);
        connect(m_speech, &QTextToSpeech::errorOccurred, this, [this] { m_unavailable = true; });
    }
    if (m_speech->state() == QTextToSpeech::Error || m_speech->availableVoices().isEmpty())
        m_unavailable = true;
    return !m_unavailable;
}

void RoomAnnouncer::Say(const std::string& text) {
    if (!m_enabled || text.empty() || !Ready()) return;
    m_speech->say(QString::fromStdString(text));
}

}  // namespace gr::ui
