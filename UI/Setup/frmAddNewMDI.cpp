#include "frmAddNewMDI.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "CatalogueSave.h"

namespace gr::ui {

namespace {

QString Caption(InfoTypeEnum recordType) {
    switch (recordType) {
        case TypePlayerOrTeam:
            return QStringLiteral("Add/Edit/Delete a Player");
        case TypeManager:
            return QStringLiteral("Add/Edit/Delete a Manager");
        case TypePrize:
            return QStringLiteral("Add/Edit/Delete a Prize");
        case TypePosition:
            return QStringLiteral("Add/Edit/Delete a playing Position");
    }
    return {};
}

}  // namespace

frmAddNewMDI::frmAddNewMDI(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmAddNewMDI"));
    ctlAddNewMDI = new ctlAddNewBrowser(this);
    ctlAddNewMDI->setObjectName(QStringLiteral("ctlAddNewMDI"));
    cmdClear = new QPushButton(QStringLiteral("C&lear"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(ctlAddNewMDI, 1);
    column->addLayout(buttons);

    connect(cmdSave, &QPushButton::clicked, this, [this] { SaveChanges(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

frmAddNewMDI::~frmAddNewMDI() {
    m_oDataService = nullptr;
}

bool frmAddNewMDI::Initialize(const ComPtr<IDataService>& oDataService, InfoTypeEnum RecordType) {
    m_oDataService = oDataService;
    m_recordType = RecordType;
    setWindowTitle(Caption(RecordType));
    return ctlAddNewMDI->Initialize(oDataService, RecordType, 1);
}

void frmAddNewMDI::Activated() {
    ctlAddNewMDI->PutFocus();
}

bool frmAddNewMDI::SaveChanges() {
    std::string message;
    ComPtr<IPickable> saved;
    if (!SaveCatalogueValues(m_oDataService, m_recordType, ctlAddNewMDI->GetValues(), saved,
                             message)) {
        // The form keeps what the user typed.
        ShowSaveRefused(message);
        return false;
    }
    ctlAddNewMDI->ResetValues();
    return true;
}

void frmAddNewMDI::cmdClear_Click() {
    ctlAddNewMDI->ResetValues();
}

void frmAddNewMDI::cmdClose_Click() {
    if (!MayLeave(LeaveReason::Closed)) return;
    ctlAddNewMDI->ResetValues();
    HideAndRaiseFormClosed();
}

}  // namespace gr::ui
