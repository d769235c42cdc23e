#include "ctlAddNewBrowser.h"

#include <QVBoxLayout>

#include "GRIcons.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "SearchAndPick.h"

namespace gr::ui {

namespace {

constexpr const char* kSearchInput = "AF";
constexpr const char* kSearchIcon = "CA";
constexpr const char* kDeleteIcon = "CB";
constexpr const char* kLastName = "AB";
constexpr const char* kFirstName = "AA";
constexpr const char* kPositionList = "HA";
constexpr const char* kTeamList = "HB";
constexpr const char* kRetired = "BA";
constexpr const char* kPrizeName = "AC";
constexpr const char* kPrizeTypeList = "HC";
constexpr const char* kDescription = "AD";
constexpr const char* kAbbreviation = "AE";

constexpr const char* kInitFailed = "Error in initializing form.";
constexpr const char* kDeleteFailed = "Error in deletion.";
// The position the player list leaves out: the league does not draft it as a player.
constexpr int32_t kPositionNotForPlayers = 6;

bool IsKnownKind(InfoTypeEnum kind) {
    return kind == TypePlayerOrTeam || kind == TypeManager || kind == TypePrize ||
           kind == TypePosition;
}

std::string IdText(int32_t id) {
    return std::to_string(id);
}

template <class T>
int32_t IdOf(const ComPtr<T>& info) {
    return info ? info->get_ID() : 0;
}

// A field row of the form; the rows' colours alternate from the first.
std::string FieldRow(int row, const std::string& label, const std::string& field) {
    const char* colour = row % 2 == 0 ? "FFFF99" : "FFCC99";
    return std::string("<tr bgcolor='") + colour + "'><td width=30%>" + label +
           "</td><td width=70%>" + field + "</td></tr>";
}

std::string TextField(const char* id, const char* style = nullptr) {
    std::string html = std::string("<input type=textbox id='") + id + "'";
    if (style) html += std::string(" style='") + style + "'";
    return html + "></input>";
}

// Only players can be edited in the player editor: teams are fixed by the league.
ComPtr<Collection> PlayersOnly(const ComPtr<Collection>& results) {
    ComPtr<Collection> players = Collection::Create();
    if (!results) return players;
    for (int32_t i = 1; i <= results->Count(); ++i) {
        const auto item = results->ItemAs<IPickable>(i);
        if (item && item->get_PickType() == PickedPlayer) players->Add(item);
    }
    return players;
}

}  // namespace

std::string RecordKindWord(InfoTypeEnum RecordType) {
    switch (RecordType) {
        case TypePlayerOrTeam:
            return "player";
        case TypeManager:
            return "manager";
        case TypePrize:
            return "prize";
        case TypePosition:
            return "position";
    }
    return {};
}

ctlAddNewBrowser::ctlAddNewBrowser(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ctlAddNewBrowser"));
    wbReport = new HtmlView(this);
    wbReport->setObjectName(QStringLiteral("wbReport"));
    // The view fills the control from its top left corner.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(wbReport);
    connect(wbReport, &HtmlView::documentComplete, this, [this] { wbReport_DocumentComplete(); });
}

ctlAddNewBrowser::~ctlAddNewBrowser() {
    Terminate();
}

bool ctlAddNewBrowser::Initialize(const ComPtr<IDataService>& oDataService, InfoTypeEnum RecordType,
                                  int32_t Mode) {
    std::string why;
    if (!oDataService)
        why = "There is no data service.";
    else if (!IsKnownKind(RecordType))
        why = "Unknown record kind " + std::to_string(static_cast<int>(RecordType)) + ".";
    if (!why.empty()) {
        MsgBox(std::string(kInitFailed) + "\r\n" + why, MsgButtons::OK, "Gridora");
        return false;
    }
    m_oDataService = oDataService;
    m_recordType = RecordType;
    m_mode = Mode;
    m_currentId = 0;
    m_positionId.clear();
    m_teamId.clear();
    m_prizeTypeId.clear();
    // The page about to load replaces the current one; nothing may point into the old one.
    m_oEventForwarder.reset();
    m_oDocument = nullptr;
    wbReport->navigate();
    return true;
}

void ctlAddNewBrowser::wbReport_DocumentComplete() {
    if (!m_oDataService) return;
    HtmlDocument* document = BindLoadedPage(*wbReport, this, m_oEventForwarder);
    if (!document) return;
    m_oDocument = document;
    Render();
}

std::string ctlAddNewBrowser::SearchLineHtml() const {
    const std::string word = RecordKindWord(m_recordType);
    // Shown, the line keeps the display of a table row so that it lines up with the fields.
    const std::string lineStyle = m_mode == kModeWithoutSearch ? " style='display:none'" : "";
    return "<tr" + lineStyle + " bgcolor='" + GetHighlightColor() + "'>" + "<td width=30%>Search " +
           word + ":</td><td width=70%>" +
           "<table width='100%' cellspacing='0' cellpadding='0'><tr>" +
           "<td width='10%' align='left'><input type=text size=30 id='" + kSearchInput +
           "'></input></td><td width='10%' align='left'>" +
           IconHtml('N', kSearchIcon, "Search " + word, IconSize::Large) +
           "</td><td width='80%' align='left'>" + IconHtml('r', kDeleteIcon, "Delete " + word) +
           "</td></tr></table></td></tr>";
}

std::vector<ctlAddNewBrowser::ListEntry> ctlAddNewBrowser::PositionEntries() const {
    std::vector<ListEntry> entries;
    const auto positions = m_oDataService->GetPlayerPositions();
    for (int32_t i = 1; positions && i <= positions->Count(); ++i) {
        const auto position = positions->ItemAs<IPositionInfo>(i);
        if (position && position->get_ID() != kPositionNotForPlayers)
            entries.push_back({position->get_ID(), position->get_Abbr()});
    }
    return entries;
}

std::vector<ctlAddNewBrowser::ListEntry> ctlAddNewBrowser::TeamEntries() const {
    std::vector<ListEntry> entries;
    const auto teams = m_oDataService->GetTeams();
    for (int32_t i = 1; teams && i <= teams->Count(); ++i)
        if (const auto team = teams->ItemAs<ITeamInfo>(i))
            entries.push_back({team->get_ID(), team->get_Abbr()});
    return entries;
}

std::vector<ctlAddNewBrowser::ListEntry> ctlAddNewBrowser::PrizeTypeEntries() const {
    std::vector<ListEntry> entries;
    const auto types = m_oDataService->GetPrizeTypes();
    for (int32_t i = 1; types && i <= types->Count(); ++i)
        if (const auto type = types->ItemAs<IPrizeTypeInfo>(i))
            entries.push_back({type->get_ID(), type->get_Name()});
    return entries;
}

// An empty entry first, so that a new record starts without a choice.
std::string ctlAddNewBrowser::ListHtml(const char* listId, const char* prefix,
                                       const std::vector<ListEntry>& entries) {
    std::string html = std::string("<select size='1' id='") + listId + "'>";
    const auto entry = [&](int32_t id, const std::string& text) {
        html += std::string("<option id='") + prefix + "-" + IdText(id) + "' value='" + IdText(id) +
                "'>" + HtmlEscape(text);
    };
    entry(0, {});
    for (const ListEntry& e : entries) entry(e.id, e.text);
    return html + "</select>";
}

std::string ctlAddNewBrowser::FieldRowsHtml() const {
    switch (m_recordType) {
        case TypePlayerOrTeam:
            return FieldRow(0, "Last name:", TextField(kLastName)) +
                   FieldRow(1, "First name:", TextField(kFirstName)) +
                   FieldRow(2, "Position:", ListHtml(kPositionList, "GA", PositionEntries())) +
                   FieldRow(3, "Team:", ListHtml(kTeamList, "GB", TeamEntries())) +
                   FieldRow(4, "Is Retired?",
                            std::string("<input type=checkbox id='") + kRetired + "'></input>");
        case TypeManager:
            return FieldRow(0, "Last name:", TextField(kLastName)) +
                   FieldRow(1, "First name:", TextField(kFirstName));
        case TypePrize:
            return FieldRow(0, "Prize name:", TextField(kPrizeName)) +
                   FieldRow(1, "Prize type:", ListHtml(kPrizeTypeList, "GC", PrizeTypeEntries()));
        case TypePosition:
            return FieldRow(0, "Description:", TextField(kDescription, "width:250px")) +
                   FieldRow(1, "Abbreviation:", TextField(kAbbreviation, "width:60px"));
    }
    return {};
}

void ctlAddNewBrowser::Render() {
    if (!m_oDocument) return;
    m_oDocument->body()->setInnerHTML("<table width=100%>" + SearchLineHtml() + FieldRowsHtml() +
                                      "</table>");
    SetDeleteIconShown(false);
    AttachEvents();
    KeepShownValues();
    PutFocus();
}

void ctlAddNewBrowser::AttachEvents() {
    for (const char* list : {kPositionList, kTeamList, kPrizeTypeList})
        m_oEventForwarder->Attach(m_oDocument->getElementById(list), HtmlEventType::Change);
    m_oEventForwarder->Attach(m_oDocument->getElementById(kSearchInput), HtmlEventType::Change);
    m_oEventForwarder->Attach(m_oDocument->getElementById(kSearchIcon), HtmlEventType::Click);
    m_oEventForwarder->Attach(m_oDocument->getElementById(kDeleteIcon), HtmlEventType::Click);
}

void ctlAddNewBrowser::HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) {
    std::string id;
    if (!ReadEventId(EventSource, EventObj, id)) return;
    const std::string code = GetField(id, "-", 1);
    if (code == kPositionList || code == kTeamList || code == kPrizeTypeList) {
        m_oHTMLSelect = EventSource;
        ListChanged(code);
        m_oHTMLSelect = nullptr;
    } else if (code == kSearchInput) {
        m_oHTMLInput = EventSource;
        SearchInputChanged();
        m_oHTMLInput = nullptr;
    } else if (code == kSearchIcon) {
        m_oHTMLDivIcon = EventSource;
        SearchRecord({});
        m_oHTMLDivIcon = nullptr;
    } else if (code == kDeleteIcon) {
        m_oHTMLDivIcon = EventSource;
        DeleteRecord();
        m_oHTMLDivIcon = nullptr;
    }
}

void ctlAddNewBrowser::ListChanged(const std::string& code) {
    // The entry's value is the record id; the empty entry gives 0.
    const std::string id = IdText(LeadingNumber(m_oHTMLSelect->value()));
    if (code == kPositionList)
        m_positionId = id;
    else if (code == kTeamList)
        m_teamId = id;
    else
        m_prizeTypeId = id;
}

void ctlAddNewBrowser::SearchInputChanged() {
    const std::string text = m_oHTMLInput->value();
    if (text.empty())
        ResetValues();
    else
        SearchRecord(text);
}

void ctlAddNewBrowser::SearchRecord(const std::string& text) {
    if (!m_oDataService) return;
    ComPtr<IPickable> picked;
    bool found = false;
    if (m_recordType == TypePlayerOrTeam) {
        // Retired players are found too: they can be edited and brought back.
        const auto results = m_oDataService->Search(m_recordType, text, false, false);
        found = PickOneResult(PlayersOnly(results), "player", "Player", nullptr, picked);
    } else {
        found = SearchAndPick(m_recordType, text, m_oDataService, nullptr, false, picked, false);
    }
    if (found) ShowRecord(picked);
}

void ctlAddNewBrowser::ShowRecord(const ComPtr<IPickable>& picked) {
    if (!picked || !m_oDocument) return;
    switch (m_recordType) {
        case TypePlayerOrTeam: {
            const auto player = picked.As<IPlayerInfo>();
            if (!player) return;
            const int32_t positionId = IdOf(player->get_Position());
            const int32_t teamId = IdOf(player->get_Team());
            SetInput(kSearchInput, player->get_FirstName() + " " + player->get_LastName());
            SetInput(kLastName, player->get_LastName());
            SetInput(kFirstName, player->get_FirstName());
            SetInput(kPositionList, IdText(positionId));
            SetInput(kTeamList, IdText(teamId));
            if (const auto retired = m_oDocument->getElementById(kRetired))
                retired->setChecked(player->get_IsRetired());
            m_currentId = player->get_ID();
            m_positionId = IdText(positionId);
            m_teamId = IdText(teamId);
            break;
        }
        case TypeManager: {
            const auto manager = picked.As<IManagerTmplInfo>();
            if (!manager) return;
            SetInput(kSearchInput, manager->get_FirstName() + " " + manager->get_LastName());
            SetInput(kLastName, manager->get_LastName());
            SetInput(kFirstName, manager->get_FirstName());
            m_currentId = manager->get_ID();
            break;
        }
        case TypePrize: {
            const auto prize = picked.As<IPrizeTmplInfo>();
            if (!prize) return;
            const int32_t typeId = IdOf(prize->get_PrizeType());
            SetInput(kSearchInput, prize->get_Desc());
            SetInput(kPrizeName, prize->get_Desc());
            SetInput(kPrizeTypeList, IdText(typeId));
            m_currentId = prize->get_ID();
            m_prizeTypeId = IdText(typeId);
            break;
        }
        case TypePosition: {
            const auto position = picked.As<IPositionInfo>();
            if (!position) return;
            SetInput(kSearchInput, position->get_Desc());
            SetInput(kDescription, position->get_Desc());
            SetInput(kAbbreviation, position->get_Abbr());
            m_currentId = position->get_ID();
            break;
        }
    }
    SetDeleteIconShown(true);
    KeepShownValues();
}

void ctlAddNewBrowser::DeleteRecord() {
    if (!m_oDataService) return;
    std::string message;
    if (m_oDataService->Delete(m_recordType, m_currentId, message)) {
        ResetValues();
        return;
    }
    MsgBox(message.empty() ? kDeleteFailed : message, MsgButtons::OK, "Gridora");
}

void ctlAddNewBrowser::ResetValues() {
    m_currentId = 0;
    m_positionId.clear();
    m_teamId.clear();
    m_prizeTypeId.clear();
    if (!m_oDocument) return;
    SetInput(kSearchInput, {});
    SetDeleteIconShown(false);
    for (const char* input : {kLastName, kFirstName, kPrizeName, kDescription, kAbbreviation})
        SetInput(input, {});
    for (const char* list : {kPositionList, kTeamList, kPrizeTypeList})
        if (const auto select = m_oDocument->getElementById(list)) select->setSelectedIndex(0);
    if (const auto retired = m_oDocument->getElementById(kRetired)) retired->setChecked(false);
    KeepShownValues();
}

bool ctlAddNewBrowser::HasChangedValues() const {
    return m_oDocument && GetValues() != m_shownValues;
}

void ctlAddNewBrowser::PutFocus() {
    if (!m_oDocument) return;
    const char* first = m_recordType == TypePrize      ? kPrizeName
                        : m_recordType == TypePosition ? kDescription
                                                       : kLastName;
    if (const auto field = m_oDocument->getElementById(first)) field->focus();
}

std::string ctlAddNewBrowser::GetValues() const {
    const std::string current = IdText(m_currentId);
    switch (m_recordType) {
        case TypePlayerOrTeam: {
            const auto retired = m_oDocument ? m_oDocument->getElementById(kRetired) : nullptr;
            const bool isRetired = retired && retired->checked();
            return InputValue(kLastName) + "\n" + InputValue(kFirstName) + "\n" + m_positionId +
                   "\n" + m_teamId + "\n" + current + "\n" + (isRetired ? "True" : "False");
        }
        case TypeManager:
            return InputValue(kLastName) + "\n" + InputValue(kFirstName) + "\n" + current;
        case TypePrize:
            return InputValue(kPrizeName) + "\n" + m_prizeTypeId + "\n" + current;
        case TypePosition:
            return InputValue(kDescription) + "\n" + InputValue(kAbbreviation) + "\n" + current;
    }
    return {};
}

void ctlAddNewBrowser::SetInput(const char* id, const std::string& value) const {
    if (!m_oDocument) return;
    if (const auto element = m_oDocument->getElementById(id)) element->setValue(value);
}

std::string ctlAddNewBrowser::InputValue(const char* id) const {
    const auto element = m_oDocument ? m_oDocument->getElementById(id) : nullptr;
    return element ? element->value() : std::string();
}

void ctlAddNewBrowser::SetDeleteIconShown(bool shown) const {
    if (!m_oDocument) return;
    if (const auto icon = m_oDocument->getElementById(kDeleteIcon))
        icon->setStyle("display", shown ? "block" : "none");
}

void ctlAddNewBrowser::Terminate() {
    m_oEventForwarder.reset();  // destroying it releases it
    m_oDocument = nullptr;
    m_oHTMLSelect = nullptr;
    m_oHTMLDivIcon = nullptr;
    m_oHTMLInput = nullptr;
    m_oDataService = nullptr;
}

}  // namespace gr::ui
