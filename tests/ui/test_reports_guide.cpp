// The reports window showing the user guide: a fixed page that reads no data.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <algorithm>

#include "GuidePage.h"
#include "HtmlDocument.h"
#include "ScriptedUser.h"
#include "ViewDriver.h"
#include "frmReports.h"

namespace gr::ui::test {
namespace {

enum class RowKind { Heading, Text, Blank };
struct Row {
    RowKind kind;
    std::string text;
};

const std::string kNbsp = "\xC2\xA0";

// The rows as a browser builds them from the page: every row must be one cell; a heading is a
// cell whose only content is one bold element.
std::vector<Row> RowsOf(const HtmlDocument& document) {
    std::vector<Row> rows;
    const auto tables = document.body()->children();
    EXPECT_EQ(tables.size(), 1u);
    if (tables.empty()) return rows;
    EXPECT_EQ(tables[0]->tagName(), "table");
    EXPECT_EQ(tables[0]->getAttribute("width"), "100%");
    for (const ElementPtr& tr : tables[0]->rows()) {
        const auto cells = tr->cells();
        EXPECT_EQ(cells.size(), 1u);
        if (cells.size() != 1) continue;
        const ElementPtr& cell = cells[0];
        const auto inner = cell->children();
        if (!inner.empty() && inner[0]->tagName() == "b") {
            EXPECT_EQ(cell->childNodes().size(), 1u) << cell->innerHTML();
            rows.push_back({RowKind::Heading, inner[0]->innerText()});
        } else {
            rows.push_back(
                {cell->innerText() == kNbsp ? RowKind::Blank : RowKind::Text, cell->innerText()});
        }
        // Nothing in a row may stay inside a bold element opened by an earlier row.
        for (const HtmlElement* up = cell->parentElement(); up; up = up->parentElement())
            EXPECT_NE(up->tagName(), "b");
    }
    return rows;
}

class ReportsGuideTest : public ::testing::Test {
  protected:
    void SetUp() override { user = ScriptedUser::Install(); }

    // Opens the window as the main window does and waits for its page.
    void Open(frmReports& window, int32_t kind) {
        ASSERT_TRUE(window.Initialize(kind, nullptr));
        window.show();
        window.Activated();
        ASSERT_TRUE(WaitForDocument(*window.wbDisplay));
    }
    std::vector<Row> Rows(frmReports& window) { return RowsOf(*window.wbDisplay->document()); }

    std::shared_ptr<ScriptedUser> user;
};

TEST_F(ReportsGuideTest, OpensWithoutADataServiceAndShowsTheGuideTable) {
    frmReports window;
    Open(window, frmReports::Guide);
    const auto rows = Rows(window);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().kind, RowKind::Heading);
    EXPECT_EQ(rows.front().text, "FAQs");
    EXPECT_TRUE(user->messages.empty());
    const ElementPtr& body = window.wbDisplay->document()->body();
    EXPECT_EQ(body->style("margin"), "0");
    EXPECT_EQ(body->style("overflowX"), "hidden");
    EXPECT_EQ(body->style("overflowY"), "scroll");
}

TEST_F(ReportsGuideTest, HeadingsCloseTheirBoldSoTextRowsAreNotBold) {
    frmReports window;
    Open(window, frmReports::Guide);
    const auto rows = Rows(window);
    int headings = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].kind == RowKind::Heading) ++headings;
        // Every heading is followed by text or a blank row, never by another heading.
        if (rows[i].kind == RowKind::Heading && i + 1 < rows.size()) {
            EXPECT_NE(rows[i + 1].kind, RowKind::Heading) << rows[i].text;
        }
    }
    EXPECT_EQ(headings, 16);
    EXPECT_EQ(rows.back().kind, RowKind::Blank);
}

TEST_F(ReportsGuideTest, SectionsComeInOrderEachEndedByABlankRow) {
    frmReports window;
    Open(window, frmReports::Guide);
    std::vector<std::string> headings;
    std::vector<size_t> textRowsPerHeading;
    for (const Row& row : Rows(window)) {
        if (row.kind == RowKind::Heading) {
            headings.push_back(row.text);
            textRowsPerHeading.push_back(0);
        } else if (row.kind == RowKind::Text) {
            ++textRowsPerHeading.back();
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{
                            "FAQs",
                            "How to start a new season or see previous years information?",
                            "Why can't I rank managers?",
                            "How can I re-rank managers after I locked ranking?",
                            "Why can't I enter drafts?",
                            "How can I enter joint winners of prizes?",
                            "General Information",
                            "Manager Ranking",
                            "Draft Players",
                            "Winnings",
                            "Reports",
                            "Setup -> Season",
                            "Setup -> Manager",
                            "Setup -> Player",
                            "Draft Players: keys and draft night",
                            "Setup -> Prize",
                        }));
    EXPECT_EQ(textRowsPerHeading,
              (std::vector<size_t>{0, 1, 3, 1, 4, 1, 0, 1, 1, 1, 1, 9, 1, 1, 4, 1}));
}

TEST_F(ReportsGuideTest, TextsReadAsWritten) {
    frmReports window;
    Open(window, frmReports::Guide);
    const auto rows = Rows(window);
    const auto has = [&rows](const std::string& text) {
        return std::any_of(rows.begin(), rows.end(),
                           [&](const Row& r) { return r.kind == RowKind::Text && r.text == text; });
    };
    EXPECT_TRUE(has("- Manager ranking is locked"));
    EXPECT_TRUE(has(
        "This form is used to randomize/shuffle the managers for the draft. Shuffle button is "
        "used to randomize both managers and rank. Clear button will bring back data to normal "
        "state i.e. players will be sorted by their first name. Save & Lock button can be used to "
        "save ranking and get ready to Draft players. Without locking ranking, players can not be "
        "drafted. See Setup section of guide if you want to unlock ranking. "));
    EXPECT_TRUE(
        has("Is Draft Locked? should be set when drafting of players is complete. If set, "
            "it will make Draft Players form as read-only."));
    EXPECT_TRUE(has("Go to Setup -> Season and check if:"));
}

TEST_F(ReportsGuideTest, TheSeasonSectionDescribesEachFieldInTurn) {
    frmReports window;
    Open(window, frmReports::Guide);
    const auto rows = Rows(window);
    auto it = std::find_if(rows.begin(), rows.end(), [](const Row& r) {
        return r.kind == RowKind::Heading && r.text == "Setup -> Season";
    });
    ASSERT_NE(it, rows.end());
    const std::vector<std::string> starts = {
        "This form",           "No of Managers",    "Money Contribution",
        "No of Regular Weeks", "Total No of Weeks", "No of Draft Rounds",
        "Is Ranking Locked?",  "Is Draft Locked?",  "Money Distribution"};
    for (const std::string& start : starts) {
        ++it;
        ASSERT_NE(it, rows.end());
        EXPECT_EQ(it->text.rfind(start, 0), 0u) << it->text;
    }
}

TEST_F(ReportsGuideTest, EachActivationRendersThePageAgain) {
    frmReports window;
    Open(window, frmReports::Guide);
    HtmlDocument* document = window.wbDisplay->document();
    const std::string page = document->body()->innerHTML();
    document->body()->setInnerHTML("<p>changed</p>");
    window.Activated();
    EXPECT_EQ(window.wbDisplay->document(), document);
    EXPECT_EQ(document->body()->innerHTML(), page);
}

TEST_F(ReportsGuideTest, ThePageIsTheBuiltGuide) {
    frmReports window;
    Open(window, frmReports::Guide);
    const auto parsed = HtmlDocument::parseFragment("body", BuildGuidePage());
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(window.wbDisplay->document()->body()->innerHTML(), parsed[0]->outerHTML());
}

TEST_F(ReportsGuideTest, MoneyReportsWithoutASeasonShowTheirEmptyTables) {
    for (int32_t kind :
         {frmReports::CurrentSeason, frmReports::AllSeasons, frmReports::PastWinners}) {
        frmReports window;
        Open(window, kind);
        const auto tables = window.wbDisplay->document()->body()->children();
        ASSERT_EQ(tables.size(), 1u) << kind;
        EXPECT_EQ(tables[0]->rows().front()->cells().front()->innerText(), "SNo") << kind;
        EXPECT_TRUE(window.isVisible());
    }
    frmReports current;
    Open(current, frmReports::CurrentSeason);
    const auto rows = current.wbDisplay->document()->body()->children()[0]->rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]->cells()[3]->innerText(), "0.00");
}

TEST_F(ReportsGuideTest, AnUnknownKindClosesTheWindow) {
    frmReports window;
    QSignalSpy closed(&window, &ChildWindow::FormClosed);
    Open(window, 7);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReportsGuideTest, CloseHidesTheWindowAndRaisesFormClosed) {
    frmReports window;
    Open(window, frmReports::Guide);
    QSignalSpy closed(&window, &ChildWindow::FormClosed);
    window.cmdClose->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.cmdClose->text().toStdString(), "&Close");
}

}  // namespace
}  // namespace gr::ui::test
