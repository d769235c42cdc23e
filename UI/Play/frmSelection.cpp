#include "frmSelection.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "GRStringUtils.h"
#include "GRUtils.h"

namespace gr::ui {

namespace {

const char* const kRadioCode = "IA";
const char* const kCellCode = "EA";

std::string RadioId(int64_t row) {
    return std::string(kRadioCode) + "-" + std::to_string(row);
}
std::string CellId(int64_t row) {
    return std::string(kCellCode) + "-" + std::to_string(row);
}

template <class T>
ComPtr<T> As(const ComPtr<IPickable>& item) {
    return item ? item.template As<T>() : ComPtr<T>();
}

std::string PositionAbbr(const ComPtr<IPositionInfo>& position) {
    return position ? position->get_Abbr() : std::string();
}

}  // namespace

frmSelection::frmSelection(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSelection"));
    setWindowTitle(QStringLiteral("Select Player or Team"));
    m_wbReport = new HtmlView(this);
    m_wbReport->setObjectName(QStringLiteral("wbReport"));
    m_cmdAccept = new QPushButton(QStringLiteral("&Accept"), this);
    m_cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdAccept);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_wbReport, 1);
    layout->addLayout(buttons);
    setFixedSize(460, 320);

    connect(m_cmdAccept, &QPushButton::clicked, this, [this] {
        m_accepted = true;
        accept();
    });
    // Cancel leaves the accepted flag as it was.
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_wbReport, &HtmlView::documentComplete, this, [this] { onDocumentComplete(); });
    m_wbReport->navigate();
}

frmSelection::~frmSelection() {
    Terminate();
}

bool frmSelection::Initialize(const ComPtr<Collection>& items, const std::string& caption,
                              const ComPtr<ISeasonInfo>& season) {
    m_items.clear();
    if (items)
        for (int32_t i = 1; i <= items->Count(); ++i)
            m_items.push_back(items->ItemAs<IPickable>(i));
    m_season = season;
    m_picked = nullptr;
    m_accepted = false;
    setWindowTitle(QString::fromStdString(caption));
    // A page that is already there shows the new list at once.
    if (m_document) Render();
    return true;
}

std::string frmSelection::ItemLabel(const ComPtr<IPickable>& item) {
    if (!item) return {};
    switch (item->get_PickType()) {
        case PickedPlayer:
            if (const auto player = As<IPlayerInfo>(item)) {
                const auto team = player->get_Team();
                return player->get_FirstName() + " " + player->get_LastName() + " (" +
                       (team ? team->get_Abbr() : std::string()) + "-" +
                       PositionAbbr(player->get_Position()) + ")";
            }
            break;
        case PickedTeam:
            if (const auto team = As<ITeamInfo>(item))
                return team->get_Name() + " (" + team->get_Nickname() + "-" +
                       PositionAbbr(team->get_Position()) + ")";
            break;
        case PickedManager:
            if (const auto manager = As<IManagerTmplInfo>(item))
                return manager->get_FirstName() + " " + manager->get_LastName();
            break;
        case PickedPrize:
            if (const auto prize = As<IPrizeTmplInfo>(item)) return prize->get_Desc();
            break;
        case PickedPosition:
            if (const auto position = As<IPositionInfo>(item)) return position->get_Desc();
            break;
        case PickedNone:
            break;
    }
    return item->get_PickName();
}

void frmSelection::onDocumentComplete() {
    HtmlDocument* document = BindLoadedPage(*m_wbReport, this, m_eventForwarder);
    if (!document) return;
    m_document = document;
    Render();
}

std::string frmSelection::RowHtml(size_t index, const Row& row, bool preChosen) const {
    const std::string checkMark = preChosen ? "checked" : "";
    const std::string disabled = row.taken ? "DISABLED" : "";
    const std::string strikeOpen = row.taken ? "<s>" : "";
    const std::string strikeClose = row.taken ? "</s>" : "";
    return "<tr bgcolor='" + GetRowColor(static_cast<int32_t>(index)) + "'>" +
           "<td width=5%><input type=radio name='yeah' id='" +
           RadioId(static_cast<int64_t>(index)) + "' " + checkMark + " " + disabled +
           "></input></td>" + "<td style=\"cursor:default;\" width=95% id='" +
           CellId(static_cast<int64_t>(index)) + "'>" + strikeOpen +
           HtmlEscape(ItemLabel(row.item)) + strikeClose + " " + HtmlEscape(row.note) +
           "</td></tr>";
}

void frmSelection::Render() {
    std::vector<Row> rows;
    rows.reserve(m_items.size());
    for (const ComPtr<IPickable>& item : m_items) {
        Row row;
        row.item = item;
        std::string pickedInfo;
        // A result that is not a pickable object cannot be chosen either.
        row.taken = !item || (m_season && m_season->IsPickableTaken(item, pickedInfo));
        if (item && row.taken) row.note = FormatPickedInfo(item->get_PickType(), pickedInfo, "2");
        rows.push_back(std::move(row));
    }

    size_t preChosen = 0;
    std::string html = "<table width=100%>";
    for (size_t i = 1; i <= rows.size(); ++i) {
        const bool first = preChosen == 0 && !rows[i - 1].taken;
        if (first) preChosen = i;
        html += RowHtml(i, rows[i - 1], first);
    }
    html += "</table>";
    m_picked = nullptr;
    m_document->body()->setInnerHTML(html);

    for (size_t i = 1; i <= rows.size(); ++i) {
        if (rows[i - 1].taken) continue;
        m_eventForwarder->Attach(m_document->getElementById(RadioId(static_cast<int64_t>(i))),
                                 HtmlEventType::Click);
        m_eventForwarder->Attach(m_document->getElementById(CellId(static_cast<int64_t>(i))),
                                 HtmlEventType::Click);
    }
    if (preChosen != 0) {
        if (const ElementPtr radio =
                m_document->getElementById(RadioId(static_cast<int64_t>(preChosen))))
            radio->focus();
        m_picked = m_items[preChosen - 1];
    }
}

void frmSelection::PickRow(int32_t rowNumber) {
    if (rowNumber < 1 || static_cast<size_t>(rowNumber) > m_items.size()) return;
    m_picked = m_items[static_cast<size_t>(rowNumber) - 1];
}

void frmSelection::HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) {
    std::string id;
    if (!ReadEventId(EventSource, EventObj, id)) return;
    const std::string code = GetField(id, "-", 1);
    const int32_t rowNumber = LeadingNumber(GetField(id, "-", 2));
    if (code == kRadioCode) {
        m_oHTMLInputRadio = EventSource;
        PickRow(rowNumber);
        m_oHTMLInputRadio = nullptr;
    } else if (code == kCellCode) {
        m_oHTMLTableCell = EventSource;
        m_oHTMLInputRadio = m_document->getElementById(RadioId(rowNumber));
        if (m_oHTMLInputRadio && !m_oHTMLInputRadio->disabled()) {
            m_oHTMLInputRadio->setChecked(true);
            PickRow(rowNumber);
        }
        m_oHTMLInputRadio = nullptr;
        m_oHTMLTableCell = nullptr;
    }
    EventObj.returnValue = true;
}

void frmSelection::closeEvent(QCloseEvent* event) {
    // Closing the window is a cancel.
    reject();
    event->accept();
}

void frmSelection::Terminate() {
    m_eventForwarder.reset();  // destroying it releases it
    m_items.clear();
    m_season = nullptr;
    m_picked = nullptr;
    m_document = nullptr;
    m_oHTMLInputRadio = nullptr;
    m_oHTMLTableCell = nullptr;
}

}  // namespace gr::ui
