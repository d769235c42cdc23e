// The database setup window: chooses which league database the program works on (live, test
// or blank) and backs the live data up. Saving a new choice raises DataChanged; the main
// window then starts the services again on it and opens a fresh setup window.
#pragma once

#include <QPushButton>
#include <memory>

#include "ChildWindow.h"
#include "EventForwarder.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IActualEventHandler.h"
#include "ISetupService.h"

namespace gr::ui {

class frmSetup : public ChildWindow, public IActualEventHandler {
    Q_OBJECT
  public:
    explicit frmSetup(QWidget* parent = nullptr);
    ~frmSetup() override;

    // Keeps the setup service and its setup information. Returns true.
    bool Initialize(const ComPtr<ISetupService>& oSetupSrvc);

    void Activated() override;
    // A type chosen and not saved: "Save changes to Database Setup?" whenever the window is
    // left; Yes saves it (the main window then starts the services on it), No puts back the
    // type in use.
    bool HasUnsavedChanges() const override { return cmdSave->isEnabled(); }
    bool SaveChanges() override;
    void DiscardChanges() override;
    void HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) override;

    HtmlView* wbDisplay;
    QPushButton* cmdBackup;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void wbDisplay_DocumentComplete();
    void Render();
    void m_oHTMLSelect_onchange();
    void cmdBackup_Click();
    void PutBackTypeInUse();
    void Terminate();

    ComPtr<ISetupService> m_oSetupService;
    ComPtr<ISetupInfo> m_oSetupInfo;
    HtmlDocument* m_oDocument = nullptr;
    std::unique_ptr<EventForwarder> m_oEventForwarder;
    ElementPtr m_oHTMLSelect;
    // The type the services run on; a choice that is not saved gives way to it again.
    int32_t m_typeInUse = 0;
    bool m_saved = false;
};

}  // namespace gr::ui
