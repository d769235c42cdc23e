// The season window's two grids: building them, their element events, adding and removing
// managers and prizes row by row, and the money totals.
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <algorithm>
#include <set>

#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "RecordKeys.h"
#include "SeasonGridHtml.h"
#include "UnsavedWorkFit.h"
#include "frmAddNewPopup.h"
#include "frmSeasonInfo.h"

namespace gr::ui {

using namespace seasongrid;

namespace {

std::string PrizeTypeName(const ComPtr<IPrizeInfo>& prize) {
    const ComPtr<IPrizeTypeInfo> type = prize ? prize->get_PrizeType() : nullptr;
    return type ? type->get_Name() : std::string();
}

}  // namespace

// ---- Building -----------------------------------------------------------------------------

void frmSeasonInfo::BuildManagersGrid() {
    if (!m_oDocumentMgr) return;
    const bool readOnly = SeasonRules::ManagersReadOnly(Locks(), m_locked);
    // Sorted afresh: a manager added since the activation keeps a row, a removed one loses it.
    m_sortedManagers = SortManagers(m_managers, SortByName);
    const int32_t managers = m_sortedManagers ? m_sortedManagers->Count() : 0;
    const int32_t rows = SeasonRules::ManagerRows(txtNoOfManagers->text().toStdString(), managers);

    std::string html = "<table width=100%>" + ManagersHeader();
    m_managerRowIds.assign(static_cast<size_t>(rows), std::string());
    for (int32_t i = 1; i <= rows; ++i) {
        const ComPtr<IManagerInfo> manager =
            i <= managers ? m_sortedManagers->ItemAs<IManagerInfo>(i) : nullptr;
        const std::string id = manager ? std::to_string(manager->get_ID()) : std::string();
        m_managerRowIds[static_cast<size_t>(i - 1)] = id;
        html += ManagerRow(i, id, GetManagerName(manager), manager && manager->get_IsFeePaid(),
                           readOnly);
    }
    html += "</table>";
    m_oDocumentMgr->body()->setInnerHTML(html);

    for (int32_t i = 1; i <= rows; ++i) {
        const std::string& id = m_managerRowIds[static_cast<size_t>(i - 1)];
        AttachManagerRow(i, id);
        if (id.empty())
            if (const ElementPtr box = m_oDocumentMgr->getElementById(ElementId(kFeePaid, i, "")))
                box->setDisabled(true);
    }
}

void frmSeasonInfo::AttachManagerRow(int32_t row, const std::string& recordId) {
    const EventForwarder& forwarder = *m_oEventForwarderMgr;
    const auto find = [&](const char* code) {
        return m_oDocumentMgr->getElementById(ElementId(code, row, recordId));
    };
    forwarder.Attach(find(kFeePaid), HtmlEventType::Click);
    forwarder.Attach(find(kManagerName), HtmlEventType::Change);
    forwarder.Attach(find(kManagerName), HtmlEventType::Focus);
    for (const char* icon : {kDeleteManager, kSearchManagers, kAddManager})
        forwarder.Attach(find(icon), HtmlEventType::Click);
}

void frmSeasonInfo::BuildPrizesGrid() {
    if (!m_oDocumentMD) return;
    const bool frozen = SeasonRules::PrizesFrozen(Locks(), m_locked);
    std::string html = std::string("<table width=100% id='") + kMoneyTable + "'>" + PrizesHeader();
    const std::vector<ComPtr<IPrizeInfo>> prizes =
        m_prizes ? m_prizes->ItemsAs<IPrizeInfo>() : std::vector<ComPtr<IPrizeInfo>>();
    m_prizeRowIds.clear();
    for (size_t i = 0; i < prizes.size(); ++i) {
        const ComPtr<IPrizeInfo>& prize = prizes[i];
        const std::string id = std::to_string(prize->get_ID());
        m_prizeRowIds.push_back(id);
        html += PrizeRow(static_cast<int32_t>(i + 1), id, prize->get_Desc(), prize->get_Amount(),
                         PrizeTypeName(prize), frozen);
    }
    html += "</table>";
    m_oDocumentMD->body()->setInnerHTML(html);
    m_newPrizeRow = 0;

    if (!frozen) {
        for (size_t i = 0; i < m_prizeRowIds.size(); ++i)
            AttachPrizeRow(static_cast<int32_t>(i + 1), m_prizeRowIds[i]);
        AddNewPrizeRow(static_cast<int32_t>(m_prizeRowIds.size()) + 1);
    }
    UpdateTotals();
}

void frmSeasonInfo::AddNewPrizeRow(int32_t row) {
    const ElementPtr table = m_oDocumentMD->getElementById(kMoneyTable);
    if (!table) return;
    const ElementPtr tr = table->insertRow(-1);
    if (!tr) return;
    tr->setAttribute("bgcolor", GetRowColor(row));
    const ElementPtr number = tr->insertCell(-1);
    number->setInnerText(std::to_string(row) + ".");
    number->setAttribute("align", "center");
    number->setAttribute("width", "5%");
    const ElementPtr name = tr->insertCell(-1);
    name->setId(ElementId(kPrizeNameCell, row, ""));
    name->setInnerHTML(NewPrizeCell(row));
    name->setAttribute("width", "65%");
    tr->insertCell(-1)->setInnerHTML(AmountInput(row, "", ""));
    const ElementPtr type = tr->insertCell(-1);
    type->setId(ElementId(kPrizeTypeCell, row, ""));
    type->setAttribute("width", "20%");
    if (m_prizeRowIds.size() < static_cast<size_t>(row))
        m_prizeRowIds.resize(static_cast<size_t>(row));
    AttachPrizeRow(row, "");
    m_newPrizeRow = row;
}

void frmSeasonInfo::AttachPrizeRow(int32_t row, const std::string& recordId) {
    const EventForwarder& forwarder = *m_oEventForwarderMD;
    const auto find = [&](const char* code) {
        return m_oDocumentMD->getElementById(ElementId(code, row, recordId));
    };
    for (const char* input : {kAmount, kPrizeName}) {
        forwarder.Attach(find(input), HtmlEventType::Change);
        forwarder.Attach(find(input), HtmlEventType::Focus);
    }
    for (const char* icon : {kDeletePrize, kSearchPrizes, kAddPrize})
        forwarder.Attach(find(icon), HtmlEventType::Click);
}

void frmSeasonInfo::UpdateTotals() {
    const SeasonTotalsText totals = SeasonRules::Totals(
        txtMoneyContribution->text().toStdString(), txtNoOfManagers->text().toStdString(),
        txtNoOfRegularWeeks->text().toStdString(), m_prizes);
    lblTotalContribution->setText(QString::fromStdString(totals.contribution));
    lblTotalDistribution->setText(QString::fromStdString(totals.distribution));
    lblInfoBalance->setText(QString::fromStdString(totals.balance));
    QPalette palette = lblInfoBalance->palette();
    palette.setColor(QPalette::WindowText, totals.unbalanced ? QColor(255, 0, 0) : QColor(0, 0, 0));
    lblInfoBalance->setPalette(palette);
}

void frmSeasonInfo::EnableFeePaidBoxes(bool enable) {
    if (!m_oDocumentMgr) return;
    for (size_t i = 0; i < m_managerRowIds.size(); ++i) {
        const std::string& id = m_managerRowIds[i];
        if (const ElementPtr box = m_oDocumentMgr->getElementById(
                ElementId(kFeePaid, static_cast<int32_t>(i + 1), id)))
            box->setDisabled(!enable || id.empty());
    }
}

void frmSeasonInfo::EnableAmountInputs(bool enable) {
    if (!m_oDocumentMD || !m_prizes) return;
    int32_t row = 0;
    for (const ComPtr<IPrizeInfo>& prize : m_prizes->ItemsAs<IPrizeInfo>())
        if (const ElementPtr input = m_oDocumentMD->getElementById(
                ElementId(kAmount, ++row, std::to_string(prize->get_ID()))))
            input->setDisabled(!enable);
}

// ---- Events -------------------------------------------------------------------------------

void frmSeasonInfo::HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) {
    std::string id;
    if (!ReadEventId(EventSource, EventObj, id)) return;
    const GridId element = GridId::Parse(id);
    const std::string& code = element.code;
    if (element.Is(kAmount) || element.Is(kManagerName) || element.Is(kPrizeName)) {
        if (EventObj.type == HtmlEventType::Focus)
            m_focusedInputId = id;
        else if (EventObj.type == HtmlEventType::Change)
            EventObj.returnValue = OnGridInputChange(EventSource);
    } else if (element.Is(kFeePaid) && EventObj.type == HtmlEventType::Click) {
        if (const ComPtr<IManagerInfo> manager =
                m_managers ? m_managers->ItemAs<IManagerInfo>(core::RecordKey(element.recordId))
                           : nullptr)
            manager->let_IsFeePaid(EventSource->checked());
        MarkDirty();
        EventObj.returnValue = true;
    } else if (code.size() == 2 && code[0] == 'C' && code[1] >= 'A' && code[1] <= 'F' &&
               EventObj.type == HtmlEventType::Click) {
        IconClicked(code, element.row, element.recordId);
        EventObj.returnValue = true;
    }
}

bool frmSeasonInfo::OnGridInputChange(const ElementPtr& input) {
    m_focusedInputId.clear();
    if (!input) return false;
    const GridId element = GridId::Parse(input->id());
    if (element.Is(kAmount)) return AmountChanged(input, element.recordId);
    if (element.Is(kManagerName)) return ManagerNameTyped(input, element.row);
    if (element.Is(kPrizeName)) return PrizeNameTyped(input, element.row);
    return false;
}

bool frmSeasonInfo::AmountChanged(const ElementPtr& input, const std::string& recordId) {
    const AmountReading reading = SeasonRules::ReadAmount(input->value());
    if (!reading.problem.empty()) {
        MsgBox(reading.problem, MsgButtons::OK, "Gridora");
        if (reading.clear) input->setValue("");
        return false;
    }
    // In a row without a prize the amount stays in the input for the prize chosen next there.
    const ComPtr<IPrizeInfo> prize = m_prizes && !recordId.empty()
                                         ? m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(recordId))
                                         : nullptr;
    if (!prize) return true;
    prize->let_Amount(reading.amount);
    UpdateTotals();
    MarkDirty();
    return true;
}

bool frmSeasonInfo::ManagerNameTyped(const ElementPtr& input, int32_t row) {
    const std::string text = input->value();
    if (text.empty()) return false;
    if (!AddManagerToRow(row, SearchCatalogue(TypeManager, text))) return false;
    const std::string recordId = RecordIdOfRow(m_managerRowIds, row);
    if (const ElementPtr box = m_oDocumentMgr->getElementById(ElementId(kFeePaid, row, recordId)))
        box->focus();
    return true;
}

bool frmSeasonInfo::PrizeNameTyped(const ElementPtr& input, int32_t row) {
    const std::string text = input->value();
    if (text.empty()) return false;
    if (!AddPrizeToRow(row, SearchCatalogue(TypePrize, text))) return false;
    const std::string recordId = RecordIdOfRow(m_prizeRowIds, row);
    if (const ElementPtr amount = m_oDocumentMD->getElementById(ElementId(kAmount, row, recordId)))
        amount->focus();
    return true;
}

void frmSeasonInfo::IconClicked(const std::string& code, int32_t row, const std::string& recordId) {
    if (code == kDeleteManager)
        RemoveManagerOfRow(row, recordId);
    else if (code == kSearchManagers)
        AddManagerToRow(row, SearchCatalogue(TypeManager, ""));
    else if (code == kAddManager)
        AddManagerToRow(row, OpenAddNewDialog(TypeManager));
    else if (code == kDeletePrize)
        RemovePrizeOfRow(row, recordId);
    else if (code == kSearchPrizes)
        AddPrizeToRow(row, SearchCatalogue(TypePrize, ""));
    else if (code == kAddPrize)
        AddPrizeToRow(row, OpenAddNewDialog(TypePrize));
}

ComPtr<IPickable> frmSeasonInfo::SearchCatalogue(InfoTypeEnum type, const std::string& text) {
    ComPtr<IPickable> picked;
    if (!SearchAndPick(type, text, m_oDataService, m_season, false, picked, true)) return {};
    return picked;
}

ComPtr<IPickable> frmSeasonInfo::OpenAddNewDialog(InfoTypeEnum type) {
    auto dialog = std::make_unique<frmAddNewPopup>(this);
    // The dialog says itself when it cannot start; it is shown all the same.
    dialog->Initialize(m_oDataService, type);
    ShowModal(*dialog);
    ComPtr<IPickable> picked = dialog->IsAccepted() ? dialog->PickedItem() : nullptr;
    dialog.reset();
    return picked;
}

// ---- Adding and removing ------------------------------------------------------------------

void frmSeasonInfo::RemoveManagerOfRow(int32_t row, const std::string& recordId) {
    const ComPtr<IManagerInfo> manager =
        m_managers ? m_managers->ItemAs<IManagerInfo>(core::RecordKey(recordId)) : nullptr;
    if (!manager || !m_season) return;
    if (MsgBox("Are you sure you want to remove " + GetManagerName(manager) + "?",
               MsgButtons::YesNo, "Gridora") != MsgAnswer::Yes)
        return;
    if (!m_season->RemoveManager(manager)) return;
    RewriteManagerRow(row, recordId, "");
    MarkDirty();
}

void frmSeasonInfo::RemovePrizeOfRow(int32_t row, const std::string& recordId) {
    const ComPtr<IPrizeInfo> prize =
        m_prizes ? m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(recordId)) : nullptr;
    if (!prize) return;
    if (MsgBox("Are you sure you want to remove \"" + prize->get_Desc() + "\" prize?",
               MsgButtons::YesNo, "Gridora") != MsgAnswer::Yes)
        return;
    m_prizes->Remove(core::RecordKey(recordId));
    UpdateTotals();
    RewritePrizeRow(row, recordId, "");
    MarkDirty();
}

bool frmSeasonInfo::AddManagerToRow(int32_t row, const ComPtr<IPickable>& picked) {
    const ComPtr<IManagerTmplInfo> master = picked ? picked.As<IManagerTmplInfo>() : nullptr;
    if (!master || !m_season || !m_managers) return false;
    const std::string recordId = std::to_string(master->get_ID());
    if (const auto existing = m_managers->ItemAs<IManagerInfo>(core::RecordKey(recordId))) {
        MsgBox("Sorry, " + GetManagerName(existing) + " already exists.", MsgButtons::OK,
               "Gridora");
        return false;
    }
    if (!m_season->AddManager(master)) return false;
    RewriteManagerRow(row, RecordIdOfRow(m_managerRowIds, row), recordId);
    MarkDirty();
    return true;
}

bool frmSeasonInfo::AddPrizeToRow(int32_t row, const ComPtr<IPickable>& picked) {
    const ComPtr<IPrizeTmplInfo> master = picked ? picked.As<IPrizeTmplInfo>() : nullptr;
    if (!master || !m_season) return false;
    const std::string recordId = std::to_string(master->get_ID());
    if (const auto existing =
            m_prizes ? m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(recordId)) : nullptr) {
        MsgBox("Sorry, \"" + existing->get_Desc() + "\" already exists.", MsgButtons::OK,
               "Gridora");
        return false;
    }
    if (row == m_newPrizeRow) AddNewPrizeRow(row + 1);
    if (!m_season->AddPrize(master)) return false;
    // A season without prizes gets its list from its first prize.
    if (!m_prizes) m_prizes = m_season->get_Prizes();
    const std::string oldId = RecordIdOfRow(m_prizeRowIds, row);
    // An amount typed into the row before its prize was chosen belongs to that prize.
    const ComPtr<IPrizeInfo> prize =
        m_prizes ? m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(recordId)) : nullptr;
    if (const ElementPtr amount = m_oDocumentMD->getElementById(ElementId(kAmount, row, oldId)))
        if (const AmountReading typed = SeasonRules::ReadAmount(amount->value());
            prize && typed.problem.empty())
            prize->let_Amount(typed.amount);
    RewritePrizeRow(row, oldId, recordId);
    UpdateTotals();
    MarkDirty();
    return true;
}

void frmSeasonInfo::RewriteManagerRow(int32_t row, const std::string& oldId,
                                      const std::string& newId) {
    if (!m_oDocumentMgr) return;
    if (const ElementPtr cell =
            m_oDocumentMgr->getElementById(ElementId(kManagerNameCell, row, oldId))) {
        const ComPtr<IManagerInfo> manager =
            !newId.empty() && m_managers ? m_managers->ItemAs<IManagerInfo>(core::RecordKey(newId))
                                         : nullptr;
        cell->setInnerHTML(manager ? ManagerNameCell(row, newId, GetManagerName(manager), m_locked)
                                   : NewManagerCell(row));
        cell->setId(ElementId(kManagerNameCell, row, newId));
    }
    if (const ElementPtr box = m_oDocumentMgr->getElementById(ElementId(kFeePaid, row, oldId))) {
        box->setChecked(false);
        box->setDisabled(newId.empty());
        box->setId(ElementId(kFeePaid, row, newId));
    }
    if (row >= 1 && static_cast<size_t>(row) <= m_managerRowIds.size())
        m_managerRowIds[static_cast<size_t>(row - 1)] = newId;
    AttachManagerRow(row, newId);
}

void frmSeasonInfo::RewritePrizeRow(int32_t row, const std::string& oldId,
                                    const std::string& newId) {
    if (!m_oDocumentMD) return;
    const ComPtr<IPrizeInfo> prize =
        !newId.empty() && m_prizes ? m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(newId)) : nullptr;
    const bool frozen = SeasonRules::PrizesFrozen(Locks(), m_locked);
    if (const ElementPtr cell =
            m_oDocumentMD->getElementById(ElementId(kPrizeNameCell, row, oldId))) {
        cell->setInnerHTML(prize ? PrizeNameCell(row, newId, prize->get_Desc(), frozen)
                                 : NewPrizeCell(row));
        cell->setId(ElementId(kPrizeNameCell, row, newId));
    }
    if (const ElementPtr amount = m_oDocumentMD->getElementById(ElementId(kAmount, row, oldId))) {
        amount->setId(ElementId(kAmount, row, newId));
        amount->setValue(prize && prize->get_Amount() >= 1 ? std::to_string(prize->get_Amount())
                                                           : std::string());
    }
    if (const ElementPtr type =
            m_oDocumentMD->getElementById(ElementId(kPrizeTypeCell, row, oldId))) {
        type->setInnerText(PrizeTypeName(prize));
        type->setId(ElementId(kPrizeTypeCell, row, newId));
    }
    if (row >= 1 && static_cast<size_t>(row) <= m_prizeRowIds.size())
        m_prizeRowIds[static_cast<size_t>(row - 1)] = newId;
    AttachPrizeRow(row, newId);
}

// The managers and prizes of edits brought back from the recovery file: the season gets the
// ones it lacks (from the catalogue) and loses the others; fee-paid marks and amounts follow.
void frmSeasonInfo::BringBackManagers(const std::vector<SeasonEdits::Manager>& managers) {
    if (!m_managers) return;
    std::set<int32_t> wanted;
    for (const SeasonEdits::Manager& m : managers) wanted.insert(m.id);
    for (const ComPtr<IManagerInfo>& manager : m_managers->ItemsAs<IManagerInfo>())
        if (!wanted.count(manager->get_ID())) m_season->RemoveManager(manager);
    for (const SeasonEdits::Manager& m : managers) {
        const std::string key = core::RecordKey(std::to_string(m.id));
        if (!m_managers->Item(key))
            if (const auto master = FindManagerTmpl(m_oDataService, m.id))
                m_season->AddManager(master);
        if (const auto manager = m_managers->ItemAs<IManagerInfo>(key))
            manager->let_IsFeePaid(m.feePaid);
    }
}

void frmSeasonInfo::BringBackPrizes(const std::vector<SeasonEdits::Prize>& prizes) {
    std::set<int32_t> wanted;
    for (const SeasonEdits::Prize& p : prizes) wanted.insert(p.id);
    if (m_prizes)
        for (const ComPtr<IPrizeInfo>& prize : m_prizes->ItemsAs<IPrizeInfo>())
            if (!wanted.count(prize->get_ID()))
                m_prizes->Remove(core::RecordKey(std::to_string(prize->get_ID())));
    for (const SeasonEdits::Prize& p : prizes) {
        const std::string key = core::RecordKey(std::to_string(p.id));
        if (!m_prizes || !m_prizes->Item(key))
            if (const auto master = FindPrizeTmpl(m_oDataService, p.id)) m_season->AddPrize(master);
        if (!m_prizes) m_prizes = m_season->get_Prizes();
        if (const auto prize = m_prizes ? m_prizes->ItemAs<IPrizeInfo>(key) : nullptr)
            prize->let_Amount(p.amount);
    }
}

// ---- Lookups ------------------------------------------------------------------------------

// An empty input holds nothing to take over; nor does an amount that still shows what its
// prize holds.
bool frmSeasonInfo::HoldsNothingPending(const ElementPtr& input) const {
    const std::string value = input->value();
    const GridId element = GridId::Parse(input->id());
    if (!element.Is(kAmount)) return !SeasonRules::HoldsPendingName(value);
    const ComPtr<IPrizeInfo> prize =
        m_prizes ? m_prizes->ItemAs<IPrizeInfo>(core::RecordKey(element.recordId)) : nullptr;
    return !SeasonRules::HoldsPendingAmount(value, prize ? prize->get_Amount() : -1);
}

ElementPtr frmSeasonInfo::GridInput(const std::string& id) const {
    HtmlDocument* document = GridId::Parse(id).Is(kManagerName) ? m_oDocumentMgr : m_oDocumentMD;
    return document ? document->getElementById(id) : nullptr;
}

std::string frmSeasonInfo::RecordIdOfRow(const std::vector<std::string>& rows, int32_t row) const {
    if (row < 1 || static_cast<size_t>(row) > rows.size()) return {};
    return rows[static_cast<size_t>(row - 1)];
}

}  // namespace gr::ui
