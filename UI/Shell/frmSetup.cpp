#include "frmSetup.h"

#include <QResizeEvent>
#include <string>

#include "DataCommands.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"

namespace gr::ui {

namespace {

const char* const kListCode = "HA";
const char* const kOptionCode = "GA";
const char* const kButtonCellCode = "EA";
const char* const kButtonCode = "JA";

// Buttons sit this far above the bottom edge and apart from each other.
constexpr int kButtonGap = 6;

// The list's entries by database type value, so that its selected index is the type.
const char* const kTypeNames[] = {"", "Live", "Test", "Blank"};
constexpr int32_t kLastType = 3;

std::string PageHtml() {
    std::string options;
    for (int32_t type = 0; type <= kLastType; ++type)
        options += "<option id='" + std::string(kOptionCode) + "-" + std::to_string(type) +
                   "' value='" + std::to_string(type) + "'>" + kTypeNames[type];
    return std::string("<table width=100%>") + "<tr " + "bgcolor='" + "FFFF99" + "'" + ">" +
           "<td width=20%>" + "Database Type:" + "</td>" + "<td width=10%>" +
           "<select size='1' id='" + kListCode + "'>" + options + "</select></td>" +
           "<td align='left' width=70% id='" + kButtonCellCode + "'>" + "</td>" + "</tr>" +
           "</table>";
}

std::string BackupButtonHtml() {
    return std::string("<button type='button' id='") + kButtonCode + "'>" + "Create Backup" +
           "</button>";
}

}  // namespace

frmSetup::frmSetup(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Database Setup"));
    wbDisplay = new HtmlView(this);
    wbDisplay->setObjectName(QStringLiteral("wbDisplay"));
    cmdBackup = new QPushButton(QStringLiteral("Backup"), this);
    cmdBackup->setObjectName(QStringLiteral("cmdBackup"));
    cmdSave = new QPushButton(QStringLiteral("Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    connect(wbDisplay, &HtmlView::documentComplete, this, [this] { wbDisplay_DocumentComplete(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] {
        if (SaveChanges()) HideAndRaiseFormClosed();
    });
    connect(cmdClose, &QPushButton::clicked, this, [this] { CloseWindow(); });
    connect(cmdBackup, &QPushButton::clicked, this, [this] { cmdBackup_Click(); });
    wbDisplay->navigate();
}

frmSetup::~frmSetup() {
    Terminate();
}

bool frmSetup::Initialize(const ComPtr<ISetupService>& oSetupSrvc) {
    m_oSetupService = oSetupSrvc;
    m_oSetupInfo = oSetupSrvc ? oSetupSrvc->get_SetupInfo() : nullptr;
    m_typeInUse = m_oSetupInfo ? m_oSetupInfo->get_DBTypeID() : 0;
    m_saved = false;
    if (m_oDocument) Render();
    return true;
}

void frmSetup::Activated() {
    cmdSave->setEnabled(false);
}

void frmSetup::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    const int width = event->size().width();
    const int height = event->size().height();
    const QSize button = cmdSave->sizeHint().expandedTo(QSize(80, 25));
    const int top = height - kButtonGap - button.height();
    const int centre = width / 2;
    cmdSave->setGeometry(centre - kButtonGap / 2 - button.width(), top, button.width(),
                         button.height());
    cmdClose->setGeometry(centre + kButtonGap / 2, top, button.width(), button.height());
    cmdBackup->setGeometry(cmdClose->geometry().right() + 1 + kButtonGap, top, button.width(),
                           button.height());
    wbDisplay->setGeometry(0, 0, width, qMax(0, top - kButtonGap));
}

void frmSetup::wbDisplay_DocumentComplete() {
    HtmlDocument* document = BindLoadedPage(*wbDisplay, this, m_oEventForwarder);
    if (!document) return;
    m_oDocument = document;
    Render();
}

void frmSetup::Render() {
    m_oHTMLSelect = nullptr;
    m_oDocument->body()->setInnerHTML(PageHtml());
    const int32_t type = m_oSetupInfo ? m_oSetupInfo->get_DBTypeID() : 0;
    if (const ElementPtr list = m_oDocument->getElementById(kListCode)) {
        m_oEventForwarder->Attach(list, HtmlEventType::Change);
        list->setValue(std::to_string(type));
    }
    if (const ElementPtr cell = m_oDocument->getElementById(kButtonCellCode)) {
        cell->setInnerHTML(type == DBLive ? BackupButtonHtml() : std::string());
        m_oEventForwarder->Attach(m_oDocument->getElementById(kButtonCode), HtmlEventType::Click);
    }
}

void frmSetup::HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) {
    std::string id;
    if (!ReadEventId(EventSource, EventObj, id)) return;
    const std::string code = GetField(id, "-", 1);
    if (code == kListCode) {
        // From now on the list reports its changes straight to the window; this first one
        // came through the forwarder.
        m_oHTMLSelect = EventSource;
        m_oHTMLSelect->setEventHandler(
            HtmlEventType::Change,
            [this](const ElementPtr&, HtmlEvent&) { m_oHTMLSelect_onchange(); });
        m_oHTMLSelect_onchange();
    } else if (code == kButtonCode) {
        cmdBackup_Click();
    }
}

void frmSetup::m_oHTMLSelect_onchange() {
    if (!m_oHTMLSelect || !m_oSetupInfo || GetField(m_oHTMLSelect->id(), "-", 1) != kListCode)
        return;
    const int index = m_oHTMLSelect->selectedIndex();
    // The empty entry names no league file: saved, the program could not start again. The
    // list shows the type in use again.
    if (index < DBLive || index > kLastType) {
        DiscardChanges();
        m_oHTMLSelect->setSelectedIndex(m_typeInUse);
        return;
    }
    if (index == m_oSetupInfo->get_DBTypeID()) return;
    m_oSetupInfo->let_DBTypeID(index);
    cmdSave->setEnabled(true);
}

// A choice that cannot be saved stays chosen, with Save enabled, so that the window stays.
bool frmSetup::SaveChanges() {
    if (!m_oSetupService || !m_oSetupService->Save()) {
        MsgBox("The database type could not be saved.", MsgButtons::OK, "Gridora");
        return false;
    }
    m_saved = true;
    cmdSave->setEnabled(false);
    emit DataChanged();
    return true;
}

void frmSetup::DiscardChanges() {
    PutBackTypeInUse();
    cmdSave->setEnabled(false);
}

void frmSetup::cmdBackup_Click() {
    BackupData(m_oSetupService);
}

// A type chosen but not saved would otherwise stay in the setup information: the title and
// the next setup window would name a database the program is not working on.
void frmSetup::PutBackTypeInUse() {
    if (m_saved || !m_oSetupInfo || m_oSetupInfo->get_DBTypeID() == m_typeInUse) return;
    m_oSetupInfo->let_DBTypeID(m_typeInUse);
}

void frmSetup::Terminate() {
    PutBackTypeInUse();
    m_oEventForwarder.reset();  // destroying it releases it
    m_oDocument = nullptr;
    m_oHTMLSelect = nullptr;
    m_oSetupService = nullptr;
    m_oSetupInfo = nullptr;
}

}  // namespace gr::ui
