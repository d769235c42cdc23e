// The draft board: the season's snake draft as a grid of picks, by round or by manager, with
// the current-pick panel through which the organiser enters the draft one pick at a time.
// A locked draft is shown read-only. The board can be printed and saved as PDF.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <memory>
#include <string>

#include "ChildWindow.h"
#include "DraftBoardHtml.h"
#include "DraftEntry.h"
#include "DraftUndo.h"
#include "GRIData.h"
#include "GRTextBox.h"
#include "HtmlView.h"
#include "IDataService.h"
#include "PickClock.h"
#include "RoomDisplayHtml.h"

namespace gr::ui {

class frmAddNewPopup;
class frmRoomDisplay;

class frmDraftPlayers : public ChildWindow {
    Q_OBJECT
  public:
    explicit frmDraftPlayers(QWidget* parent = nullptr);
    ~frmDraftPlayers() override;

    // Keeps the data service. Always true.
    bool Initialize(const ComPtr<IDataService>& oGRService);

    void Activated() override;
    // Unsaved picks: saved without a question when another window takes the board's place,
    // asked about ("Do you want to save changes?") on Close and at Exit.
    bool HasUnsavedChanges() const override { return cmdSave->isEnabled(); }
    bool SaveChanges() override { return Save(); }
    void DiscardChanges() override;
    bool MayLeave(LeaveReason reason) override { return SaveSilentlyUnlessAsked(reason); }
    // The picks that differ from what the league held when the work on them began.
    void CollectUnsavedWork(UnsavedWork& work) const override;
    void BringBackWork(const UnsavedWork& work) override;

    HtmlView* wbReport;
    QPushButton* cmdDispBy;
    QPushButton* cmdGotoCurPick;
    QPushButton* cmdLockDrafting;
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
    QPushButton* cmdSavePdf;
    QPushButton* cmdClose;
    QGroupBox* fraCurrentPick;
    QLabel* lblCoach;
    QLabel* lblPickInfo;
    QLabel* lblPlayer;
    GRTextBox* txtPlayerName;
    QToolButton* cmdDBLookup;
    QToolButton* cmdAddPlayer;
    QLabel* lblPosition;
    QLabel* lblPositionName;
    QLabel* lblTeam;
    QLabel* lblTeamName;
    QPushButton* cmdPrevPick;
    QPushButton* cmdNextPick;
    // Draft night: the room display, the pick clock and reading picks aloud.
    QPushButton* cmdRoomDisplay;
    QLabel* lblClock;
    QLabel* lblPickSeconds;
    QSpinBox* txtPickSeconds;
    QPushButton* cmdPauseClock;
    QCheckBox* chkReadAloud;

    // The room display while it is open.
    frmRoomDisplay* RoomDisplay() const { return m_oRoomDisplay; }
    const PickClock& Clock() const { return m_clock; }
    int32_t CurrentPick() const { return m_entry.CurrentPick(); }
    DraftView View() const { return m_view; }
    bool IsEntryChanged() const { return m_entry.IsTyped(); }
    // What a pick does on the board; the board shows it and asks the user for it.
    DraftEntry& Entry() { return m_entry; }
    const DraftEntry& Entry() const { return m_entry; }

  protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The board (draft board).
    void BuildLayout();
    void ConnectCommands();
    void ActivateBoard();
    void wbReport_DocumentComplete();
    void RedrawGrid();
    void DrawCell(const ComPtr<IDraftInfo>& draft);
    void ScrollToPick(int32_t pick);
    bool Save();
    void MarkUnsaved();
    void PickChanged(int32_t pick);

    void cmdDispBy_Click();
    void cmdSave_Click();
    void cmdLockDrafting_Click();
    void cmdPrint_Click();
    void cmdSavePdf_Click();
    void cmdClose_Click();

    // Draft night (frmDraftPlayersRoom.cpp).
    void BuildDraftNightControls();
    void ConnectDraftNight();
    void ReadDraftNightSettings();
    void StoreDraftNightSetting(const char* name, const std::string& value);
    // The reason the board cannot take picks yet and the command that mends it; empty when
    // it can (or the draft is locked).
    std::string NotReadyNotice() const;
    RoomPick RoomPickOf(int32_t pick) const;
    void TakeRoomBoard();
    void FollowOnRoomDisplay();
    void cmdRoomDisplay_Click();
    void CloseRoomDisplay();
    void ReturnToBoard();
    void TogglePause();
    void TickClock();
    void txtPickSeconds_Changed(int seconds);
    // Ctrl+Z and Ctrl+Shift+Z: a pick taken back or taken again.
    void UndoPick(bool redo);

    // The current-pick panel (pick entry).
    void EnablePickControls(bool enable);
    void RefreshNavigation();
    void ShowCurrentPick();
    void MoveToPick(bool forward);
    void ShowEntryResult(const EntryResult& result);
    ComPtr<IPickable> ChooseResult(const ComPtr<Collection>& results);
    bool txtPlayerName_LostFocus();
    void txtPlayerName_Enter();

    void cmdPrevPick_Click();
    void cmdNextPick_Click();
    void cmdGotoCurPick_Click();
    void cmdDBLookup_Click();
    void cmdAddPlayer_Click();

    ComPtr<IDataService> m_oDataService;
    ComPtr<ISeasonInfo> m_oSeason;
    DraftEntry m_entry;
    DraftView m_view = DraftView::ByRound;
    bool m_draftLocked = false;
    std::unique_ptr<frmAddNewPopup> m_oFrmAddNew;  // created on first use, kept for the next
    HtmlDocument* m_oDocument = nullptr;
    // What each pick's cell shows now, so that a cell is sent to the page only when it changes.
    std::map<int32_t, std::string> m_drawnCells;
    DraftUndo m_undo{m_entry};
    frmRoomDisplay* m_oRoomDisplay = nullptr;  // a window of its own, owned by the board
    RoomBoard m_room;                          // the draft as the room display shows it
    PickClock m_clock;
    int32_t m_clockPick = 0;  // the pick the clock runs for
    QTimer m_clockTimer;
    bool m_readingSettings = false;
};

}  // namespace gr::ui
