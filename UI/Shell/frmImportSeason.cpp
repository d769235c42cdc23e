#include "frmImportSeason.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GRUIUtils.h"
#include "SeasonSheet.h"

namespace gr::ui {

namespace {

// A season sheet is a few hundred lines; anything this large is no season sheet.
constexpr std::uintmax_t kMaxSheetBytes = std::uintmax_t{50} * 1024 * 1024;

bool ReadSheetFile(const std::string& path, std::string& text, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) ||
        std::filesystem::file_size(path, ec) > kMaxSheetBytes || ec) {
        error = "Cannot read " + path + ": it is no season sheet.";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (!file) {
        error = "Cannot read " + path + ".";
        return false;
    }
    text = bytes.str();
    return true;
}

// Plans the sheet against the league as the data service holds it now.
history::SeasonImportPlan PlanAgainstLeague(ILeagueRecords& records,
                                            const history::SheetReading& reading,
                                            const history::SeasonImportOptions& options) {
    history::SeasonImportPlan plan;
    if (!reading.problems.empty()) {
        plan.problems = reading.problems;
        return plan;
    }
    LeagueRows league;
    std::string error;
    if (!records.ReadLeague(league, error)) {
        plan.problems.push_back({0, error});
        return plan;
    }
    return history::PlanSeasonImport(reading.sheet, league, options);
}

}  // namespace

frmImportSeason::frmImportSeason(QWidget* parent)
    : QDialog(parent),
      lblFile(new QLabel(this)),
      txtPreview(new QPlainTextEdit(this)),
      chkAddMissing(new QCheckBox(
          QStringLiteral("Add managers, players and prizes the catalogue lacks"), this)),
      chkReplace(new QCheckBox(QStringLiteral("Replace the season if the league has it"), this)),
      cmdImport(new QPushButton(QStringLiteral("&Import"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("Import Season"));
    lblFile->setObjectName(QStringLiteral("lblFile"));
    txtPreview->setObjectName(QStringLiteral("txtPreview"));
    chkAddMissing->setObjectName(QStringLiteral("chkAddMissing"));
    chkReplace->setObjectName(QStringLiteral("chkReplace"));
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    txtPreview->setReadOnly(true);
    txtPreview->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Names are shown as the text they are, never as markup.
    lblFile->setTextFormat(Qt::PlainText);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile);
    layout->addWidget(txtPreview, 1);
    layout->addWidget(chkAddMissing);
    layout->addWidget(chkReplace);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(chkAddMissing, &QCheckBox::toggled, this, [this] { Replan(); });
    connect(chkReplace, &QCheckBox::toggled, this, [this] { Replan(); });
    connect(cmdImport, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmImportSeason::Initialize(const std::string& fileName, Planner planner) {
    m_planner = std::move(planner);
    lblFile->setText(QStringLiteral("Season sheet: ") + QString::fromStdString(fileName));
    Replan();
    return true;
}

void frmImportSeason::Replan() {
    if (!m_planner) return;
    m_plan =
        m_planner({.addMissing = chkAddMissing->isChecked(), .replace = chkReplace->isChecked()});
    txtPreview->setPlainText(QString::fromStdString(ImportPreviewText(m_plan)));
    cmdImport->setEnabled(m_plan.problems.empty());
    cmdImport->setDefault(m_plan.problems.empty());
}

std::string ImportPreviewText(const history::SeasonImportPlan& plan) {
    std::string text;
    if (!plan.problems.empty()) {
        text = "The season cannot be imported:\n";
        for (const history::LineProblem& p : plan.problems)
            text += (p.line > 0 ? "Line " + std::to_string(p.line) + ": " : std::string()) +
                    p.reason + "\n";
        return text;
    }
    text = "Import will add:\n";
    for (const std::string& line : history::DescribeSeasonImport(plan)) text += line + "\n";
    return text;
}

bool ImportSeason(const ComPtr<IDataService>& dataService, const std::function<bool()>& mayReplace,
                  const std::function<void()>& onImported) {
    const ComPtr<ILeagueRecords> records =
        dataService ? dataService.As<ILeagueRecords>() : ComPtr<ILeagueRecords>();
    if (!records) {
        MsgBox("Import failed. Please contact administrator.", MsgButtons::OK, "Gridora");
        return false;
    }
    const std::string path = OpenFileDialog("Import Season", "Season sheet (*.csv) | *.csv", "");
    if (path.empty()) return false;
    std::string text;
    std::string error;
    if (!ReadSheetFile(path, text, error)) {
        MsgBox(error, MsgButtons::OK, "Gridora");
        return false;
    }
    const history::SheetReading reading = history::ReadSeasonSheet(text);
    frmImportSeason dialog;
    dialog.Initialize(path, [&](const history::SeasonImportOptions& options) {
        return PlanAgainstLeague(*records, reading, options);
    });
    if (ShowModal(dialog) != QDialog::Accepted) return false;
    const history::SeasonImportOptions options{.addMissing = dialog.chkAddMissing->isChecked(),
                                               .replace = dialog.chkReplace->isChecked()};
    if (mayReplace && !mayReplace()) return false;
    // Leaving the window shown may have saved into the league: plan against what it holds now.
    const history::SeasonImportPlan plan = PlanAgainstLeague(*records, reading, options);
    if (!plan.problems.empty()) {
        MsgBox(ImportPreviewText(plan), MsgButtons::OK, "Gridora");
        return false;
    }
    if (!records->AddSeasonRows(plan.rows, error)) {
        MsgBox(error, MsgButtons::OK, "Gridora");
        return false;
    }
    if (onImported) onImported();
    MsgBox("Season " + std::to_string(plan.year) + " imported.", MsgButtons::OK, "Gridora");
    return true;
}

}  // namespace gr::ui
