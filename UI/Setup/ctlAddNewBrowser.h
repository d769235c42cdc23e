// The catalogue editor control: an edit form for one kind of catalogue record (a player, a
// manager, a prize or a playing position) in its browser view, with a search line to find an
// existing record and a delete icon for the record shown. The host window saves what the form
// holds (GetValues) through the data service.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "EventForwarder.h"
#include "GRIData.h"
#include "HtmlView.h"
#include "IActualEventHandler.h"
#include "IDataService.h"

namespace gr::ui {

class ctlAddNewBrowser : public QWidget, public IActualEventHandler {
    Q_OBJECT
  public:
    // Mode of the dialog: the form always holds a new record, so the search line is hidden.
    static constexpr int32_t kModeWithoutSearch = 2;

    explicit ctlAddNewBrowser(QWidget* parent = nullptr);
    ~ctlAddNewBrowser() override;

    // Keeps the data service, the record kind (1 player, 2 manager, 3 prize, 4 position) and
    // the mode (2 hides the search line), and loads a fresh page; the form is built once it
    // has loaded. False, after telling the user, when there is no data service or no such kind.
    bool Initialize(const ComPtr<IDataService>& oDataService, InfoTypeEnum RecordType,
                    int32_t Mode);
    // The form's fields joined by line feeds, by kind:
    //   player:   last name, first name, position id, team id, current id, True/False (retired)
    //   manager:  last name, first name, current id
    //   prize:    prize name, prize type id, current id
    //   position: description, abbreviation, current id
    // A list not touched since the last reset gives empty text.
    std::string GetValues() const;
    // Empties the form for a new record.
    void ResetValues();
    // Puts the keyboard focus into the form's first field.
    void PutFocus();
    // The form holds values other than those it was last filled with (empty, or a record).
    bool HasChangedValues() const;

    // Shows a record found by the search (of this control's kind) in the form.
    void ShowRecord(const ComPtr<IPickable>& picked);
    // Deletes the record shown; a refusal is shown to the user and the record stays shown.
    void DeleteRecord();
    // Finds records of this kind by text (empty text: all of them); the one picked is shown.
    void SearchRecord(const std::string& text);

    void HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) override;

    int32_t CurrentID() const { return m_currentId; }
    InfoTypeEnum RecordType() const { return m_recordType; }

    HtmlView* wbReport;

  private:
    void wbReport_DocumentComplete();
    void Render();
    std::string SearchLineHtml() const;
    std::string FieldRowsHtml() const;
    struct ListEntry {
        int32_t id;
        std::string text;
    };
    std::vector<ListEntry> PositionEntries() const;
    std::vector<ListEntry> TeamEntries() const;
    std::vector<ListEntry> PrizeTypeEntries() const;
    static std::string ListHtml(const char* listId, const char* prefix,
                                const std::vector<ListEntry>& entries);
    void AttachEvents();
    void ListChanged(const std::string& code);
    void SearchInputChanged();
    void SetInput(const char* id, const std::string& value) const;
    std::string InputValue(const char* id) const;
    void SetDeleteIconShown(bool shown) const;
    void KeepShownValues() { m_shownValues = GetValues(); }
    void Terminate();

    ComPtr<IDataService> m_oDataService;
    InfoTypeEnum m_recordType = TypePlayerOrTeam;
    int32_t m_mode = 0;
    int32_t m_currentId = 0;
    std::string m_positionId;
    std::string m_teamId;
    std::string m_prizeTypeId;
    std::string m_shownValues;  // GetValues() as the form was last filled

    HtmlDocument* m_oDocument = nullptr;
    std::unique_ptr<EventForwarder> m_oEventForwarder;
    ElementPtr m_oHTMLSelect;
    ElementPtr m_oHTMLDivIcon;
    ElementPtr m_oHTMLInput;
};

// "player", "manager", "prize" or "position".
std::string RecordKindWord(InfoTypeEnum RecordType);

}  // namespace gr::ui
