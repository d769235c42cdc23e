#include "frmWinnings.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "GRIcons.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "WinningsPageIds.h"

namespace gr::ui {

namespace {

constexpr const char* kTitle = "Winnings";
using namespace winningspage;

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
    return WinningsId{code, key}.Format();
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
                       Id(kWeekOption, "0") + "' value='0'></option>";
    for (int32_t w = 1; w <= weeks; ++w) {
        const std::string n = std::to_string(w);
        html += "<option id='" + Id(kWeekOption, n) + "' value='";
        html += n + "'>";
        html += n + "</option>";
    }
    return html + "</select>";
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
    m_rules = WinningsRules();
    m_oSeason = nullptr;
    m_oDataService = nullptr;
}

bool frmWinnings::Initialize(const ComPtr<IDataService>& oGRService) {
    m_oDataService = oGRService;
    return true;
}

void frmWinnings::Activated() {
    m_oSeason = m_oDataService ? m_oDataService->GetCurrentSeasonInfo() : nullptr;
    m_rules.Load(m_oSeason);
    m_newRowKey.clear();
    if (m_oDocument) DrawTable();
    // Rows entered before and left unsaved are still unsaved.
    cmdSave->setEnabled(!m_rules.UnsavedRows().empty());
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
    if (const auto blank = m_rules.Record(m_newRowKey);
        blank && !WinningsRules::HasManager(blank) && !WinningsRules::HasPrize(blank))
        m_rules.Winnings()->Remove(m_newRowKey);
    m_newRowKey.clear();

    std::string html = "<table id='" + std::string(kTable) + "' width='100%'><tr bgcolor='" +
                       GetHighlightColor() + "'>";
    for (size_t i = 0; i < std::size(kColumns); ++i)
        html += std::string("<td align='") + kColumns[i].align + "' width='" + kColumns[i].width +
                "'>" + kHeadings[i] + "</td>";
    html += "</tr>";
    std::vector<std::string> keys;
    if (const ComPtr<Collection> winnings = m_rules.Winnings()) {
        const reports::PrizeWinnerCounts counts = m_rules.CountWinners();
        for (const auto& record : winnings->ItemsAs<IWinningInfo>()) {
            if (record->get_Action() == ActionTypeRemove) continue;
            keys.push_back(record->get_Key());
            html += RowHtml(record, static_cast<int32_t>(keys.size()), counts);
        }
    }
    m_oDocument->body()->setInnerHTML(html + "</table>");
    for (const std::string& key : keys) AttachEvents(key);
    if (m_oSeason && !m_rules.IsSeasonLocked()) AppendBlankRow();
}

std::string frmWinnings::RowHtml(const ComPtr<IWinningInfo>& record, int32_t rowIndex,
                                 const reports::PrizeWinnerCounts& counts) const {
    const std::string& key = record->get_Key();
    // A weekly winning not stored yet and still without its week keeps the week list.
    const bool chooseWeek =
        !m_rules.IsSeasonLocked() && record->get_ID() == 0 && record->get_Week() == 0;
    const std::string contents[] = {std::to_string(rowIndex) + ".",
                                    PrizeCellHtml(record),
                                    WeekCellHtml(record, chooseWeek),
                                    ManagerCellHtml(record),
                                    HtmlEscape(m_rules.ShareText(record, counts)),
                                    IconCellHtml(record)};
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
    if (!WinningsRules::HasPrize(record))
        return EntryHtml(kPrizeEntry, kPrizeSearch, record->get_Key(), "Search prizes");
    return HtmlEscape(m_rules.PrizeText(record));
}

std::string frmWinnings::ManagerCellHtml(const ComPtr<IWinningInfo>& record) const {
    if (!WinningsRules::HasManager(record))
        return EntryHtml(kManagerEntry, kManagerSearch, record->get_Key(), "Search managers");
    return HtmlEscape(m_rules.ManagerText(record));
}

std::string frmWinnings::WeekCellHtml(const ComPtr<IWinningInfo>& record, bool chooseWeek) const {
    if (!WinningsRules::IsWeekly(m_rules.PrizeOf(record))) return {};
    if (chooseWeek) return WeekListHtml(record->get_Key(), m_rules.RegularWeeks());
    return std::to_string(record->get_Week());
}

std::string frmWinnings::IconCellHtml(const ComPtr<IWinningInfo>& record) const {
    if (m_rules.IsSeasonLocked() || record->get_Key() == m_newRowKey) return {};
    return IconHtml('r', Id(kDeleteIcon, record->get_Key()), "Delete win");
}

void frmWinnings::AppendBlankRow() {
    ComPtr<IWinningInfo> record;
    if (!m_oDataService->AddWinning(record) || !record) return;
    // A blank row that is never filled in is never stored.
    record->let_Action(ActionTypeRemove);
    m_newRowKey = record->get_Key();
    const ElementPtr table = m_oDocument->getElementById(kTable);
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
    if (m_rules.IsSeasonLocked()) return;
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
    if (m_rules.IsSeasonLocked() || !m_oDocument) return;
    const WinningsId element = WinningsId::Parse(id);
    const std::string& key = element.key;
    if (element.Is(kManagerEntry)) {
        if (!EventSource->value().empty()) ChooseManager(key, EventSource->value());
    } else if (element.Is(kPrizeEntry)) {
        if (!EventSource->value().empty()) ChoosePrize(key, EventSource->value());
    } else if (element.Is(kWeekList)) {
        ChooseWeek(key, EventSource);
    } else if (element.Is(kDeleteIcon)) {
        DeleteRow(key);
    } else if (element.Is(kManagerSearch)) {
        ChooseManager(key, "");
    } else if (element.Is(kPrizeSearch)) {
        ChoosePrize(key, "");
    }
}

void frmWinnings::ChooseManager(const std::string& key, const std::string& text) {
    const auto record = m_rules.Record(key);
    if (!record) return;
    ComPtr<IPickable> picked;
    if (!SearchAndPick(TypeManager, text, m_oDataService, nullptr, true, picked, true)) return;
    WinningsRules::ChooseManager(record, picked->get_PickID());
    if (!CheckCompletion(record)) {
        SetCell(kManagerCell, key, ManagerCellHtml(record));
        AfterChoice(key);
    }
    MarkUnsaved();
}

void frmWinnings::ChoosePrize(const std::string& key, const std::string& text) {
    const auto record = m_rules.Record(key);
    if (!record) return;
    ComPtr<IPickable> picked;
    if (!SearchAndPick(TypePrize, text, m_oDataService, nullptr, true, picked, true)) return;
    WinningsRules::ChoosePrize(record, picked->get_PickID());
    if (!CheckCompletion(record)) {
        // The row is incomplete, so its winner is counted alone for now.
        SetCell(kPrizeCell, key, PrizeCellHtml(record));
        SetCell(kAmountCell, key, HtmlEscape(m_rules.WholePrizeText(record)));
        SetCell(kWeekCell, key, WeekCellHtml(record, true));
        AfterChoice(key);
    }
    MarkUnsaved();
}

void frmWinnings::ChooseWeek(const std::string& key, const ElementPtr& list) {
    const auto record = m_rules.Record(key);
    if (!record) return;
    WinningsRules::ChooseWeek(record, list->selectedIndex());
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
        SetCell(kIconCell, key, IconCellHtml(m_rules.Record(key)));
    }
    AttachEvents(key);
    if (wasBlankRow) AppendBlankRow();
}

bool frmWinnings::CheckCompletion(const ComPtr<IWinningInfo>& record) {
    if (!m_rules.IsComplete(record)) return false;
    if (m_rules.FindDuplicate(record)) {
        const std::string key = record->get_Key();
        SetCell(kPrizeCell, key, PrizeCellHtml(record));
        SetCell(kWeekCell, key, WeekCellHtml(record, false));
        SetCell(kManagerCell, key, ManagerCellHtml(record));
        MsgBox(m_rules.DuplicateNotice(record), MsgButtons::OK, kTitle);
        record->let_Action(ActionTypeRemove);
        RemoveRow(key);
    }
    DrawTable();
    return true;
}

void frmWinnings::DeleteRow(const std::string& key) {
    const auto record = m_rules.Record(key);
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
    const ElementPtr table = m_oDocument->getElementById(kTable);
    if (row && table) table->deleteRow(row->rowIndex());
}

// ---- Save and close -----------------------------------------------------------------------

bool frmWinnings::SaveChanges() {
    if (!m_rules.Winnings()) return true;
    const std::string errors = m_rules.RecordErrors();
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

void frmWinnings::CollectUnsavedWork(UnsavedWork& work) const {
    if (!m_oSeason) return;
    work.seasonYear = m_oSeason->get_Year();
    work.winnings = m_rules.UnsavedRows();
}

// New rows are entered again and deleted ones deleted again, unsaved.
void frmWinnings::BringBackWork(const UnsavedWork& work) {
    const ComPtr<Collection> winnings = m_rules.Winnings();
    if (!winnings || work.winnings.empty()) return;
    for (const RecoveredWinning& row : work.winnings) {
        if (row.storedId > 0) {
            for (const auto& record : winnings->ItemsAs<IWinningInfo>())
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

}  // namespace gr::ui
