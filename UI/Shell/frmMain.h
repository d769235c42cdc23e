// The main window: creates the services at start-up, holds one child window at a time over the
// welcome window, offers the menu, and shuts everything down in order.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ChildWindow.h"
#include "GRIData.h"
#include "IDataService.h"
#include "ISetupService.h"
#include "RecoveryKeeper.h"
#include "frmWelcome.h"

class QMdiSubWindow;
class QSessionManager;
class QSettings;

namespace gr::ui {

inline constexpr const char* kSetupServiceClass = "GRSetupSrvc.SetupService";

// The menu commands that open a child window.
enum class MenuCommand {
    Ranking,
    Draft,
    Winnings,
    CurSeason,
    AllSeasons,
    Winners,
    SeasonInfo,
    AddManager,
    AddPlayer,
    AddPrize,
    AddPosition,
    DBSetup,
    Guide,
    About,
};

// What a command's window may be initialised with.
struct ChildServices {
    ComPtr<IDataService> dataService;
    ComPtr<ISetupService> setupService;
};

// Creates a command's window and calls its Initialize with the arguments that command gives it.
// Commands without a factory show their menu item disabled.
using ChildFactory = std::function<ChildWindow*(const ChildServices&)>;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // setupServiceClass is the class name the setup service is created by.
    explicit frmMain(std::string setupServiceClass = kSetupServiceClass, QWidget* parent = nullptr);
    ~frmMain() override;

    // The load of the main window: creates the setup service, initialises the services, shows
    // the welcome window, sets the title and offers back unsaved work that a program ended
    // without saving left in the recovery file. False when start-up failed; the user has been
    // told why and the window is shut down.
    bool StartUp();
    bool InitializeServices();
    void UpdateTitle();
    void ShowChildWindow(ChildWindow* window);
    void CloseChildWindows();
    void CloseSetupWindow();
    void ShutDown();
    // Whether the current child window may be left, after it has done what its rules say with
    // its unsaved work (saved, discarded, or kept after Cancel or a failed save).
    bool LeaveCurrentChild(LeaveReason reason);
    // The recovery file of the league in use, offered back if it holds work not saved since.
    void OfferRecoveredWork();

    // Runs a menu command that opens a window (what choosing its menu item does). The window
    // shown now is left first; when it may not be, nothing changes.
    void OpenCommand(MenuCommand command);
    // Replaces the window a command opens and enables or disables its menu item.
    void SetWindowFactory(MenuCommand command, ChildFactory factory);

    ComPtr<ISetupService> SetupService() const { return m_oSetupService; }
    ComPtr<IDataService> DataService() const { return m_oDataService; }
    ComPtr<ISetupInfo> SetupInfo() const { return m_oSetupInfo; }
    ChildWindow* CurrentChild() const { return m_oCurrentChild; }
    frmWelcome* WelcomeWindow() const { return m_oFrmWelcome; }
    QMdiArea* ChildArea() const { return m_area; }
    // The window a command opened last, while it is loaded.
    ChildWindow* CommandWindow(MenuCommand command) const;
    bool IsShutDown() const { return m_shutDown; }
    // Opens the window as these settings remember it and remembers it there at shut-down.
    void RememberPlacement(QSettings* settings);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenu();
    QAction* AddAction(QWidget* menu, const char* name, const QString& caption);
    QAction* AddCommand(QWidget* menu, const char* name, const QString& caption,
                        MenuCommand command);
    QMdiSubWindow* Frame(QWidget* window) const;
    // The frame that holds the window in the child area, or the window itself.
    QWidget* Outer(QWidget* window) const;
    QMdiSubWindow* AddFrame(QWidget* window);
    void Unload(QWidget* window);
    void ChildAreaResized();
    void PlaceFrame(QMdiSubWindow* frame) const;
    void SubWindowActivated(QMdiSubWindow* frame);
    void DataChangedReaction();
    void mnuDataBackup_Click();
    void mnuDataRestore_Click();
    void mnuPublishSite_Click();
    void mnuImportSeason_Click();
    void mnuExit_Click();
    void CommitSessionData(QSessionManager& manager);
    void InstallErrorHook();
    std::string LeagueFilePath() const;

    QPointer<ChildWindow>& Member(MenuCommand command);

    std::string m_setupServiceClass;
    ComPtr<ISetupService> m_oSetupService;
    ComPtr<IDataService> m_oDataService;
    ComPtr<ISetupInfo> m_oSetupInfo;

    QPointer<frmWelcome> m_oFrmWelcome;
    QPointer<ChildWindow> m_oFrmAbout;
    QPointer<ChildWindow> m_oFrmGuide;
    QPointer<ChildWindow> m_oCurrentChild;
    QPointer<ChildWindow> m_oFrmRanking;
    QPointer<ChildWindow> m_oFrmDrafting;
    QPointer<ChildWindow> m_oFrmWinnings;
    QPointer<ChildWindow> m_oFrmReportsCur;
    QPointer<ChildWindow> m_oFrmReportsAll;
    QPointer<ChildWindow> m_oFrmReportsWnrs;
    QPointer<ChildWindow> m_oFrmSeasonInfo;
    QPointer<ChildWindow> m_oFrmAddManager;
    QPointer<ChildWindow> m_oFrmAddPlayer;
    QPointer<ChildWindow> m_oFrmAddPrize;
    QPointer<ChildWindow> m_oFrmAddPosition;
    QPointer<ChildWindow> m_oFrmDBSetup;
    int m_childWidth = 0;
    int m_childHeight = 0;

    QMdiArea* m_area;
    QPointer<ChildWindow> m_activeChild;  // the child whose Activated ran last
    std::map<MenuCommand, ChildFactory> m_factories;
    std::map<MenuCommand, QAction*> m_commandActions;
    QAction* mnuSettings = nullptr;
    QAction* mnuDBSetup = nullptr;
    bool m_shutDown = false;
    bool m_closing = false;
    std::optional<LeaveReason> m_leaving;  // while the current child is being left
    std::unique_ptr<RecoveryKeeper> m_recovery;
    QSettings* m_placement = nullptr;
};

}  // namespace gr::ui
