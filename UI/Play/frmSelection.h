// The selection dialog: lists the results of a catalogue search, one radio button per result,
// and lets the user choose one. Results the given season already holds are struck through and
// cannot be chosen. Created, shown modally and unloaded by SearchAndPick.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "EventForwarder.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IActualEventHandler.h"

class QPushButton;

namespace gr::ui {

class frmSelection : public QDialog, public IActualEventHandler {
    Q_OBJECT
  public:
    explicit frmSelection(QWidget* parent = nullptr);
    ~frmSelection() override;

    // Keeps the results and the season (none: nothing is marked taken), makes caption the
    // window caption. Always true.
    bool Initialize(const ComPtr<Collection>& items, const std::string& caption,
                    const ComPtr<ISeasonInfo>& season);
    bool IsAccepted() const { return m_accepted; }
    ComPtr<IPickable> PickedItem() const { return m_picked; }

    void HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) override;

    HtmlView* wbReport() const { return m_wbReport; }
    QPushButton* cmdAccept() const { return m_cmdAccept; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

    // The text a result is listed with, by its pick type.
    static std::string ItemLabel(const ComPtr<IPickable>& item);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Row {
        ComPtr<IPickable> item;
        bool taken = false;
        std::string note;  // who drafted it and in which round
    };

    void onDocumentComplete();
    void Render();
    std::string RowHtml(size_t index, const Row& row, bool preChosen) const;
    void PickRow(int32_t rowNumber);
    void Terminate();

    HtmlView* m_wbReport = nullptr;
    QPushButton* m_cmdAccept = nullptr;
    QPushButton* m_cmdCancel = nullptr;

    std::vector<ComPtr<IPickable>> m_items;  // the results; row i shows m_items[i - 1]
    ComPtr<ISeasonInfo> m_season;
    ComPtr<IPickable> m_picked;
    bool m_accepted = false;

    HtmlDocument* m_document = nullptr;
    std::unique_ptr<EventForwarder> m_eventForwarder;
    ElementPtr m_oHTMLInputRadio;
    ElementPtr m_oHTMLTableCell;
};

}  // namespace gr::ui
