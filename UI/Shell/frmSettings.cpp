#include "frmSettings.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>

#include "GRUtils.h"

namespace gr::ui {

frmSettings::frmSettings(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    lblSeason = new QLabel(QStringLiteral("Current season:"), this);
    lblSeason->setObjectName(QStringLiteral("lblSeason"));
    cboSeason = new QComboBox(this);
    cboSeason->setObjectName(QStringLiteral("cboSeason"));
    lblSeason->setBuddy(cboSeason);
    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblSeason, 0, 0);
    grid->addWidget(cboSeason, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);

    cboSeason->installEventFilter(this);
    connect(cboSeason, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_selectedPosition = index; });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

bool frmSettings::Initialize(const ComPtr<IDataService>& dataService) {
    m_oDataService = dataService;
    m_oSettings = m_oDataService ? m_oDataService->GetSettings() : nullptr;
    FillSeasons();
    return true;
}

// The setting holds a season's id, so the list offers the seasons the league has. With no
// current season the newest one is offered, as the list's last entry.
void frmSettings::FillSeasons() {
    cboSeason->clear();
    m_seasonIds.clear();
    const ComPtr<Collection> newestFirst =
        m_oDataService ? SortSeasonsByYear(m_oDataService->GetAllSeasons()) : nullptr;
    if (newestFirst) {
        for (int32_t i = newestFirst->Count(); i >= 1; --i) {
            const auto season = newestFirst->ItemAs<ISeasonInfo>(i);
            if (!season) continue;
            cboSeason->addItem(QString::number(season->get_Year()));
            m_seasonIds.push_back(season->get_ID());
        }
    }
    const int32_t current = m_oSettings ? m_oSettings->get_CurrentSeason() : 0;
    int position = current == 0 ? static_cast<int>(m_seasonIds.size()) - 1 : -1;
    for (size_t i = 0; i < m_seasonIds.size(); ++i)
        if (m_seasonIds[i] == current) position = static_cast<int>(i);
    cboSeason->setCurrentIndex(position);
    m_selectedPosition = cboSeason->currentIndex();
}

bool frmSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cboSeason && event->type() == QEvent::FocusOut) cboSeason_LostFocus();
    return ChildWindow::eventFilter(watched, event);
}

void frmSettings::cboSeason_LostFocus() {
    if (!m_oSettings || m_selectedPosition < 0 ||
        m_selectedPosition >= static_cast<int>(m_seasonIds.size()))
        return;
    const int32_t chosen = m_seasonIds[static_cast<size_t>(m_selectedPosition)];
    if (m_oSettings->get_CurrentSeason() != chosen) m_oSettings->let_CurrentSeason(chosen);
}

void frmSettings::cmdSave_Click() {
    // The data service reports its own failures.
    if (m_oDataService) m_oDataService->SaveSettings();
}

void frmSettings::cmdClose_Click() {
    HideAndRaiseFormClosed();
}

}  // namespace gr::ui
