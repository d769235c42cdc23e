#include "frmSeasonInfo.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "GRStringUtils.h"
#include "GRUIUtils.h"
#include "GRUtils.h"
#include "SeasonGridHtml.h"

namespace gr::ui {

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A figure box: typing replaces the whole figure, and leaving it checks the figure.
GRTextBox* NewTextBox(QWidget* parent, const char* name) {
    auto* box = new GRTextBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setSelectAllOnFocus(true);
    return box;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* NewTotalsLabel(QWidget* parent, const char* name) {
    QLabel* label = NewLabel(parent, name, QString());
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

// The number a box holds as the season stores it.
int32_t BoxValue(const QLineEdit* box) {
    return SeasonRules::FigureValue(Text(box));
}

}  // namespace

frmSeasonInfo::frmSeasonInfo(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmSeasonInfo"));
    setWindowTitle(QStringLiteral("Season"));
    setFont(QFont(QStringLiteral("MS Sans Serif")));
    BuildControls();
    ConnectControls();
    wbManagers->navigate();
    wbMoneyDistr->navigate();
}

frmSeasonInfo::~frmSeasonInfo() {
    Terminate();
}

void frmSeasonInfo::BuildControls() {
    lblYear = NewLabel(this, "lblYear", QStringLiteral("Year:"));
    dtpYear = new YearPicker(this);
    dtpYear->setObjectName(QStringLiteral("dtpYear"));
    lblNoOfManagers = NewLabel(this, "lblNoOfManagers", QStringLiteral("No of Managers:"));
    txtNoOfManagers = NewTextBox(this, "txtNoOfManagers");
    lblNoOfRounds = NewLabel(this, "lblNoOfRounds", QStringLiteral("No of Draft Rounds:"));
    txtNoOfRounds = NewTextBox(this, "txtNoOfRounds");
    lblMoneyCont = NewLabel(this, "lblMoneyCont", QStringLiteral("Money Contribution:"));
    txtMoneyContribution = NewTextBox(this, "txtMoneyContribution");
    lblNoOfRegularWeeks =
        NewLabel(this, "lblNoOfRegularWeeks", QStringLiteral("No of Regular Weeks:"));
    txtNoOfRegularWeeks = NewTextBox(this, "txtNoOfRegularWeeks");
    lblTotalNoOfWeeks = NewLabel(this, "lblTotalNoOfWeeks", QStringLiteral("Total No of Weeks:"));
    txtTotalNoOfWeeks = NewTextBox(this, "txtTotalNoOfWeeks");
    lblRankLocked = NewLabel(this, "lblRankLocked", QStringLiteral("Is Ranking Locked?"));
    chkRankLocked = NewCheckBox(this, "chkRankLocked");
    lblDraftLocked = NewLabel(this, "lblDraftLocked", QStringLiteral("Is Draft Locked?"));
    chkDraftLocked = NewCheckBox(this, "chkDraftLocked");
    lblSeasonLocked = NewLabel(this, "lblSeasonLocked", QStringLiteral("Is Season Locked?"));
    chkSeasonLocked = NewCheckBox(this, "chkSeasonLocked");
    lblSeasonStarted = NewLabel(this, "lblSeasonStarted", QStringLiteral("Has Season Started?"));
    chkSeasonStarted = NewCheckBox(this, "chkSeasonStarted");
    lblMgrPlaying = NewLabel(this, "lblMgrPlaying", QStringLiteral("Managers:"));
    wbManagers = new HtmlView(this);
    wbManagers->setObjectName(QStringLiteral("wbManagers"));
    lblMoneyDistr = NewLabel(this, "lblMoneyDistr", QStringLiteral("Money Distribution:"));
    wbMoneyDistr = new HtmlView(this);
    wbMoneyDistr->setObjectName(QStringLiteral("wbMoneyDistr"));
    lblTotalContribution = NewTotalsLabel(this, "lblTotalContribution");
    lblTotalDistribution = NewTotalsLabel(this, "lblTotalDistribution");
    lblInfoBalance = NewTotalsLabel(this, "lblInfoBalance");
    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    // Figures on the left, locks on the right, the two grids beneath them side by side.
    auto* figures = new QGridLayout;
    const std::pair<QLabel*, QWidget*> left[] = {{lblYear, dtpYear},
                                                 {lblNoOfManagers, txtNoOfManagers},
                                                 {lblNoOfRounds, txtNoOfRounds},
                                                 {lblMoneyCont, txtMoneyContribution},
                                                 {lblNoOfRegularWeeks, txtNoOfRegularWeeks},
                                                 {lblTotalNoOfWeeks, txtTotalNoOfWeeks}};
    const std::pair<QLabel*, QWidget*> right[] = {{lblRankLocked, chkRankLocked},
                                                  {lblDraftLocked, chkDraftLocked},
                                                  {lblSeasonLocked, chkSeasonLocked},
                                                  {lblSeasonStarted, chkSeasonStarted}};
    for (int row = 0; row < static_cast<int>(std::size(left)); ++row) {
        figures->addWidget(left[row].first, row, 0);
        figures->addWidget(left[row].second, row, 1);
    }
    for (int row = 0; row < static_cast<int>(std::size(right)); ++row) {
        figures->addWidget(right[row].first, row, 3);
        figures->addWidget(right[row].second, row, 4);
    }
    figures->setColumnMinimumWidth(2, 40);
    figures->setColumnStretch(5, 1);

    auto* managers = new QVBoxLayout;
    managers->addWidget(lblMgrPlaying);
    managers->addWidget(wbManagers, 1);
    auto* money = new QVBoxLayout;
    money->addWidget(lblMoneyDistr);
    money->addWidget(wbMoneyDistr, 1);
    money->addWidget(lblTotalContribution);
    money->addWidget(lblTotalDistribution);
    money->addWidget(lblInfoBalance);
    auto* grids = new QHBoxLayout;
    grids->addLayout(managers, 2);
    grids->addLayout(money, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);

    auto* column = new QVBoxLayout(this);
    column->addLayout(figures);
    column->addLayout(grids, 1);
    column->addLayout(buttons);
}

std::array<GRTextBox*, 5> frmSeasonInfo::FigureBoxes() const {
    return {txtNoOfManagers, txtNoOfRounds, txtMoneyContribution, txtNoOfRegularWeeks,
            txtTotalNoOfWeeks};
}

std::array<QCheckBox*, 4> frmSeasonInfo::LockBoxes() const {
    return {chkRankLocked, chkDraftLocked, chkSeasonLocked, chkSeasonStarted};
}

void frmSeasonInfo::ConnectControls() {
    for (GRTextBox* box : FigureBoxes()) {
        connect(box, &QLineEdit::textChanged, this, [this, box] { TextBoxChanged(box); });
        connect(box, &GRTextBox::LostFocus, this, [this, box] { TextBoxLostFocus(box); });
    }
    for (QCheckBox* box : LockBoxes())
        connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxClicked(box); });
    connect(dtpYear, &YearPicker::Change, this, [this] { dtpYear_Change(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { Save(true); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(wbManagers, &HtmlView::documentComplete, this,
            [this] { wbManagers_DocumentComplete(); });
    connect(wbMoneyDistr, &HtmlView::documentComplete, this,
            [this] { wbMoneyDistr_DocumentComplete(); });
}

bool frmSeasonInfo::Initialize(const ComPtr<IDataService>& oDataService,
                               const ComPtr<ISetupService>& oSetupService) {
    m_oDataService = oDataService;
    m_oSetupService = oSetupService;
    const int year = static_cast<int>(Today().year());
    const QDate maximum = QDate::fromString(QStringLiteral("12/31/") + QString::number(year),
                                            QStringLiteral("MM/dd/yyyy"));
    if (!maximum.isValid()) {
        MsgBox(
            "Error in initializing form.\r\nThe year " + std::to_string(year) + " cannot be shown.",
            MsgButtons::OK, "Gridora");
        return false;
    }
    dtpYear->setMaximumDate(maximum);
    return true;
}

// ---- Activation ---------------------------------------------------------------------------

void frmSeasonInfo::Activated() {
    LoadSeason();
}

void frmSeasonInfo::LoadSeason() {
    m_loading = true;
    m_season = m_oDataService ? m_oDataService->GetCurrentSeasonInfo() : ComPtr<ISeasonInfo>();
    if (m_season)
        ShowSeason();
    else
        ShowNoSeason();
    if (m_oDocumentMgr && m_oDocumentMD) {
        BuildManagersGrid();
        BuildPrizesGrid();
        ApplyEditableState(!m_locked);
    }
    if (m_season) EnableAmountInputs(!m_season->get_HasSeasonStarted());
    m_loading = false;
    cmdSave->setEnabled(false);
}

void frmSeasonInfo::ShowNoSeason() {
    const auto today = Today();
    dtpYear->setDate(QDate(static_cast<int>(today.year()),
                           static_cast<int>(unsigned(today.month())),
                           static_cast<int>(unsigned(today.day()))));
    for (QLineEdit* box : FigureBoxes()) box->clear();
    for (QCheckBox* box : LockBoxes()) box->setChecked(false);
    m_seasonDate = QDate();
    m_prizes = nullptr;
    m_managers = nullptr;
    m_locked = false;
}

void frmSeasonInfo::ShowSeason() {
    m_seasonDate = QDate(m_season->get_Year(), 1, 1);
    dtpYear->setDate(m_seasonDate);
    txtNoOfManagers->setText(QString::number(m_season->get_NoOfManagers()));
    txtNoOfRounds->setText(QString::number(m_season->get_NoOfRounds()));
    txtNoOfRegularWeeks->setText(QString::number(m_season->get_NoOfRegularWeeks()));
    txtTotalNoOfWeeks->setText(QString::number(m_season->get_TotalNoOfWeeks()));
    txtMoneyContribution->setText(QString::number(m_season->get_MoneyContribution()));
    m_prizes = m_season->get_Prizes();
    m_managers = m_season->get_Managers();
    chkRankLocked->setChecked(m_season->get_IsRankingLocked());
    chkDraftLocked->setChecked(m_season->get_IsDraftLocked());
    chkSeasonStarted->setChecked(m_season->get_HasSeasonStarted());
    chkSeasonLocked->setChecked(m_season->get_IsSeasonLocked());
    m_locked = m_season->get_IsSeasonLocked();
}

SeasonLocks frmSeasonInfo::Locks() const {
    return {chkRankLocked->isChecked(), chkDraftLocked->isChecked(), chkSeasonStarted->isChecked(),
            chkSeasonLocked->isChecked()};
}

void frmSeasonInfo::ApplyEditableState(bool editable) {
    const SeasonEditable open = SeasonRules::EditableFor(Locks(), editable);
    txtNoOfManagers->setEnabled(open.managers);
    txtNoOfRounds->setEnabled(open.rounds);
    for (QLineEdit* box : {txtTotalNoOfWeeks, txtNoOfRegularWeeks, txtMoneyContribution})
        box->setEnabled(open.weeksAndMoney);
    // The season lock itself stays enabled, so the season can be unlocked again.
    for (QCheckBox* box : {chkSeasonStarted, chkDraftLocked, chkRankLocked})
        box->setEnabled(open.lockBoxes);
    EnableFeePaidBoxes(open.feePaid);
}

// ---- Text boxes and check boxes -----------------------------------------------------------

void frmSeasonInfo::TextBoxChanged(QLineEdit* box) {
    if (m_loading) return;
    MarkDirty();
    if (box == txtMoneyContribution || box == txtNoOfRegularWeeks) {
        UpdateTotals();
    } else if (box == txtNoOfManagers) {
        // A count out of range keeps the grid as it is; leaving the box says why.
        if (SeasonRules::ManagerCountAcceptable(Text(txtNoOfManagers))) BuildManagersGrid();
        UpdateTotals();
    }
}

void frmSeasonInfo::TextBoxLostFocus(QLineEdit* box) {
    const std::string message = SeasonRules::LeavingProblem(FigureOf(box), Text(box));
    if (message.empty()) return;
    MsgBox(message, MsgButtons::OK, "Gridora");
    // Once the focus change under way has finished.
    QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
}

SeasonFigure frmSeasonInfo::FigureOf(const QLineEdit* box) const {
    const auto boxes = FigureBoxes();
    const auto at = std::find(boxes.begin(), boxes.end(), box);
    return static_cast<SeasonFigure>(at == boxes.end() ? 0 : at - boxes.begin());
}

void frmSeasonInfo::CheckBoxClicked(QCheckBox* box) {
    if (m_loading) return;
    MarkDirty();
    const bool checked = box->isChecked();
    if (box == chkRankLocked) {
        txtNoOfManagers->setEnabled(!checked);
    } else if (box == chkDraftLocked) {
        txtNoOfRounds->setEnabled(!checked);
    } else if (box == chkSeasonStarted) {
        for (QLineEdit* text : {txtTotalNoOfWeeks, txtNoOfRegularWeeks, txtMoneyContribution})
            text->setEnabled(!checked);
        BuildPrizesGrid();
    } else if (box == chkSeasonLocked) {
        ApplyEditableState(!checked);
    }
}

void frmSeasonInfo::MarkDirty() {
    cmdSave->setEnabled(true);
    emit UnsavedWorkChanged();
}

// ---- Year, save and close -----------------------------------------------------------------

void frmSeasonInfo::dtpYear_Change() {
    const int picked = dtpYear->year();
    const int loaded = m_seasonDate.isValid() ? m_seasonDate.year() : 0;
    if (picked == loaded) {
        const int maximum = dtpYear->maximumDate().year();
        const std::string message =
            picked == maximum ? "You can not create future football season beyond the current " +
                                    std::to_string(maximum) + " season."
                              : std::string("Error in changing season.");
        MsgBox(message, MsgButtons::OK, "Gridora");
        return;
    }
    // Cancel, or Yes with a save that failed, keeps the loaded year and the edits.
    if (HasUnsavedChanges() && !AskToSave(kSaveChangesQuestion, MsgAnswer::Cancel)) {
        if (m_seasonDate.isValid()) dtpYear->setDate(m_seasonDate);
        return;
    }
    if (m_oDataService) m_oDataService->let_CurrentSeasonYear(picked);
    LoadSeason();
    emit YearChanged();
}

bool frmSeasonInfo::HasUnsavedChanges() const {
    return cmdSave->isEnabled();
}

// The next fetch of the season reads it from the league again, without the edits.
void frmSeasonInfo::DiscardChanges() {
    if (m_oDataService) m_oDataService->DiscardCurrentSeasonInfo();
    cmdSave->setEnabled(false);
}

void frmSeasonInfo::CollectUnsavedWork(UnsavedWork& work) const {
    work.seasonYear = m_season ? m_season->get_Year() : dtpYear->year();
    SeasonEdits edits;
    for (const QLineEdit* box : FigureBoxes()) edits.figures.push_back(box->text().toStdString());
    for (const QCheckBox* box : LockBoxes()) edits.locks.push_back(box->isChecked());
    if (m_managers)
        for (const ComPtr<IManagerInfo>& m : m_managers->ItemsAs<IManagerInfo>())
            edits.managers.push_back(
                {m->get_ID(), m->get_FirstName(), m->get_LastName(), m->get_IsFeePaid()});
    if (m_prizes)
        for (const ComPtr<IPrizeInfo>& p : m_prizes->ItemsAs<IPrizeInfo>())
            edits.prizes.push_back({p->get_ID(), p->get_Desc(), p->get_Amount()});
    work.season = std::move(edits);
}

// The edits go back into the boxes and the season held in memory, unsaved.
void frmSeasonInfo::BringBackWork(const UnsavedWork& work) {
    if (!work.season || !m_season) return;
    const SeasonEdits& edits = *work.season;
    m_loading = true;
    const auto figures = FigureBoxes();
    for (size_t i = 0; i < figures.size() && i < edits.figures.size(); ++i)
        figures[i]->setText(QString::fromStdString(edits.figures[i]));
    const auto locks = LockBoxes();
    for (size_t i = 0; i < locks.size() && i < edits.locks.size(); ++i)
        locks[i]->setChecked(edits.locks[i]);
    m_loading = false;
    BringBackManagers(edits.managers);
    BringBackPrizes(edits.prizes);
    BuildManagersGrid();
    BuildPrizesGrid();
    ApplyEditableState(!chkSeasonLocked->isChecked());
    EnableAmountInputs(!chkSeasonStarted->isChecked() && !chkSeasonLocked->isChecked());
    MarkDirty();
}

bool frmSeasonInfo::Save(bool checkPendingInput) {
    if (checkPendingInput && !TakePendingGridInput()) return false;
    for (const QLineEdit* box : FigureBoxes()) {
        const std::string problem = SeasonRules::RangeProblem(FigureOf(box), Text(box));
        if (problem.empty()) continue;
        MsgBox(problem, MsgButtons::OK, "Gridora");
        return false;
    }
    if (!m_oDataService) return false;
    if (!m_season) {
        const int year = dtpYear->year();
        m_season = m_oDataService->AddSeason(year);
        if (!m_season) return false;  // the data service has said why
        m_oDataService->let_CurrentSeasonYear(year);
    }
    AssignSeason();
    // The managers playing and the figures are stored together or not at all; the data
    // service has shown its error when they are not.
    const ComPtr<ISeasonSave> store = m_oDataService.As<ISeasonSave>();
    if (!store || !store->SaveSeasonAndManagers()) return false;
    LoadSeason();
    emit UnsavedWorkChanged();
    return true;
}

// An amount or a name typed into the grid input that last had the focus but not yet confirmed
// is taken over first.
bool frmSeasonInfo::TakePendingGridInput() {
    if (m_focusedInputId.empty()) return true;
    const ElementPtr input = GridInput(m_focusedInputId);
    if (!input || HoldsNothingPending(input)) {
        m_focusedInputId.clear();
        return true;
    }
    return OnGridInputChange(input);
}

void frmSeasonInfo::AssignSeason() {
    m_season->let_NoOfManagers(BoxValue(txtNoOfManagers));
    m_season->let_NoOfRounds(BoxValue(txtNoOfRounds));
    m_season->let_NoOfRegularWeeks(BoxValue(txtNoOfRegularWeeks));
    m_season->let_TotalNoOfWeeks(BoxValue(txtTotalNoOfWeeks));
    m_season->let_MoneyContribution(BoxValue(txtMoneyContribution));
    m_season->let_IsRankingLocked(chkRankLocked->isChecked());
    m_season->let_IsDraftLocked(chkDraftLocked->isChecked());
    m_season->let_IsSeasonLocked(chkSeasonLocked->isChecked());
    m_season->let_HasSeasonStarted(chkSeasonStarted->isChecked());
    m_season->set_Prizes(m_prizes);
}

void frmSeasonInfo::cmdClose_Click() {
    CloseWindow();
}

// ---- Views --------------------------------------------------------------------------------

void frmSeasonInfo::wbManagers_DocumentComplete() {
    HtmlDocument* document = BindLoadedPage(*wbManagers, this, m_oEventForwarderMgr);
    if (!document) return;
    m_oDocumentMgr = document;
    BuildManagersGrid();
    ApplyEditableState(!m_locked);
}

void frmSeasonInfo::wbMoneyDistr_DocumentComplete() {
    HtmlDocument* document = BindLoadedPage(*wbMoneyDistr, this, m_oEventForwarderMD);
    if (!document) return;
    m_oDocumentMD = document;
    BuildPrizesGrid();
    EnableAmountInputs(!chkSeasonStarted->isChecked() && !m_locked);
}

void frmSeasonInfo::Terminate() {
    // Destroying a forwarder releases it.
    m_oEventForwarderMgr.reset();
    m_oEventForwarderMD.reset();
    m_oDocumentMgr = nullptr;
    m_oDocumentMD = nullptr;
    m_prizes = nullptr;
    m_managers = nullptr;
    m_sortedManagers = nullptr;
    m_season = nullptr;
    m_oSetupService = nullptr;
    m_oDataService = nullptr;
}

}  // namespace gr::ui
