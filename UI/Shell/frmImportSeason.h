// The preview of Admin Tools > Import Season...: what importing a season sheet would add (the
// season with its figures, managers, prizes, picks and winnings, and the names new to the
// catalogue), or why it is refused, line by line. Its two options plan the import again at
// once; Import is enabled only for a plan without problems.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <string>

#include "IDataService.h"
#include "SeasonImport.h"

namespace gr::ui {

class frmImportSeason : public QDialog {
    Q_OBJECT
  public:
    using Planner = std::function<history::SeasonImportPlan(const history::SeasonImportOptions&)>;

    explicit frmImportSeason(QWidget* parent = nullptr);

    // Shows the plan that planner makes for the file, again whenever an option changes.
    bool Initialize(const std::string& fileName, Planner planner);
    // The plan shown now.
    const history::SeasonImportPlan& Plan() const { return m_plan; }

    QLabel* lblFile;
    QPlainTextEdit* txtPreview;
    QCheckBox* chkAddMissing;
    QCheckBox* chkReplace;
    QPushButton* cmdImport;
    QPushButton* cmdCancel;

  private:
    void Replan();

    Planner m_planner;
    history::SeasonImportPlan m_plan;
};

// Admin Tools > Import Season...: the user chooses a season sheet, sees the preview and imports
// it in one step through the data service's ILeagueRecords. mayReplace runs once the user has
// chosen Import (false stops the import); onImported runs after the season was stored, before
// the message. True when a season was imported.
bool ImportSeason(const ComPtr<IDataService>& dataService, const std::function<bool()>& mayReplace,
                  const std::function<void()>& onImported);

// The text of the preview: the plan's lines, or its problems as "Line N: reason".
std::string ImportPreviewText(const history::SeasonImportPlan& plan);

}  // namespace gr::ui
