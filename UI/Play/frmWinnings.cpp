#include "frmWinnings.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "GRIcons.h"
#include "GRNumbers.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "SearchAndPick.h"

namespace gr::ui {

namespace {

constexpr const char* kTitle = "Winnings";
constexpr const char* kTableId = "DA";

// Element codes: the row, its cells, the entries and icons in them, the week list.
constexpr const char* kRow = "FA";
constexpr const char* kPrizeCell = "EA";
constexpr const char* kManagerCell = "EB";
constexpr const char* kAmountCell = "EC";
constexpr const char* kWeekCell = "ED";
constexpr const char* kIconCell = "EE";
constexpr const char* kManagerEntry = "AA";
constexpr const char* kPrizeEntry = "AB";
constexpr const char* kDeleteIcon = "CA";
constexpr const char* kManagerSearch = "CB";
constexpr const char* kPrizeSearch = "CC";
constexpr const char* kWeekList = "HA";
constexpr const char* kWeekOption = "GA";

struct Column {
    const char* code;  // of the cell; none for the row number
    const char* align;
    const char* width;
};
constexpr Column kColumns[] = {{nullptr, "center", "5%"},     {kPrizeCell, "left", "40%"},
                               {kWeekCell, "center", "5%"},   {kManagerCell, "left", "40%"},
                               {kAmountCell, "center", "5%"}, {kIconCell, "center", "5%"}};
constexpr const char* kHeadings[] = {"SNo", "Prize", "Week", "Manager", "Amount", ""};

std::string Id(const char* code, const std::string& key) {
    return std::string(code) + "-" + key;
}

std::string EntryHtml(const char* entryCode, const char* searchCode, const std::string& key,
                      const std::string& tooltip) {
    return "<table width='100%' cellspacing='0' cellpadding='0'><tr><td><input type='text' "
           "size='30' id='" +
           HtmlEscape(Id(entryCode, key)) + "'></td><td width='10%' align='center'>" +
           IconHtml('N', Id(searchCode, key), tooltip, IconSize::Large) + "</td></tr></table>";
}

std::string WeekListHtml(const std::string& key, int32_t weeks) {
    std::string html = "<select id='" + HtmlEscape(Id(kWeekList, key)) + "'><option id='" +
                       std::string(kWeekOption) + "-0' value='0'></option>";
    for (int32_t w = 1; w <= weeks; ++w) {
        const std::string n = std::to_string(w);
        html += "<option id='" + Id(kWeekOption, n) + "' value='";
        html += n + "'>";
        html += n + "</option>";
    }
    return html + "</select>";
}

bool HasManager(const ComPtr<IWinningInfo>& record) {
    return !record->get_ManagerID().empty();
}
bool HasPrize(const ComPtr<IWinningInfo>& record) {
    return !record->get_PrizeID().empty();
}

}  // namespace

frmWinnings::frmWinnings(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmWinnings"));
    setWindowTitle(QString::fromLatin1(kTitle));
    wbWinnings = new HtmlView(this);
    wbWinnings->setObjectName(QStringLiteral("wbWinnings"));
    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setEnabled(false);
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* column = new QVBoxLayout(this);
    column->addWidget(wbWinnings, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);
    column->addLayout(buttons);

    connect(wbWinnings, &HtmlView::documentComplete, this,
            [this] { wbWinnings_DocumentComplete(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { SaveChanges(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { CloseWindow(); });
    wbWinnings->navigate();
}

frmWinnings::~frmWinnings() {
    m_oEventForwarder.reset();  // destroying it releases it
    m_oDocument = nullptr;
    m_winnings = nullptr;
    m_managers = nullptr;
    m_prizes = nullptr;
    m_oSeason = nullptr;
    m_oDataService = nullptr;
}

bool frmWinnings::Initialize(const ComPtr<IDataService>& oGRService) {
    m_oDataService = oGRService;
    return true;
}

void frmWinnings::Activated() {
    m_oSeason = m_oDataService ? m_oDataService->GetCurrentSeasonInfo() : nullptr;
    m_seasonLocked = m_oSeason && m_oSeason->get_IsSeasonLocked();
    m_managers = m_oSeason ? m_oSeason->get_Managers() : nullptr;
    m_winnings = m_oSeason ? m_oSeason->get_Winnings() : nullptr;
    m_prizes = m_oSeason ? m_oSeason->get_Prizes() : nullptr;
    // Blank records left by earlier visits.
    if (m_winnings)
        for (const auto& record : m_winnings->ItemsAs<IWinningInfo>())
            if (!HasManager(record) && !HasPrize(record)) m_winnings->Remove(record->get_Key());
    m_newRowKey.clear();
    if (m_oDocument) DrawTable();
    // Rows entered before and left unsaved are still unsaved.
    cmdSave->setEnabled(!UnsavedRows().empty());
}

void frmWinnings::wbWinnings_DocumentComplete() {
    HtmlDocument* document = BindLoadedPage(*wbWinnings, this, m_oEventForwarder);
    if (!document) return;
    m_oDocument = document;
    DrawTable();
}

// ---- The page -----------------------------------------------------------------------------

void frmWinnings::DrawTable() {
    if (!m_oDocument) return;
    // The blank record behind the last blank row is replaced by a fresh one.
    if (const auto blank = Record(m_newRowKey); blank && !HasManager(blank) && !HasPrize(blank))
        m_winnings->Remove(m_newRowKey);
    m_newRowKey.clear();

    std::string html = "<table id='" + std::string(kTableId) + "' width='100%'><tr bgcolor='" +
                       GetHighlightColor() + "'>";
    for (size_t i = 0; i < std::size(kColumns); ++i)
        html += std::string("<td align='") + kColumns[i].align + "' width='" + kColumns[i].width +
                "'>" + kHeadings[i] + "</td>";
    html += "</tr>";
    std::vector<std::string> keys;
    if (m_winnings) {
        const reports::PrizeWinnerCounts counts = reports::CountPrizeWinners(m_winnings, m_prizes);
        for (const auto& record : m_winnings->ItemsAs<IWinningInfo>()) {
            if (record->get_Action() == ActionTypeRemove) continue;
            keys.push_back(record->get_Key());
            html += RowHtml(record, static_cast<int32_t>(keys.size()), counts);
        }
    }
    m_oDocument->body()->setInnerHTML(html + "</table>");
    for (const std::string& key : keys) AttachEvents(key);
    if (m_oSeason && !m_seasonLocked) AppendBlankRow();
}

std::string frmWinnings::RowHtml(const ComPtr<IWinningInfo>& record, int32_t rowIndex,
                                 const reports::PrizeWinnerCounts& counts) const {
    const std::string& key = record->get_Key();
    int32_t winners = 1;
    if (const auto prize = PrizeOf(record)) {
        const auto found = counts.find(
            reports::PrizeWinnerKey(record->get_PrizeID(), reports::WeekPart(prize, record)));
        if (found != counts.end()) winners = found->second;
    }
    // A weekly winning not stored yet and still without its week keeps the week list.
    const bool chooseWeek = !m_seasonLocked && record->get_ID() == 0 && record->get_Week() == 0;
    const std::string contents[] = {std::to_string(rowIndex) + ".",   PrizeCellHtml(record),
                                    WeekCellHtml(record, chooseWeek), ManagerCellHtml(record),
                                    AmountCellHtml(record, winners),  IconCellHtml(record)};
    std::string html =
        "<tr id='" + HtmlEscape(Id(kRow, key)) + "' bgcolor='" + GetRowColor(rowIndex) + "'>";
    for (size_t i = 0; i < std::size(kColumns); ++i) {
        html +=
            std::string("<td align='") + kColumns[i].align + "' width='" + kColumns[i].width + "'";
        if (kColumns[i].code) html += " id='" + HtmlEscape(Id(kColumns[i].code, key)) + "'";
        html += ">" + contents[i] + "</td>";
    }
    return html + "</tr>";
}

std::string frmWinnings::PrizeCellHtml(const ComPtr<IWinningInfo>& record) const {
    if (!HasPrize(record))
        return EntryHtml(kPrizeEntry, kPrizeSearch, record->get_Key(), "Search prizes");
    const auto prize = PrizeOf(record);
    return prize ? HtmlEscape(prize->get_Desc()) : std::string();
}

std::string frmWinnings::ManagerCellHtml(const ComPtr<IWinningInfo>& record) const {
    if (!HasManager(record))
        return EntryHtml(kManagerEntry, kManagerSearch, record->get_Key(), "Search managers");
    const auto manager = ManagerOf(record);
    const auto master = manager ? manager->get_ManagerTmpl() : nullptr;
    return master ? HtmlEscape(master->get_FirstName() + " " + master->get_LastName())
                  : std::string();
}

std::string frmWinnings::WeekCellHtml(const ComPtr<IWinningInfo>& record, bool chooseWeek) const {
    if (!IsWeekly(PrizeOf(record))) return {};
    if (chooseWeek) return WeekListHtml(record->get_Key(), m_oSeason->get_NoOfRegularWeeks());
    return std::to_string(record->get_Week());
}

std::string frmWinnings::AmountCellHtml(const ComPtr<IWinningInfo>& record, int32_t winners) const {
    const auto prize = PrizeOf(record);
    if (!prize) return {};
    return ShortestDecimal(
        reports::CentsToAmount(reports::PrizeShare(prize->get_Amount(), winners)));
}

std::string frmWinnings::IconCellHtml(const ComPtr<IWinningInfo>& record) const {
    if (m_seasonLocked || record->get_Key() == m_newRowKey) return {};
    return IconHtml('r', Id(kDeleteIcon, record->get_Key()), "Delete win");
}

void frmWinnings::AppendBlankRow() {
    ComPtr<IWinningInfo> record;
    if (!m_oDataService->AddWinning(record) || !record) return;
    // A blank row that is never filled in is never stored.
    record->let_Action(ActionTypeRemove);
    m_newRowKey = record->get_Key();
    const ElementPtr table = m_oDocument->getElementById(kTableId);
    if (!table) return;
    const ElementPtr row = table->insertRow();
    if (!row) return;
    const int32_t rowIndex = row->rowIndex();
    row->setId(Id(kRow, m_newRowKey));
    row->setAttribute("bgcolor", GetRowColor(rowIndex));
    const std::string contents[] = {
        std::to_string(rowIndex) + ".", PrizeCellHtml(record), "", ManagerCellHtml(record), "", ""};
    for (size_t i = 0; i < std::size(kColumns); ++i) {
        const ElementPtr cell = row->insertCell();
        cell->setAttribute("align", kColumns[i].align);
        cell->setAttribute("width", kColumns[i].width);
        if (kColumns[i].code) cell->setId(Id(kColumns[i].code, m_newRowKey));
        cell->setInnerHTML(contents[i]);
    }
    AttachEvents(m_newRowKey);
}

void frmWinnings::SetCell(const char* code, const std::string& key, const std::string& html) {
    if (const ElementPtr cell = m_oDocument->getElementById(Id(code, key)))
        cell->setInnerHTML(html);
}

void frmWinnings::AttachEvents(const std::string& key) {
    if (m_seasonLocked) return;
    for (const char* code : {kManagerEntry, kPrizeEntry, kWeekList})
        m_oEventForwarder->Attach(m_oDocument->getElementById(Id(code, key)),
                                  HtmlEventType::Change);
    for (const char* code : {kDeleteIcon, kManagerSearch, kPrizeSearch})
        m_oEventForwarder->Attach(m_oDocument->getElementById(Id(code, key)), HtmlEventType::Click);
}

// ---- The user's choices -------------------------------------------------------------------

void frmWinnings::HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) {
    std::string id;
    if (!ReadEventId(EventSource, EventObj, id)) return;
    if (m_seasonLocked || !m_oDocument) return;
    const std::string code = GetField(id, "-", 1);
    const std::string key = GetField(id, "-", 2);
    if (code == kManagerEntry) {
        if (!EventSource->value().empty()) ChooseManager(key, EventSource->value());
    } else if (code == kPrizeEntry) {
        if (!EventSource->value().empty()) ChoosePrize(key, EventSource->value());
    } else if (code == kWeekList) {
        ChooseWeek(key, EventSource);
    } else if (code == kDeleteIcon) {
        DeleteRow(key);
    } else if (code == kManagerSearch) {
        ChooseManager(key, "");
    } else if (code == kPrizeSearch) {
        ChoosePrize(key, "");
    }
}

void frmWinnings::ChooseManager(const std::string& key, const std::string& text) {
    const auto record = Record(key);
    if (!record) return;
    ComPtr<IPickable> picked;
    if (!SearchAndPick(TypeManager, text, m_oDataService, nullptr, true, picked, true)) return;
    record->let_ManagerID(std::to_string(picked->get_PickID()));
    if (record->get_Action() == ActionTypeRemove) record->let_Action(ActionTypeAdd);
    if (!CheckCompletion(record)) {
        SetCell(kManagerCell, key, ManagerCellHtml(record));
        AfterChoice(key);
    }
    MarkUnsaved();
}

void frmWinnings::ChoosePrize(const std::string& key, const std::string& text) {
    const auto record = Record(key);
    if (!record) return;
    ComPtr<IPickable> picked;
    if (!SearchAndPick(TypePrize, text, m_oDataService, nullptr, true, picked, true)) return;
    record->let_PrizeID(std::to_string(picked->get_PickID()));
    if (record->get_Action() == ActionTypeRemove) record->let_Action(ActionTypeAdd);
    if (!CheckCompletion(record)) {
        // The row is incomplete, so its winner is counted alone for now.
        SetCell(kPrizeCell, key, PrizeCellHtml(record));
        SetCell(kAmountCell, key, AmountCellHtml(record, 1));
        SetCell(kWeekCell, key, WeekCellHtml(record, true));
        AfterChoice(key);
    }
    MarkUnsaved();
}

void frmWinnings::ChooseWeek(const std::string& key, const ElementPtr& list) {
    const auto record = Record(key);
    if (!record) return;
    record->let_Week(std::max(list->selectedIndex(), 0));
    if (!CheckCompletion(record)) {
        SetCell(kWeekCell, key, WeekCellHtml(record, false));
        AfterChoice(key);
    }
    MarkUnsaved();
}

// The rest of a choice that left its row incomplete: a choice in the blank row makes it a
// record row, and a new blank row follows it.
void frmWinnings::AfterChoice(const std::string& key) {
    const bool wasBlankRow = key == m_newRowKey;
    if (wasBlankRow) {
        m_newRowKey.clear();
        SetCell(kIconCell, key, IconCellHtml(Record(key)));
    }
    AttachEvents(key);
    if (wasBlankRow) AppendBlankRow();
}

bool frmWinnings::CheckCompletion(const ComPtr<IWinningInfo>& record) {
    const auto prize = PrizeOf(record);
    const bool complete =
        record->get_Action() == ActionTypeRemove ||
        (HasManager(record) && HasPrize(record) && (!IsWeekly(prize) || record->get_Week() > 0));
    if (!complete) return false;
    if (FindDuplicate(record)) {
        const std::string key = record->get_Key();
        SetCell(kPrizeCell, key, PrizeCellHtml(record));
        SetCell(kWeekCell, key, WeekCellHtml(record, false));
        SetCell(kManagerCell, key, ManagerCellHtml(record));
        const auto manager = ManagerOf(record);
        const auto master = manager ? manager->get_ManagerTmpl() : nullptr;
        MsgBox("This is a duplicate record. Manager \"" +
                   (master ? master->get_FirstName() : std::string()) + "\" already has Prize \"" +
                   (prize ? prize->get_Desc() : std::string()) +
                   "\" allocated. Record will be deleted.",
               MsgButtons::OK, kTitle);
        record->let_Action(ActionTypeRemove);
        RemoveRow(key);
    }
    DrawTable();
    return true;
}

// Another record for the same manager and prize (and week, for a weekly prize). Records not
// stored yet are compared too, so entering the same winning twice before saving is refused.
ComPtr<IWinningInfo> frmWinnings::FindDuplicate(const ComPtr<IWinningInfo>& record) const {
    const bool weekly = IsWeekly(PrizeOf(record));
    for (const auto& other : m_winnings->ItemsAs<IWinningInfo>()) {
        if (other->get_Key() == record->get_Key() || other->get_Action() == ActionTypeRemove)
            continue;
        if (other->get_ManagerID() == record->get_ManagerID() &&
            other->get_PrizeID() == record->get_PrizeID() &&
            (!weekly || other->get_Week() == record->get_Week()))
            return other;
    }
    return {};
}

void frmWinnings::DeleteRow(const std::string& key) {
    const auto record = Record(key);
    if (!record) return;
    if (MsgBox("Are you sure you want to remove?", MsgButtons::YesNo, "Gridora") != MsgAnswer::Yes)
        return;
    record->let_Action(ActionTypeRemove);
    RemoveRow(key);
    MarkUnsaved();
    DrawTable();
}

void frmWinnings::RemoveRow(const std::string& key) {
    const ElementPtr row = m_oDocument->getElementById(Id(kRow, key));
    const ElementPtr table = m_oDocument->getElementById(kTableId);
    if (row && table) table->deleteRow(row->rowIndex());
}

// ---- Save and close -----------------------------------------------------------------------

std::string frmWinnings::RecordErrors() const {
    std::string lines;
    int32_t failed = 0;
    for (const auto& record : m_winnings->ItemsAs<IWinningInfo>()) {
        if (record->get_Action() == ActionTypeRemove) continue;
        const auto prize = PrizeOf(record);
        const std::string prizeDesc = prize ? prize->get_Desc() : std::string();
        std::string managerName = GetManagerName(ManagerOf(record));
        std::string message;
        if (!HasManager(record) && !HasPrize(record))
            message = "Winning record needs prize and manager names.";
        else if (!HasPrize(record))
            message = "Manager: " + managerName + " needs prize name.";
        else if (!HasManager(record))
            message = "Prize: " + prizeDesc + " needs manager name.";
        else if (IsWeekly(prize) && record->get_Week() == 0)
            message = "Prize:" + prizeDesc + " for " + managerName.append(" needs week number.");
        if (message.empty()) continue;
        if (failed > 0) lines += "\r\n";
        lines += std::to_string(++failed) + ". ";
        lines += message;
    }
    return lines;
}

bool frmWinnings::SaveChanges() {
    if (!m_winnings) return true;
    const std::string errors = RecordErrors();
    if (!errors.empty()) {
        MsgBox("Following winning records has error:\r\n" + errors, MsgButtons::OK, kTitle);
        return false;
    }
    // The service has told the user why a save failed; the changes stay to be saved again.
    if (!m_oDataService->SaveWinnings()) return false;
    cmdSave->setEnabled(false);
    DrawTable();
    emit UnsavedWorkChanged();
    return true;
}

void frmWinnings::DiscardChanges() {
    if (m_oDataService) m_oDataService->DiscardCurrentSeasonInfo();
    cmdSave->setEnabled(false);
}

void frmWinnings::MarkUnsaved() {
    cmdSave->setEnabled(true);
    emit UnsavedWorkChanged();
}

std::vector<RecoveredWinning> frmWinnings::UnsavedRows() const {
    std::vector<RecoveredWinning> rows;
    if (!m_winnings) return rows;
    for (const auto& record : m_winnings->ItemsAs<IWinningInfo>()) {
        const bool added = record->get_ID() == 0 && record->get_Action() == ActionTypeAdd;
        const bool deleted = record->get_ID() > 0 && record->get_Action() == ActionTypeRemove;
        if (!added && !deleted) continue;
        const auto prize = PrizeOf(record);
        rows.push_back({record->get_ID(), LeadingNumber(record->get_ManagerID()),
                        LeadingNumber(record->get_PrizeID()), record->get_Week(),
                        GetManagerName(ManagerOf(record)), prize ? prize->get_Desc() : ""});
    }
    return rows;
}

void frmWinnings::CollectUnsavedWork(UnsavedWork& work) const {
    if (!m_oSeason) return;
    work.seasonYear = m_oSeason->get_Year();
    work.winnings = UnsavedRows();
}

// New rows are entered again and deleted ones deleted again, unsaved.
void frmWinnings::BringBackWork(const UnsavedWork& work) {
    if (!m_winnings || work.winnings.empty()) return;
    for (const RecoveredWinning& row : work.winnings) {
        if (row.storedId > 0) {
            for (const auto& record : m_winnings->ItemsAs<IWinningInfo>())
                if (record->get_ID() == row.storedId) record->let_Action(ActionTypeRemove);
            continue;
        }
        ComPtr<IWinningInfo> record;
        if (!m_oDataService->AddWinning(record) || !record) continue;
        if (row.managerId > 0) record->let_ManagerID(std::to_string(row.managerId));
        if (row.prizeId > 0) record->let_PrizeID(std::to_string(row.prizeId));
        record->let_Week(row.week);
        record->let_Action(ActionTypeAdd);
    }
    DrawTable();
    MarkUnsaved();
}

// ---- Lookups ------------------------------------------------------------------------------

ComPtr<IWinningInfo> frmWinnings::Record(const std::string& key) const {
    if (!m_winnings || key.empty()) return {};
    return m_winnings->ItemAs<IWinningInfo>(key);
}

ComPtr<IPrizeInfo> frmWinnings::PrizeOf(const ComPtr<IWinningInfo>& record) const {
    if (!m_prizes || !HasPrize(record)) return {};
    return m_prizes->ItemAs<IPrizeInfo>("K" + record->get_PrizeID());
}

ComPtr<IManagerInfo> frmWinnings::ManagerOf(const ComPtr<IWinningInfo>& record) const {
    if (!m_managers || !HasManager(record)) return {};
    return m_managers->ItemAs<IManagerInfo>("K" + record->get_ManagerID());
}

bool frmWinnings::IsWeekly(const ComPtr<IPrizeInfo>& prize) const {
    const auto type = prize ? prize->get_PrizeType() : nullptr;
    return type && type->get_ID() == 2;
}

}  // namespace gr::ui
