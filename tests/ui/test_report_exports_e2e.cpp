// The reports and the draft board out of the program, in the real browser view from the main
// window on a copy of the demo league: Save as CSV and gridora-admin's JSON hold the figures the
// page shows (read back from the document model), the PDF holds the page's names as text and
// repeats the table head on every page, and Print shows the preview. The shortcuts and the
// buttons wait for the page. Page 1 of the all-seasons PDF goes to <build>/screenshots.
// Needs a display (xvfb-run).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "Csv.h"
#include "GRNumbers.h"
#include "GRServiceUtils.h"
#include "ProcessRunner.h"
#include "RealView.h"
#include "ScriptedUser.h"
#include "SqlDatabase.h"
#include "TestEnvironment.h"
#include "frmDraftPlayers.h"
#include "frmMain.h"
#include "frmReports.h"
#include "test_shell_support.h"

namespace gr::ui::test {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

std::string RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).toStdString();
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int PdfPages(const std::string& pdf) {
    const std::string info = RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

std::string PdfText(const std::string& pdf, int page) {
    const QString p = QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), p, QStringLiteral("-l"), p,
                                                 QString::fromStdString(pdf), QStringLiteral("-")});
}

// Page of the PDF as <build>/screenshots/<name>.png, to look at.
void SavePagePicture(const std::string& pdf, int page, const std::string& name) {
    QDir().mkpath(QStringLiteral(GRIDORA_SCREENSHOT_DIR));
    const QString p = QString::number(page);
    const std::string picture = GRIDORA_SCREENSHOT_DIR "/" + name;
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
             QStringLiteral("-f"), p, QStringLiteral("-l"), p, QStringLiteral("-singlefile"),
             QString::fromStdString(pdf), QString::fromStdString(picture)});
    EXPECT_TRUE(fs::exists(picture + ".png")) << picture;
}

// The rows of the page's table as the model holds them, cell texts in order.
Rows PageRows(HtmlView& view) {
    Rows rows;
    const auto tables = view.document()->body()->children();
    if (tables.empty()) return rows;
    for (const ElementPtr& tr : tables[0]->rows()) {
        rows.emplace_back();
        for (const ElementPtr& td : tr->cells()) rows.back().push_back(td->innerText());
    }
    return rows;
}

// The page's figures in the columns of the CSV: the head, the section rows and the totals
// are left out, the "[id]" after an all-seasons name becomes a column of its own.
Rows PageFigures(int32_t kind, const Rows& page, int32_t year) {
    Rows figures;
    bool playing = true;
    for (size_t i = 1; i < page.size(); ++i) {
        const auto& r = page[i];
        if (kind == frmReports::CurrentSeason && i + 1 < page.size())
            figures.push_back({std::to_string(year), r[1], r[2], r[3], r[4]});
        if (kind == frmReports::AllSeasons && r.size() == 1) playing = r[0] == "Playing Managers";
        if (kind == frmReports::AllSeasons && r.size() == 6 && !r[0].empty()) {
            const size_t open = r[1].rfind(" [");
            figures.push_back({r[1].substr(0, open), r[1].substr(open + 2, r[1].size() - open - 3),
                               playing ? "Yes" : "No", r[2], r[3], r[4], r[5]});
        }
        if (kind == frmReports::PastWinners) figures.push_back({r[1], r[2], r[3]});
    }
    return figures;
}

QWidget* BrowserInput(HtmlView& view) {
    QWebEngineView* web = RealBackend(view)->view();
    return web->focusProxy() ? web->focusProxy() : web;
}

// Keys typed where the user works: the shortcuts of a window answer only within it.
void PressKeys(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    target->window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(target->window()));
    target->setFocus();
    QTest::keyClick(target, key, modifiers);
}

Rows CsvRows(const std::string& text, std::vector<std::string>& header) {
    Rows rows;
    for (const auto& record : csv::ParseCsv(text)) {
        EXPECT_EQ(record.error, "") << "line " << record.line;
        rows.push_back(record.fields);
    }
    if (!rows.empty()) {
        header = rows.front();
        rows.erase(rows.begin());
    }
    return rows;
}

std::string Money(const nlohmann::json& node, const char* key) {
    return core::FormatMoney(node.at(key).get<double>());
}

std::string Whole(const nlohmann::json& node, const char* key) {
    return std::to_string(static_cast<int>(node.at(key).get<double>()));
}

// gridora-admin's JSON of a report in the columns of the CSV.
Rows JsonFigures(int32_t kind, const nlohmann::json& json) {
    Rows figures;
    if (kind == frmReports::PastWinners) {
        for (const auto& s : json.at("seasons"))
            figures.push_back({Whole(s, "season"), s.at("champion").get<std::string>(),
                               s.at("runner_up").get<std::string>()});
        return figures;
    }
    for (const auto& m : json.at("managers")) {
        if (kind == frmReports::CurrentSeason)
            figures.push_back({Whole(json, "season"), m.at("name").get<std::string>(),
                               m.at("fee_paid").get<bool>() ? "Yes" : "No", Money(m, "winnings"),
                               Money(m, "balance")});
        else
            figures.push_back({m.at("name").get<std::string>(), Whole(m, "id"),
                               m.at("playing").get<bool>() ? "Yes" : "No", Whole(m, "seasons"),
                               Money(m, "fees"), Money(m, "winnings"), Money(m, "balance")});
    }
    return figures;
}

struct Report {
    const char* action;
    int32_t kind;
    const char* kindWord;  // gridora-admin's name of the report
    const char* exportName;
};

const Report kReports[] = {
    {"mnuCurSeason", frmReports::CurrentSeason, "current", "Gridora - Money 2026"},
    {"mnuAllSeasons", frmReports::AllSeasons, "all", "Gridora - Money All Seasons"},
    {"mnuWinners", frmReports::PastWinners, "winners", "Gridora - Past Winners"},
};

class ReportExportsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user = ScriptedUser::Install();
        databases.UseType(DBTest);
        out = fs::path(databases.Folder()) / "out";
        fs::create_directory(out);
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Run before the program opens the league, which it then holds.
    nlohmann::json AdminJson(const char* kind) const {
        const admin::test::ProcessResult r =
            admin::test::RunProcess({GRIDORA_ADMIN_EXE, "report", kind, "--format", "json",
                                     "--database-folder", databases.Folder()});
        // The demo league's current season has no winnings yet, which the tool reports with 3.
        EXPECT_EQ(r.exitCode, std::string(kind) == "current" ? 3 : 0) << r.err;
        nlohmann::json node = nlohmann::json::parse(r.out, nullptr, false);
        EXPECT_FALSE(node.is_discarded()) << r.out;
        return node;
    }

    void StartProgram() {
        ASSERT_TRUE(main.StartUp());
        main.resize(1100, 760);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }

    // Saves the view's page through Ctrl+Shift+S typed in the page and waits for the file.
    std::string SavePdf(HtmlView& view, const std::string& name) {
        const std::string pdf = (out / name).string();
        user->chooseFile(pdf);
        PressKeys(BrowserInput(view), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(WaitUntil([&] { return fs::exists(pdf); }, 60000)) << pdf;
        EXPECT_EQ(ReadFile(pdf).rfind("%PDF-", 0), 0u);
        return pdf;
    }

    std::shared_ptr<ScriptedUser> user;
    ShellDatabases databases;
    fs::path out;
    frmMain main;
};

TEST_F(ReportExportsTest, TheReportsSaveAndPrintWhatTheirPagesShow) {
    std::map<int32_t, nlohmann::json> json;
    for (const Report& r : kReports) json[r.kind] = AdminJson(r.kindWord);
    StartProgram();
    const int32_t year = main.DataService()->GetCurrentSeasonInfo()->get_Year();

    for (const Report& r : kReports) {
        SCOPED_TRACE(r.action);
        FindAction(main, r.action)->trigger();
        auto* report = qobject_cast<frmReports*>(main.CurrentChild());
        ASSERT_NE(report, nullptr);
        // Nothing to print or save before the page has loaded.
        if (!report->wbDisplay->isLoaded()) {
            EXPECT_FALSE(report->cmdPrint->isEnabled());
            EXPECT_FALSE(report->cmdSaveCsv->isEnabled());
            PressKeys(report->cmdClose, Qt::Key_P, Qt::ControlModifier);
            EXPECT_TRUE(user->modalTitles.empty());
        }
        ASSERT_TRUE(WaitUntil([&] { return report->wbDisplay->isLoaded(); }, kBrowserTimeoutMs));
        ASSERT_TRUE(WaitForBrowserToMatchModel(*report->wbDisplay, kBrowserTimeoutMs));
        EXPECT_TRUE(report->cmdPrint->isEnabled());
        EXPECT_EQ(report->ExportName(), r.exportName);

        const Rows page = PageFigures(r.kind, PageRows(*report->wbDisplay), year);
        ASSERT_FALSE(page.empty());
        const fs::path csvFile = out / (std::string(r.exportName) + ".csv");
        user->chooseFile(csvFile.string());
        QTest::mouseClick(report->cmdSaveCsv, Qt::LeftButton);
        std::vector<std::string> header;
        EXPECT_EQ(CsvRows(ReadFile(csvFile), header), page);
        EXPECT_EQ(header.size(), page.front().size());
        EXPECT_EQ(JsonFigures(r.kind, json[r.kind]), page);

        const std::string pdf = SavePdf(*report->wbDisplay, std::string(r.exportName) + ".pdf");
        ASSERT_GE(PdfPages(pdf), 1);
        const std::string text = PdfText(pdf, 1);
        for (const auto& row : page) {
            // The names: the managers', or the champion and runner-up.
            const std::vector<std::string> names =
                r.kind == frmReports::AllSeasons    ? std::vector<std::string>{row[0]}
                : r.kind == frmReports::PastWinners ? std::vector<std::string>{row[1], row[2]}
                                                    : std::vector<std::string>{row[1]};
            for (const std::string& name : names)
                EXPECT_NE(text.find(name), std::string::npos) << name << "\n" << text;
        }
        // The browser page keeps the structure of the model once printing is over.
        EXPECT_TRUE(WaitForBrowserToMatchModel(*report->wbDisplay, kBrowserTimeoutMs));
        if (r.kind == frmReports::AllSeasons) {
            QDir().mkpath(QStringLiteral(GRIDORA_SCREENSHOT_DIR));
            RunTool(
                QStringLiteral("pdftoppm"),
                {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                 QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                 QStringLiteral("1"), QStringLiteral("-singlefile"), QString::fromStdString(pdf),
                 QStringLiteral(GRIDORA_SCREENSHOT_DIR "/report-all-seasons-pdf-page1")});
            EXPECT_TRUE(fs::exists(GRIDORA_SCREENSHOT_DIR "/report-all-seasons-pdf-page1.png"));
        }
    }
    EXPECT_EQ(user->fileDialogTitles.size(), 6u);
    EXPECT_TRUE(user->messages.empty());

    // Ctrl+P in the page: the preview shows the report's page.
    auto* report = qobject_cast<frmReports*>(main.CurrentChild());
    ASSERT_NE(report, nullptr);
    int pages = 0;
    user->onModal([&](QDialog& dialog) {
        EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(&dialog), nullptr);
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        WaitUntil([&] { return preview->pageCount() >= 1; }, 60000);
        pages = preview->pageCount();
    });
    PressKeys(BrowserInput(*report->wbDisplay), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(user->modalTitles.size(), 1u);
    EXPECT_GE(pages, 1);
    EXPECT_TRUE(WaitForBrowserToMatchModel(*report->wbDisplay, kBrowserTimeoutMs));

    // The guide prints but has no figures for a spreadsheet.
    FindAction(main, "mnuGuide")->trigger();
    auto* guide = qobject_cast<frmReports*>(main.CurrentChild());
    ASSERT_NE(guide, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return guide->cmdPrint->isEnabled(); }, kBrowserTimeoutMs));
    EXPECT_TRUE(guide->cmdSaveCsv->isHidden());
    EXPECT_EQ(guide->ExportName(), "Gridora - Guide");
    EXPECT_EQ(guide->ReportCsvText(), "");

    FindAction(main, "mnuExit")->trigger();
}

// Sixty more managers in the current season: the all-seasons report runs over several pages
// and each starts with the report's heading row.
TEST_F(ReportExportsTest, ALongReportRepeatsItsHeadingRowOnEveryPage) {
    {
        db::Database league(databases.File("Gridora - Test.mdb"), GetDatabaseKey());
        db::Statement current(league, "select [current season id] from [settings]");
        ASSERT_TRUE(current.Step());
        const int32_t season = current.GetLong("current season id");
        for (int i = 1; i <= 60; ++i) {
            const int32_t id = league.NextId("manager info");
            db::Statement(league,
                          "insert into [manager info] ([id], [first name], [last name]) "
                          "values (?, ?, ?)")
                .Bind(1, id)
                .Bind(2, "Extra")
                .Bind(3, "Manager " + std::to_string(i))
                .Run();
            db::Statement(league,
                          "insert into [playing info] ([season id], [manager id], [ranking], "
                          "[fee paid]) values (?, ?, ?, 0)")
                .Bind(1, season)
                .Bind(2, id)
                .Bind(3, 10 + i)
                .Run();
        }
    }
    StartProgram();
    FindAction(main, "mnuAllSeasons")->trigger();
    auto* report = qobject_cast<frmReports*>(main.CurrentChild());
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return report->wbDisplay->isLoaded(); }, kBrowserTimeoutMs));
    ASSERT_TRUE(WaitForBrowserToMatchModel(*report->wbDisplay, kBrowserTimeoutMs));
    const std::string pdf = SavePdf(*report->wbDisplay, "long.pdf");
    const int pages = PdfPages(pdf);
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page)
        EXPECT_NE(PdfText(pdf, page).find("Total Seasons"), std::string::npos) << "page " << page;
    EXPECT_NE(PdfText(pdf, pages).find("Terrell Jackson"), std::string::npos);
    SavePagePicture(pdf, 2, "report-all-seasons-long-pdf-page2");
    EXPECT_TRUE(WaitForBrowserToMatchModel(*report->wbDisplay, kBrowserTimeoutMs));
    FindAction(main, "mnuExit")->trigger();
}

// The draft board, wider than the paper, prints on landscape paper scaled to fit rather than
// cut off.
TEST_F(ReportExportsTest, TheDraftBoardPrintsWhole) {
    StartProgram();
    LockRanking(main.DataService());  // the board is drawn once the draft order is locked
    FindAction(main, "mnuDraft")->trigger();
    auto* board = qobject_cast<frmDraftPlayers*>(main.CurrentChild());
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return board->wbReport->isLoaded(); }, kBrowserTimeoutMs));
    ASSERT_TRUE(WaitForBrowserToMatchModel(*board->wbReport, kBrowserTimeoutMs));
    EXPECT_TRUE(board->cmdSavePdf->isEnabled());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string pdf = SavePdf(*board->wbReport, "Gridora - Draft 2026.pdf");
    const int pages = PdfPages(pdf);
    ASSERT_GE(pages, 1);
    const auto managers = main.DataService()->GetCurrentSeasonInfo()->get_Managers();
    const std::string first = PdfText(pdf, 1);
    for (const auto& m : managers->ItemsAs<IManagerInfo>())
        EXPECT_NE(first.find(m->get_FirstName()), std::string::npos) << m->get_FirstName();
    SavePagePicture(pdf, 1, "draft-board-pdf-page1");
    const std::string info = RunTool(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    EXPECT_NE(info.find("841.92 x 594.96 pts (A4)"), std::string::npos) << "landscape\n" << info;
    // Every round's column, the last one at the right edge included.
    const int32_t rounds = main.DataService()->GetCurrentSeasonInfo()->get_NoOfRounds();
    EXPECT_NE(first.find("Round #" + std::to_string(rounds)), std::string::npos) << first;
    EXPECT_TRUE(WaitForBrowserToMatchModel(*board->wbReport, kBrowserTimeoutMs));
    FindAction(main, "mnuExit")->trigger();
}

// The script's result in the plain browser view, once it has run.
QVariant Evaluate(QWebEngineView& view, const QString& script) {
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done; }));
    return result;
}

// Reports > Publish League Site...: a folder with a file of the user's is used only after Yes
// and the file stays; then the site in the browser at a phone's width and a desktop's: no page
// is wider than the screen (the draft board scrolls in its own box) and nothing is fetched but
// the folder's own files.
TEST_F(ReportExportsTest, ThePublishedSiteReadsOnAPhoneAndOnADesktop) {
    StartProgram();
    const fs::path site = out / "site";
    fs::create_directory(site);
    std::ofstream(site / "notes.txt") << "mine";
    user->chooseFile(site.string());
    user->answer(MsgAnswer::No);
    FindAction(main, "mnuPublishSite")->trigger();
    EXPECT_FALSE(fs::exists(site / "index.html"));
    user->chooseFile(site.string());
    user->answer(MsgAnswer::Yes);
    user->answer(MsgAnswer::Extra);
    FindAction(main, "mnuPublishSite")->trigger();
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(site))
        pages += entry.path().extension() == ".html" ? 1 : 0;
    ASSERT_EQ(user->messages.size(), 3u);
    EXPECT_EQ(user->messages[2].text,
              "Published " + std::to_string(pages) + " pages to " + site.string() + ".");
    EXPECT_EQ(user->messages[2].extraButton, "Open Folder");
    EXPECT_EQ(user->openedFolders, std::vector<std::string>{site.string()});
    EXPECT_EQ(ReadFile(site / "notes.txt"), "mine");
    const std::string season =
        "season-" + std::to_string(main.DataService()->GetCurrentSeasonInfo()->get_Year() - 1);
    FindAction(main, "mnuExit")->trigger();

    QWebEngineView view;
    for (const int width : {400, 1280}) {
        for (const std::string& page : {std::string("index"), season}) {
            SCOPED_TRACE(page + " at " + std::to_string(width));
            view.resize(width, 1000);
            view.show();
            bool loaded = false;
            QObject::connect(&view, &QWebEngineView::loadFinished, &view,
                             [&](bool ok) { loaded = ok; });
            view.load(
                QUrl::fromLocalFile(QString::fromStdString((site / page).string() + ".html")));
            ASSERT_TRUE(WaitUntil([&] { return loaded; }));
            QObject::disconnect(&view, &QWebEngineView::loadFinished, &view, nullptr);
            const QString wide = QStringLiteral(
                "document.documentElement.scrollWidth <= document.documentElement.clientWidth");
            EXPECT_TRUE(Evaluate(view, wide).toBool());
            EXPECT_TRUE(Evaluate(view, QStringLiteral("performance.getEntriesByType('resource')"
                                                      ".every(e => e.name.startsWith('file:'))"))
                            .toBool());
            const QString name =
                QStringLiteral("site-%1-%2").arg(QString::fromStdString(page)).arg(width);
            SaveScreenshot(view, name + QStringLiteral(".png"));
            if (page == "index") continue;
            const QString board = QStringLiteral("document.querySelector('.board-wrap')");
            Evaluate(view, board + QStringLiteral(".scrollIntoView()"));
            const QString scrolls =
                board + QStringLiteral(".scrollWidth > ") + board + QStringLiteral(".clientWidth");
            if (width == 400) {
                EXPECT_TRUE(Evaluate(view, scrolls).toBool());
            }
            SaveScreenshot(view, name + QStringLiteral("-board.png"));
        }
    }
}

}  // namespace
}  // namespace gr::ui::test
