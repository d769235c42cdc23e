// The catalogue editor window: adds, changes and deletes players, managers, prizes or playing
// positions. One is opened for each of the main window's four catalogue commands.
#pragma once

#include <QPushButton>

#include "ChildWindow.h"
#include "GRIData.h"
#include "IDataService.h"
#include "ctlAddNewBrowser.h"

namespace gr::ui {

class frmAddNewMDI : public ChildWindow {
    Q_OBJECT
  public:
    explicit frmAddNewMDI(QWidget* parent = nullptr);
    ~frmAddNewMDI() override;

    // Keeps the data service and the kind (1 player, 2 manager, 3 prize, 4 position), sets the
    // caption and readies the form with its search line. False when the form could not be
    // readied (the user has been told why).
    bool Initialize(const ComPtr<IDataService>& oDataService, InfoTypeEnum RecordType);

    void Activated() override;
    // Values typed and not saved: "Save changes to <caption>?" whenever the window is left.
    bool HasUnsavedChanges() const override { return ctlAddNewMDI->HasChangedValues(); }
    bool SaveChanges() override;
    void DiscardChanges() override { ctlAddNewMDI->ResetValues(); }

    ctlAddNewBrowser* ctlAddNewMDI;
    QPushButton* cmdClear;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

  private:
    void cmdClear_Click();
    void cmdClose_Click();

    ComPtr<IDataService> m_oDataService;
    InfoTypeEnum m_recordType = TypePlayerOrTeam;
};

}  // namespace gr::ui
