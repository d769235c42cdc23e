// Reads a pick aloud on draft night through the system's speech engine, when the league has
// asked for it. Where no speech engine or voice is installed it stays silent, without a word.
#pragma once

#include <QObject>
#include <memory>
#include <string>

class QTextToSpeech;

namespace gr::ui {

class RoomAnnouncer : public QObject {
    Q_OBJECT
  public:
    explicit RoomAnnouncer(QObject* parent = nullptr);
    ~RoomAnnouncer() override;

    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    // Says the text when enabled and a voice can speak; otherwise nothing happens.
    void Say(const std::string& text);

  private:
    bool Ready();

    bool m_enabled = false;
    bool m_unavailable = false;  // no engine, or the engine failed: silent from then on
    QTextToSpeech* m_speech = nullptr;
};

}  // namespace gr::ui
