#include "frmAddNewPopup.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "CatalogueSave.h"

namespace gr::ui {

namespace {

// The dialog's caption for a kind; positions keep the caption the dialog was created with.
QString Caption(InfoTypeEnum recordType) {
    switch (recordType) {
        case TypePlayerOrTeam:
            return QStringLiteral("Add a Player");
        case TypeManager:
            return QStringLiteral("Add a Manager");
        case TypePrize:
            return QStringLiteral("Add a Prize");
        case TypePosition:
            break;
    }
    return {};
}

}  // namespace

frmAddNewPopup::frmAddNewPopup(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAddNewPopup"));
    setWindowTitle(QStringLiteral("Add New"));
    ctlAddNewPopup = new ctlAddNewBrowser(this);
    ctlAddNewPopup->setObjectName(QStringLiteral("ctlAddNewPopup"));
    cmdAccept = new QPushButton(QStringLiteral("&Accept"), this);
    cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Return belongs to the page's inputs; it must not save a half-typed form.
    for (QPushButton* button : {cmdAccept, cmdCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdAccept);
    buttons->addWidget(cmdCancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(ctlAddNewPopup, 1);
    column->addLayout(buttons);
    resize(480, 260);

    connect(cmdAccept, &QPushButton::clicked, this, [this] { cmdAccept_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
}

frmAddNewPopup::~frmAddNewPopup() {
    m_oDataService = nullptr;
    m_picked = nullptr;
}

bool frmAddNewPopup::Initialize(const ComPtr<IDataService>& oDataService, InfoTypeEnum RecordType) {
    m_oDataService = oDataService;
    m_recordType = RecordType;
    const QString caption = Caption(RecordType);
    if (!caption.isEmpty()) setWindowTitle(caption);
    // Whoever reads the result without the dialog having been shown finds nothing accepted.
    StartUnaccepted();
    return ctlAddNewPopup->Initialize(oDataService, RecordType,
                                      ctlAddNewBrowser::kModeWithoutSearch);
}

void frmAddNewPopup::StartUnaccepted() {
    m_accepted = false;
    m_picked = nullptr;
}

void frmAddNewPopup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StartUnaccepted();
    ctlAddNewPopup->PutFocus();
}

void frmAddNewPopup::cmdAccept_Click() {
    std::string message;
    ComPtr<IPickable> saved;
    if (!SaveCatalogueValues(m_oDataService, m_recordType, ctlAddNewPopup->GetValues(), saved,
                             message)) {
        // The dialog stays open with what the user typed.
        ShowSaveRefused(message);
        return;
    }
    m_picked = saved;
    m_accepted = true;
    accept();
    ctlAddNewPopup->ResetValues();
}

void frmAddNewPopup::reject() {
    QDialog::reject();
    ctlAddNewPopup->ResetValues();
}

}  // namespace gr::ui
