// The room display of draft night: a second, frameless window filling a screen (the second one
// when there is one) that shows the room the draft as the organiser's board holds it. It follows
// the board with small changes to its page and changes no data. It never takes the keys: the
// board's F11 and Esc close it, its P pauses the clock.
#pragma once

#include <QTimer>
#include <QWidget>
#include <string>

#include "HtmlView.h"
#include "RoomAnnouncer.h"
#include "RoomDisplayHtml.h"

namespace gr::ui {

class frmRoomDisplay : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAnnouncementMs = 5000;

    explicit frmRoomDisplay(QWidget* parent = nullptr);
    ~frmRoomDisplay() override;

    // Full screen, frameless, on a screen other than the one `beside` is on when there is one.
    void ShowFullScreen(const QWidget* beside);
    // Shows the draft as it is now; a pick newly taken since the last picture is announced.
    void Follow(const RoomBoard& board);
    // The pick clock's "m:ss" (empty: off) and whether it is in its last seconds.
    void ShowClock(const std::string& text, bool red);
    // Whether announced picks are also read aloud.
    void SetSpeaking(bool speaking) { m_voice.SetEnabled(speaking); }

    HtmlView* wbRoom;
    const RoomBoard& Shown() const { return m_shown; }
    const std::string& LastAnnouncement() const { return m_announcement; }

  private:
    void wbRoom_DocumentComplete();
    void Render();
    void UpdateCells(const RoomBoard& board);
    void SetText(const char* id, const std::string& html);
    void Announce(const std::string& text);
    void HideAnnouncement();

    HtmlDocument* m_oDocument = nullptr;
    RoomBoard m_shown;
    std::string m_clockText;
    bool m_clockRed = false;
    std::string m_announcement;
    QTimer m_announceTimer;
    RoomAnnouncer m_voice;
};

}  // namespace gr::ui
