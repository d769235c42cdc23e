// The selection dialog and SearchAndPick, driven through the headless view by element id.
#include <gtest/gtest.h>

#include <QPushButton>

#include "GRUIUtils.h"
#include "ScriptedUser.h"
#include "SearchAndPick.h"
#include "UiFakes.h"
#include "ViewDriver.h"
#include "frmSelection.h"

using namespace gr;
using namespace gr::ui;
using namespace gr::ui::test;
using ::testing::Return;

namespace {

template <class T>
ComPtr<IPickable> Pick(const ComPtr<T>& item) {
    return item.template As<IPickable>();
}

struct Players {
    ComPtr<FakePosition> qb = MakeCom<FakePosition>(1, "QB", "Quarterback");
    ComPtr<FakeTeam> ne = MakeCom<FakeTeam>(1, "NE", "New England", "Patriots", qb);
    ComPtr<FakePlayer> a = MakeCom<FakePlayer>(1, "Tom", "Brady", ne, qb);
    ComPtr<FakePlayer> b = MakeCom<FakePlayer>(2, "Tom", "Banks", ne, qb);
    ComPtr<FakePlayer> c = MakeCom<FakePlayer>(3, "Tommy", "Maddox", ne, qb);
    ComPtr<Collection> all() const { return Items(a, b, c); }
};

// A dialog initialised and showing its list.
struct Dialog {
    frmSelection dlg;
    ViewDriver driver{*dlg.wbReport()};
    Dialog(const ComPtr<Collection>& items, const ComPtr<ISeasonInfo>& season) {
        EXPECT_TRUE(dlg.Initialize(items, "Select a Player or a Team", season));
        EXPECT_TRUE(WaitForDocument(*dlg.wbReport()));
    }
    ElementPtr el(const std::string& id) const { return driver.element(id); }
};

}  // namespace

TEST(frmSelection, CaptionBeforeAndAfterInitialize) {
    frmSelection dlg;
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Select Player or Team");
    Players p;
    dlg.Initialize(p.all(), "Select a Manager", nullptr);
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Select a Manager");
    EXPECT_FALSE(dlg.IsAccepted());
}

TEST(frmSelection, ADraftedResultIsStruckThroughDisabledAndNamesItsManagerAndRound) {
    Players p;
    auto season = MakeCom<FakeSeason>();
    season->markTaken(p.a, "2\tJoe Smith\tTom Brady");
    Dialog d(p.all(), season);

    const ElementPtr cell1 = d.el("EA-1");
    ASSERT_NE(cell1, nullptr);
    ASSERT_FALSE(cell1->children().empty());
    EXPECT_EQ(cell1->children().at(0)->tagName(), "s");
    EXPECT_EQ(cell1->innerText(), "Tom Brady (NE-QB)  (Joe Smith R2)");
    EXPECT_TRUE(d.el("IA-1")->disabled());
    EXPECT_FALSE(d.el("IA-1")->checked());

    // The first free row is pre-chosen, neither struck nor disabled.
    EXPECT_TRUE(d.el("IA-2")->checked());
    EXPECT_FALSE(d.el("IA-2")->disabled());
    EXPECT_TRUE(d.el("EA-2")->children().empty());
    EXPECT_EQ(d.el("EA-2")->innerText(), "Tom Banks (NE-QB) ");
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.b));

    d.dlg.cmdAccept()->click();
    EXPECT_TRUE(d.dlg.IsAccepted());
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.b));
}

TEST(frmSelection, RowsCarryTheirColoursIdsAndTheSharedRadioGroup) {
    Players p;
    Dialog d(p.all(), nullptr);
    const ElementPtr table = d.dlg.wbReport()->document()->body()->children().at(0);
    ASSERT_EQ(table->tagName(), "table");
    EXPECT_EQ(table->getAttribute("width"), "100%");
    const auto rows = table->rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->getAttribute("bgcolor"), "CCFFFF");
    EXPECT_EQ(rows[1]->getAttribute("bgcolor"), "FFCCFF");
    EXPECT_EQ(rows[0]->cells().at(0)->getAttribute("width"), "5%");
    EXPECT_EQ(rows[0]->cells().at(1)->getAttribute("width"), "95%");
    EXPECT_EQ(rows[0]->cells().at(1)->style("cursor"), "default");
    EXPECT_EQ(d.el("IA-3")->getAttribute("name"), "yeah");
    EXPECT_EQ(d.dlg.wbReport()->document()->body()->style("margin"), "0");
    EXPECT_EQ(d.dlg.wbReport()->document()->body()->style("overflow"), "auto");
}

TEST(frmSelection, WithoutASeasonNothingIsTakenAndRowOneIsPreChosen) {
    Players p;
    Dialog d(p.all(), nullptr);
    for (const char* id : {"IA-1", "IA-2", "IA-3"}) EXPECT_FALSE(d.el(id)->disabled()) << id;
    EXPECT_TRUE(d.el("IA-1")->checked());
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.a));
}

TEST(frmSelection, ClickingTheTextOfARowChecksItsRadioButtonAndPicksIt) {
    Players p;
    Dialog d(p.all(), nullptr);
    ASSERT_TRUE(d.driver.click("EA-3"));
    EXPECT_TRUE(d.el("IA-3")->checked());
    EXPECT_FALSE(d.el("IA-1")->checked());
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.c));
}

TEST(frmSelection, ClickingARadioButtonPicksItsRow) {
    Players p;
    Dialog d(p.all(), nullptr);
    ASSERT_TRUE(d.driver.click("IA-2"));
    EXPECT_TRUE(d.el("IA-2")->checked());
    EXPECT_FALSE(d.el("IA-1")->checked());
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.b));
}

TEST(frmSelection, TakenRowsReactToNothing) {
    Players p;
    auto season = MakeCom<FakeSeason>();
    season->markTaken(p.c, "1\tAl\tTommy Maddox");
    Dialog d(p.all(), season);
    EXPECT_FALSE(d.driver.click("IA-3"));  // disabled
    EXPECT_TRUE(d.driver.click("EA-3"));   // the text can be clicked, but nothing listens
    EXPECT_FALSE(d.el("IA-3")->checked());
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.a));
}

TEST(frmSelection, CancelAfterChoosingARowLeavesItNotAccepted) {
    Players p;
    Dialog d(p.all(), nullptr);
    d.driver.click("EA-2");
    d.dlg.cmdCancel()->click();
    EXPECT_FALSE(d.dlg.IsAccepted());
    EXPECT_EQ(d.dlg.result(), QDialog::Rejected);
}

TEST(frmSelection, WhenEverythingIsTakenNothingIsPreChosenAndAcceptPicksNothing) {
    Players p;
    auto season = MakeCom<FakeSeason>();
    season->markTaken(p.a, "1\tA\tx");
    season->markTaken(p.b, "2\tB\ty");
    season->markTaken(p.c, "3\tC\tz");
    Dialog d(p.all(), season);
    for (const char* id : {"IA-1", "IA-2", "IA-3"}) {
        EXPECT_TRUE(d.el(id)->disabled()) << id;
        EXPECT_FALSE(d.el(id)->checked()) << id;
    }
    d.dlg.cmdAccept()->click();
    EXPECT_TRUE(d.dlg.IsAccepted());
    EXPECT_EQ(d.dlg.PickedItem(), nullptr);
}

TEST(frmSelection, EveryKindIsLabelledByItsPickType) {
    auto qb = MakeCom<FakePosition>(1, "QB", "Quarterback");
    auto k = MakeCom<FakePosition>(2, "K", "Kicker");
    auto team = MakeCom<FakeTeam>(4, "NE", "New England", "Patriots", k);
    auto player = MakeCom<FakePlayer>(1, "Tom", "Brady", team, qb);
    auto loner = MakeCom<FakePlayer>(2, "No", "Team");  // no team, no position
    auto manager = MakeCom<FakeManagerTmpl>(3, "Joe", "Smith");
    auto prize = MakeCom<FakePrizeTmpl>(5, "Weekly high score");
    EXPECT_EQ(frmSelection::ItemLabel(Pick(player)), "Tom Brady (NE-QB)");
    EXPECT_EQ(frmSelection::ItemLabel(Pick(loner)), "No Team (-)");
    EXPECT_EQ(frmSelection::ItemLabel(Pick(team)), "New England (Patriots-K)");
    EXPECT_EQ(frmSelection::ItemLabel(Pick(manager)), "Joe Smith");
    EXPECT_EQ(frmSelection::ItemLabel(Pick(prize)), "Weekly high score");
    EXPECT_EQ(frmSelection::ItemLabel(Pick(qb)), "Quarterback");
    EXPECT_EQ(frmSelection::ItemLabel(nullptr), "");
}

TEST(frmSelection, HostileNamesAreShownAsText) {
    const std::string hostile = "<img src=x onerror=\"alert('x')\">";
    auto m1 = MakeCom<FakeManagerTmpl>(1, hostile, "&amp;");
    auto m2 = MakeCom<FakeManagerTmpl>(2, "Al", "Bundy");
    auto drafter = MakeCom<FakePlayer>(3, "P", "Q");
    auto season = MakeCom<FakeSeason>();
    season->markTaken(drafter, "1\t" + hostile + "\tP Q");
    Dialog d(Items(m1, m2, drafter), season);
    EXPECT_EQ(d.el("EA-1")->innerText(), hostile + " &amp; ");
    EXPECT_TRUE(d.el("EA-1")->children().empty());
    EXPECT_EQ(d.el("EA-3")->innerText(), "P Q (-)  (" + hostile + " R1)");
    bool image = false;
    d.dlg.wbReport()->document()->body()->forEachElement(
        [&](const ElementPtr& e) { image = image || e->tagName() == "img"; });
    EXPECT_FALSE(image);
}

TEST(frmSelection, EventsWithoutIdOrForUnknownRowsAreHarmless) {
    Players p;
    Dialog d(p.all(), nullptr);
    HtmlEvent event;
    d.dlg.HandleEvent(nullptr, event);
    EXPECT_FALSE(event.returnValue);
    EXPECT_TRUE(event.cancelBubble);
    const ElementPtr stray = HtmlElement::CreateElement("td");
    stray->setId("EA-99");
    HtmlEvent other;
    d.dlg.HandleEvent(stray, other);
    stray->setId("IA-x");
    d.dlg.HandleEvent(stray, other);
    EXPECT_EQ(d.dlg.PickedItem(), Pick(p.a));
}

// ---- SearchAndPick ----

class SearchAndPickTest : public ::testing::Test {
  protected:
    void SetUp() override { user = ScriptedUser::Install(); }
    void TearDown() override { SetUserInteraction(nullptr); }
    std::shared_ptr<ScriptedUser> user;
    ComPtr<NiceDataService> data = MakeCom<NiceDataService>();
    ComPtr<IPickable> picked;
};

TEST_F(SearchAndPickTest, NothingFoundSaysSoForEachKind) {
    EXPECT_CALL(*data, Search(::testing::_, ::testing::_, ::testing::_, ::testing::_))
        .WillRepeatedly(Return(Collection::Create()));
    EXPECT_FALSE(SearchAndPick(TypePlayerOrTeam, "zz", data, nullptr, false, picked, true));
    EXPECT_FALSE(SearchAndPick(TypeManager, "zz", data, nullptr, false, picked, true));
    EXPECT_FALSE(SearchAndPick(TypePrize, "zz", data, nullptr, false, picked, true));
    ASSERT_EQ(user->messages.size(), 3u);
    EXPECT_EQ(user->messages[0].text, "Sorry no player or team found.");
    EXPECT_EQ(user->messages[1].text, "Sorry no manager found.");
    EXPECT_EQ(user->messages[2].text, "Sorry no prize found.");
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_EQ(user->messages[0].buttons, MsgButtons::OK);
    EXPECT_TRUE(user->modalTitles.empty());
    EXPECT_EQ(picked, nullptr);
}

TEST_F(SearchAndPickTest, NoCollectionAtAllCountsAsNothingFound) {
    EXPECT_CALL(*data, Search(TypePosition, "qb", true, false))
        .WillOnce(Return(ComPtr<Collection>()));
    EXPECT_FALSE(SearchAndPick(TypePosition, "qb", data, nullptr, true, picked, false));
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Sorry no position found.");
}

TEST_F(SearchAndPickTest, ASingleResultIsPickedWithoutADialog) {
    Players p;
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "brady", true, true)).WillOnce(Return(Items(p.a)));
    EXPECT_TRUE(SearchAndPick(TypePlayerOrTeam, "brady", data, nullptr, true, picked, true));
    EXPECT_EQ(picked, Pick(p.a));
    EXPECT_TRUE(user->modalTitles.empty());
    EXPECT_TRUE(user->messages.empty());
}

TEST_F(SearchAndPickTest, SeveralResultsAreChosenInTheDialog) {
    Players p;
    EXPECT_CALL(*data, Search(TypePlayerOrTeam, "tom", false, true)).WillOnce(Return(p.all()));
    user->onModal([](QDialog& dialog) {
        auto& dlg = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*dlg.wbReport()));
        ViewDriver(*dlg.wbReport()).click("EA-3");
        dlg.cmdAccept()->click();
    });
    EXPECT_TRUE(SearchAndPick(TypePlayerOrTeam, "tom", data, nullptr, false, picked, true));
    EXPECT_EQ(picked, Pick(p.c));
    EXPECT_EQ(user->modalTitles, std::vector<std::string>{"Select a Player or a Team"});
}

TEST_F(SearchAndPickTest, TheSeasonMarksTakenItemsInTheDialog) {
    Players p;
    auto season = MakeCom<FakeSeason>();
    season->markTaken(p.a, "1\tJoe\tTom Brady");
    EXPECT_CALL(*data, Search(::testing::_, ::testing::_, ::testing::_, ::testing::_))
        .WillOnce(Return(p.all()));
    user->onModal([](QDialog& dialog) {
        auto& dlg = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*dlg.wbReport()));
        dlg.cmdAccept()->click();  // the pre-chosen row
    });
    EXPECT_TRUE(SearchAndPick(TypePlayerOrTeam, "tom", data, season, true, picked, true));
    EXPECT_EQ(picked, Pick(p.b));
}

TEST_F(SearchAndPickTest, CancelPicksNothing) {
    Players p;
    EXPECT_CALL(*data, Search(::testing::_, ::testing::_, ::testing::_, ::testing::_))
        .WillOnce(Return(p.all()));
    user->onModal([](QDialog& dialog) {
        auto& dlg = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*dlg.wbReport()));
        ViewDriver(*dlg.wbReport()).click("EA-2");
        dlg.cmdCancel()->click();
    });
    EXPECT_FALSE(SearchAndPick(TypeManager, "x", data, nullptr, false, picked, false));
    EXPECT_EQ(picked, nullptr);
    EXPECT_EQ(user->modalTitles, std::vector<std::string>{"Select a Manager"});
}

TEST_F(SearchAndPickTest, AcceptedWithEverythingTakenAnswersFalse) {
    Players p;
    auto season = MakeCom<FakeSeason>();
    for (const auto& player : {p.a, p.b, p.c}) season->markTaken(player, "1\tX\tY");
    EXPECT_CALL(*data, Search(::testing::_, ::testing::_, ::testing::_, ::testing::_))
        .WillOnce(Return(p.all()));
    bool accepted = false;
    user->onModal([&](QDialog& dialog) {
        auto& dlg = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*dlg.wbReport()));
        dlg.cmdAccept()->click();
        accepted = dlg.IsAccepted();
    });
    EXPECT_FALSE(SearchAndPick(TypePlayerOrTeam, "t", data, season, true, picked, true));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(picked, nullptr);
}
