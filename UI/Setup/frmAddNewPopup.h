// The add-new dialog: a screen lets the user create a player, manager or prize (or a position)
// on the spot and goes on with the new record.
//
// Calling contract: create it (or keep one), Initialize with the data service and the kind,
// ShowModal, then read IsAccepted and, when true, PickedItem. Every showing starts unaccepted.
#pragma once

#include <QDialog>
#include <QPushButton>

#include "GRIData.h"
#include "IDataService.h"
#include "ctlAddNewBrowser.h"

namespace gr::ui {

class frmAddNewPopup : public QDialog {
    Q_OBJECT
  public:
    explicit frmAddNewPopup(QWidget* parent = nullptr);
    ~frmAddNewPopup() override;

    // Keeps the data service and the kind (1 player, 2 manager, 3 prize, 4 position), sets the
    // caption and readies an empty form without the search line. False when the form could not
    // be readied (the user has been told why).
    bool Initialize(const ComPtr<IDataService>& oDataService, InfoTypeEnum RecordType);
    // True when the last showing ended with a successful save.
    bool IsAccepted() const { return m_accepted; }
    // The record the last successful save created, as the data service returned it; none
    // otherwise.
    ComPtr<IPickable> PickedItem() const { return m_picked; }

    ctlAddNewBrowser* ctlAddNewPopup;
    QPushButton* cmdAccept;
    QPushButton* cmdCancel;

  public slots:
    // Cancel, Escape and the window's close button: hides the dialog, empties the form.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void cmdAccept_Click();
    void StartUnaccepted();

    ComPtr<IDataService> m_oDataService;
    InfoTypeEnum m_recordType = TypePlayerOrTeam;
    bool m_accepted = false;
    ComPtr<IPickable> m_picked;
};

}  // namespace gr::ui
