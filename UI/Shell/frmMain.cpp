#include "frmMain.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>

#include "ComponentFactory.h"
#include "DataCommands.h"
#include "GRUIUtils.h"
#include "PublishSite.h"
#include "ServiceHost.h"
#include "WindowPlacement.h"
#include "frmAbout.h"
#include "frmAddNewMDI.h"
#include "frmDraftPlayers.h"
#include "frmDraftRanking.h"
#include "frmImportSeason.h"
#include "frmReports.h"
#include "frmSeasonInfo.h"
#include "frmSetup.h"
#include "frmWinnings.h"

namespace gr::ui {

namespace {

constexpr const char* kTitle = "Gridora Management System";
constexpr const char* kServiceInitFailed = "Error in initializing Gridora Service.";
constexpr const char* kServiceCreateFailed = "Error in creating Gridora Service.";
constexpr QSize kPreferredSize(1024, 720);

// The catalogue editor window for one kind of record.
ChildFactory CatalogueEditor(InfoTypeEnum recordType) {
    return [recordType](const ChildServices& services) -> ChildWindow* {
        auto* window = new frmAddNewMDI;
        window->Initialize(services.dataService, recordType);
        return window;
    };
}

// A reports window showing the report of this kind.
ChildFactory ReportOfKind(int32_t kind) {
    return [kind](const ChildServices& services) -> ChildWindow* {
        auto* window = new frmReports;
        window->Initialize(kind, services.dataService);
        return window;
    };
}

// The windows that exist so far; the menu items of the others stay disabled until their
// screens are added here.
std::map<MenuCommand, ChildFactory> DefaultFactories() {
    return {
        {MenuCommand::Ranking,
         [](const ChildServices& services) -> ChildWindow* {
             auto* window = new frmDraftRanking;
             window->Initialize(services.dataService);
             return window;
         }},
        {MenuCommand::Draft,
         [](const ChildServices& services) -> ChildWindow* {
             auto* window = new frmDraftPlayers;
             window->Initialize(services.dataService);
             return window;
         }},
        {MenuCommand::Winnings,
         [](const ChildServices& services) -> ChildWindow* {
             auto* window = new frmWinnings;
             window->Initialize(services.dataService);
             return window;
         }},
        {MenuCommand::CurSeason, ReportOfKind(frmReports::CurrentSeason)},
        {MenuCommand::AllSeasons, ReportOfKind(frmReports::AllSeasons)},
        {MenuCommand::Winners, ReportOfKind(frmReports::PastWinners)},
        {MenuCommand::Guide,
         [](const ChildServices&) -> ChildWindow* {
             auto* window = new frmReports;
             window->Initialize(frmReports::Guide, nullptr);
             return window;
         }},
        {MenuCommand::About, [](const ChildServices&) -> ChildWindow* { return new frmAbout; }},
        {MenuCommand::SeasonInfo,
         [](const ChildServices& services) -> ChildWindow* {
             auto* window = new frmSeasonInfo;
             window->Initialize(services.dataService, services.setupService);
             return window;
         }},
        {MenuCommand::AddManager, CatalogueEditor(TypeManager)},
        {MenuCommand::AddPlayer, CatalogueEditor(TypePlayerOrTeam)},
        {MenuCommand::AddPrize, CatalogueEditor(TypePrize)},
        {MenuCommand::AddPosition, CatalogueEditor(TypePosition)},
        {MenuCommand::DBSetup,
         [](const ChildServices& services) -> ChildWindow* {
             auto* window = new frmSetup;
             window->Initialize(services.setupService);
             return window;
         }},
    };
}

}  // namespace

frmMain::frmMain(std::string setupServiceClass, QWidget* parent)
    : QMainWindow(parent),
      m_setupServiceClass(std::move(setupServiceClass)),
      m_area(new QMdiArea(this)),
      m_factories(DefaultFactories()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kTitle));
    m_area->setObjectName(QStringLiteral("mdiChildArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->viewport()->installEventFilter(this);
    setCentralWidget(m_area);
    connect(m_area, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* frame) { SubWindowActivated(frame); });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { CommitSessionData(manager); });
    BuildMenu();
    setGeometry(FitWithin(QRect(QPoint(-1, -1), kPreferredSize), screen()->availableGeometry()));
}

void frmMain::RememberPlacement(QSettings* settings) {
    m_placement = settings;
    if (m_placement) RestorePlacement(*this, *m_placement, kPreferredSize);
}

frmMain::~frmMain() {
    // Releases the services in order; the window is already going away, so no close().
    m_closing = true;
    ShutDown();
    // The child area is destroyed after this object's members; its last signals and events
    // must not reach them.
    disconnect(m_area, nullptr, this, nullptr);
    m_area->viewport()->removeEventFilter(this);
}

// ---- Menu ---------------------------------------------------------------------------------

QAction* frmMain::AddAction(QWidget* menu, const char* name, const QString& caption) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

QAction* frmMain::AddCommand(QWidget* menu, const char* name, const QString& caption,
                             MenuCommand command) {
    QAction* action = AddAction(menu, name, caption);
    action->setEnabled(m_factories.count(command) != 0);
    connect(action, &QAction::triggered, this, [this, command] { OpenCommand(command); });
    m_commandActions[command] = action;
    return action;
}

void frmMain::BuildMenu() {
    QMenuBar* bar = menuBar();
    const auto subMenu = [bar](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    AddCommand(bar, "mnuRanking", QStringLiteral("&Manager Ranking"), MenuCommand::Ranking);
    AddCommand(bar, "mnuDraft", QStringLiteral("&Draft Players"), MenuCommand::Draft);
    AddCommand(bar, "mnuWinnings", QStringLiteral("&Winnings"), MenuCommand::Winnings);

    QMenu* reports = subMenu("mnuReports", QStringLiteral("&Reports"));
    AddCommand(reports, "mnuCurSeason", QStringLiteral("Current Season Prizes"),
               MenuCommand::CurSeason);
    AddCommand(reports, "mnuAllSeasons", QStringLiteral("All Seasons Prizes"),
               MenuCommand::AllSeasons);
    AddCommand(reports, "mnuWinners", QStringLiteral("Past Winners"), MenuCommand::Winners);
    QAction* publish = AddAction(reports, "mnuPublishSite", QStringLiteral("Publish League Site…"));
    connect(publish, &QAction::triggered, this, [this] { mnuPublishSite_Click(); });

    QMenu* setup = subMenu("mnuSetup3", QStringLiteral("&Setup"));
    AddCommand(setup, "mnuSeasonInfo", QStringLiteral("Season"), MenuCommand::SeasonInfo);
    AddCommand(setup, "mnuAddManager", QStringLiteral("Manager"), MenuCommand::AddManager);
    AddCommand(setup, "mnuAddPlayer", QStringLiteral("Player"), MenuCommand::AddPlayer);
    AddCommand(setup, "mnuAddPrize", QStringLiteral("Prize"), MenuCommand::AddPrize);
    AddCommand(setup, "mnuAddPosition", QStringLiteral("Position"), MenuCommand::AddPosition);

    QMenu* admin = subMenu("mnuAdminTools", QStringLiteral("Admin &Tools"));
    QAction* backup = AddAction(admin, "mnuDataBackup", QStringLiteral("Backup Data"));
    connect(backup, &QAction::triggered, this, [this] { mnuDataBackup_Click(); });
    QAction* restore = AddAction(admin, "mnuDataRestore", QStringLiteral("Restore Data"));
    connect(restore, &QAction::triggered, this, [this] { mnuDataRestore_Click(); });
    QAction* importSeason =
        AddAction(admin, "mnuImportSeason", QStringLiteral("Import Season\u2026"));
    connect(importSeason, &QAction::triggered, this, [this] { mnuImportSeason_Click(); });
    mnuDBSetup =
        AddCommand(admin, "mnuDBSetup", QStringLiteral("Database Setup"), MenuCommand::DBSetup);
    mnuSettings = AddAction(admin, "mnuSettings", QStringLiteral("Settings"));
    mnuSettings->setVisible(false);

    QMenu* help = subMenu("mnuHelp", QStringLiteral("&Help"));
    AddCommand(help, "mnuGuide", QStringLiteral("Guide"), MenuCommand::Guide);
    AddCommand(help, "mnuAbout", QStringLiteral("About"), MenuCommand::About);

    QAction* exit = AddAction(bar, "mnuExit", QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, [this] { mnuExit_Click(); });
}

void frmMain::SetWindowFactory(MenuCommand command, ChildFactory factory) {
    if (factory)
        m_factories[command] = std::move(factory);
    else
        m_factories.erase(command);
    if (QAction* action = m_commandActions[command])
        action->setEnabled(m_factories.count(command) != 0);
}

QPointer<ChildWindow>& frmMain::Member(MenuCommand command) {
    switch (command) {
        case MenuCommand::Ranking:
            return m_oFrmRanking;
        case MenuCommand::Draft:
            return m_oFrmDrafting;
        case MenuCommand::Winnings:
            return m_oFrmWinnings;
        case MenuCommand::CurSeason:
            return m_oFrmReportsCur;
        case MenuCommand::AllSeasons:
            return m_oFrmReportsAll;
        case MenuCommand::Winners:
            return m_oFrmReportsWnrs;
        case MenuCommand::SeasonInfo:
            return m_oFrmSeasonInfo;
        case MenuCommand::AddManager:
            return m_oFrmAddManager;
        case MenuCommand::AddPlayer:
            return m_oFrmAddPlayer;
        case MenuCommand::AddPrize:
            return m_oFrmAddPrize;
        case MenuCommand::AddPosition:
            return m_oFrmAddPosition;
        case MenuCommand::DBSetup:
            return m_oFrmDBSetup;
        case MenuCommand::Guide:
            return m_oFrmGuide;
        case MenuCommand::About:
            break;
    }
    return m_oFrmAbout;
}

ChildWindow* frmMain::CommandWindow(MenuCommand command) const {
    return const_cast<frmMain*>(this)->Member(command);
}

void frmMain::OpenCommand(MenuCommand command) {
    if (m_shutDown) return;
    const auto factory = m_factories.find(command);
    if (factory == m_factories.end()) return;
    if (!LeaveCurrentChild(LeaveReason::Replaced)) return;
    // The factory initialises the window; its result does not stop the window from showing.
    ChildWindow* window = factory->second(ChildServices{m_oDataService, m_oSetupService});
    if (!window) return;
    Member(command) = window;
    if (command == MenuCommand::SeasonInfo)
        connect(window, &ChildWindow::YearChanged, this, [this] { UpdateTitle(); });
    if (command == MenuCommand::DBSetup)
        connect(window, &ChildWindow::DataChanged, this, [this] { DataChangedReaction(); });
    ShowChildWindow(window);
}

// ---- Start-up and services ----------------------------------------------------------------

bool frmMain::StartUp() {
    InstallErrorHook();
    std::string why;
    m_oSetupService = CreateObjectAs<ISetupService>(m_setupServiceClass, why);
    if (!m_oSetupService) {
        MsgBox(std::string(kServiceCreateFailed) + "\r\n" + why, MsgButtons::OK, "Gridora");
        ShutDown();
        return false;
    }
    if (!InitializeServices()) return false;
    if (!m_oFrmWelcome) {
        // A plain child of the child area, beneath every framed child window: it never
        // becomes the active window and is never stacked over the others.
        m_oFrmWelcome = new frmWelcome(m_area->viewport());
        m_oFrmWelcome->lower();
    }
    m_oFrmWelcome->setGeometry(m_area->viewport()->rect());
    m_oFrmWelcome->show();
    UpdateTitle();
    OfferRecoveredWork();
    return true;
}

void frmMain::InstallErrorHook() {
    host::SetErrorReporter([](const std::string& title, const std::string& text) {
        MsgBox(text, MsgButtons::OK, title);
    });
}

bool frmMain::InitializeServices() {
    std::string message;
    if (m_oSetupService && m_oSetupService->Initialize(message)) {
        m_oDataService = m_oSetupService->get_DataService();
        m_oSetupInfo = m_oSetupService->get_SetupInfo();
        m_recovery = std::make_unique<RecoveryKeeper>(LeagueFilePath());
        return true;
    }
    if (message.empty()) message = kServiceInitFailed;
    MsgBox(message, MsgButtons::OK, "Gridora");
    ShutDown();
    return false;
}

void frmMain::UpdateTitle() {
    std::string year = "none";
    bool firstSeasonAhead = true;
    if (m_oDataService)
        if (const ComPtr<ISeasonInfo> season = m_oDataService->GetCurrentSeasonInfo()) {
            year = std::to_string(season->get_Year());
            // A new league holds only the season of today, started without managers.
            firstSeasonAhead = season->get_NoOfManagers() < 1;
        }
    const std::string type = m_oSetupInfo ? m_oSetupInfo->get_DBTypeDesc() : std::string();
    const std::string title = std::string(kTitle) + " (Season Year: " + year + ")" + " - " + type;
    mnuSettings->setVisible(false);
    mnuDBSetup->setVisible(true);
    setWindowTitle(QString::fromStdString(title));
    // A league without a season of its own: the welcome window tells where one starts.
    if (m_oFrmWelcome) m_oFrmWelcome->ShowFirstSeasonSteps(firstSeasonAhead);
}

void frmMain::DataChangedReaction() {
    CloseChildWindows();
    CloseSetupWindow();
    // Saved on the way out: the next start opens the new type.
    if (m_leaving == LeaveReason::Exit || m_leaving == LeaveReason::Unattended) return;
    if (!InitializeServices()) return;
    // The database type may have changed, and the title names it.
    UpdateTitle();
    // Saved because another window opens in its place: that window comes next.
    if (m_leaving) return;
    OpenCommand(MenuCommand::DBSetup);
    OfferRecoveredWork();
}

// ---- Data commands ------------------------------------------------------------------------

void frmMain::mnuDataBackup_Click() {
    if (m_shutDown) return;
    BackupData(m_oSetupService);
}

void frmMain::mnuPublishSite_Click() {
    if (m_shutDown) return;
    PublishLeagueSite(m_oDataService);
}

void frmMain::mnuDataRestore_Click() {
    if (m_shutDown) return;
    // The window shown goes first: its work is saved into the league that the restored file
    // replaces (and so kept in that league's backup), or discarded, as its rules say.
    const auto mayReplace = [this] { return LeaveCurrentChild(LeaveReason::Replaced); };
    RestoreData(m_oSetupService, m_oSetupInfo, mayReplace, [this] {
        CloseChildWindows();
        // The restored file brings its own current season, and the title names its year.
        UpdateTitle();
    });
}

void frmMain::mnuImportSeason_Click() {
    if (m_shutDown) return;
    // The window shown goes first: the import drops every season object the windows hold.
    const auto mayReplace = [this] { return LeaveCurrentChild(LeaveReason::Replaced); };
    ImportSeason(m_oDataService, mayReplace, [this] {
        CloseChildWindows();
        UpdateTitle();
    });
}

// ---- Child windows ------------------------------------------------------------------------

QMdiSubWindow* frmMain::Frame(QWidget* window) const {
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

QWidget* frmMain::Outer(QWidget* window) const {
    QMdiSubWindow* frame = Frame(window);
    return frame ? frame : window;
}

QMdiSubWindow* frmMain::AddFrame(QWidget* window) {
    QMdiSubWindow* frame = m_area->addSubWindow(window, Qt::FramelessWindowHint);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    return frame;
}

void frmMain::PlaceFrame(QMdiSubWindow* frame) const {
    if (!frame) return;
    const QSize area = m_area->viewport()->size();
    frame->setGeometry(0, 0, m_childWidth > 0 ? m_childWidth : area.width(),
                       m_childHeight > 0 ? m_childHeight : area.height());
}

void frmMain::ShowChildWindow(ChildWindow* window) {
    if (!window) return;
    QMdiSubWindow* frame = Frame(window);
    if (!frame) {
        frame = AddFrame(window);
        // A window closed with its Close button is hidden and no longer the active one: it
        // must not hear Deactivated when the next window opens (its "save on deactivation"
        // would run after the user declined its save prompt).
        connect(window, &ChildWindow::FormClosed, this, [this, closed = QPointer(window)] {
            if (closed && m_activeChild == closed) m_activeChild = nullptr;
        });
    }
    PlaceFrame(frame);
    frame->show();
    window->setFocus();
    m_area->setActiveSubWindow(frame);
    // The child area does not report activations while the main window is hidden.
    SubWindowActivated(frame);
    if (m_oCurrentChild && m_oCurrentChild != window) Unload(m_oCurrentChild);
    m_oCurrentChild = window;
    if (m_recovery) m_recovery->Watch(window);
}

void frmMain::SubWindowActivated(QMdiSubWindow* frame) {
    // None: the application lost the focus; the child stays the active one.
    auto* child = frame ? qobject_cast<ChildWindow*>(frame->widget()) : nullptr;
    if (!child || child == m_activeChild) return;
    if (m_activeChild) m_activeChild->Deactivated();
    m_activeChild = child;
    child->Activated();
}

// Unloading is deferred to the event loop: the window may be the one whose handler is running
// (the database setup window raises DataChanged from its own button).
void frmMain::Unload(QWidget* window) {
    if (!window) return;
    if (window == m_activeChild) m_activeChild = nullptr;
    QWidget* outer = Outer(window);
    outer->hide();
    outer->deleteLater();
}

void frmMain::CloseChildWindows() {
    for (QPointer<ChildWindow>* member :
         {&m_oFrmDrafting, &m_oFrmRanking, &m_oFrmAddPlayer, &m_oFrmAddManager, &m_oFrmAddPrize,
          &m_oFrmAddPosition, &m_oFrmSeasonInfo, &m_oFrmReportsCur, &m_oFrmReportsAll,
          &m_oFrmReportsWnrs, &m_oFrmWinnings, &m_oFrmGuide, &m_oFrmAbout}) {
        if (!*member) continue;
        Unload(*member);
        *member = nullptr;
    }
}

void frmMain::CloseSetupWindow() {
    if (!m_oFrmDBSetup) return;
    Unload(m_oFrmDBSetup);
    m_oFrmDBSetup = nullptr;
}

void frmMain::ShutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    if (m_placement && isVisible()) SavePlacement(*this, *m_placement);
    // Work not saved by now stays in the recovery file for the next start.
    m_recovery.reset();
    CloseChildWindows();
    CloseSetupWindow();
    if (m_oFrmWelcome) {
        Unload(m_oFrmWelcome);
        m_oFrmWelcome = nullptr;
    }
    m_oDataService = nullptr;
    m_oSetupService = nullptr;
    m_oSetupInfo = nullptr;
    host::SetErrorReporter({});
    if (!m_closing) close();
}

// ---- Window events ------------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area->viewport() && event->type() == QEvent::Resize) ChildAreaResized();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::ChildAreaResized() {
    const QSize area = m_area->viewport()->size();
    if (area.width() == 0 || area.height() == 0) return;
    m_childWidth = area.width();
    m_childHeight = area.height();
    PlaceFrame(m_area->currentSubWindow());
    if (m_oFrmWelcome) m_oFrmWelcome->setGeometry(0, 0, m_childWidth, m_childHeight);
}

}  // namespace gr::ui
