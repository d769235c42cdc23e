// The catalogue editor control and the add-new dialog on the real services over a copy of the
// test league, driven through the headless view by element id.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>

#include "GRStringUtils.h"
#include "ScriptedUser.h"
#include "ViewDriver.h"
#include "ctlAddNewBrowser.h"
#include "frmAddNewMDI.h"
#include "frmAddNewPopup.h"
#include "frmMain.h"
#include "frmSelection.h"
#include "test_shell_support.h"

using namespace gr;
using namespace gr::ui;
using namespace gr::ui::test;

namespace {

// The real data service on a fresh copy of the test league.
struct League {
    ShellDatabases databases;
    ComPtr<ISetupService> setup;
    ComPtr<IDataService> data;
    League() {
        databases.UseType(DBTest);
        setup = InitializedSetupService();
        if (setup) data = setup->get_DataService();
    }
    ~League() {
        data = nullptr;
        setup = nullptr;
    }
    // Every record of a kind whose name matches text.
    ComPtr<Collection> Find(InfoTypeEnum kind, const std::string& text) const {
        return data->Search(kind, text, false, false);
    }
};

// An editor control with its page built.
struct Editor {
    ctlAddNewBrowser ctl;
    ViewDriver driver{*ctl.wbReport};
    Editor(const ComPtr<IDataService>& data, InfoTypeEnum kind, int32_t mode = 1) {
        EXPECT_TRUE(ctl.Initialize(data, kind, mode));
        EXPECT_TRUE(WaitForDocument(*ctl.wbReport));
    }
    ElementPtr el(const std::string& id) const { return driver.element(id); }
    std::string value(const std::string& id) const { return el(id) ? el(id)->value() : "<none>"; }
    std::string field(int32_t n) const { return GetField(ctl.GetValues(), "\n", n); }
};

std::vector<std::string> OptionValues(const ElementPtr& select) {
    std::vector<std::string> values;
    for (const ElementPtr& option : select->options()) values.push_back(option->value());
    return values;
}

// A row of the editor is hidden by its own style or by the style of a row it sits in.
bool Hidden(const ElementPtr& element) {
    for (const HtmlElement* e = element.get(); e; e = e->parentElement())
        if (e->style("display") == "none") return true;
    return false;
}

ComPtr<IPlayerInfo> NewPlayer(IDataService& data, const std::string& last, const std::string& first,
                              int32_t position, int32_t team) {
    int32_t id = 0;
    ComPtr<IPlayerInfo> player;
    std::string why;
    EXPECT_TRUE(data.UpdatePlayer(last, first, position, team, false, id, player, why)) << why;
    return player;
}

int32_t CountOf(const League& league, InfoTypeEnum kind) {
    const auto all = league.Find(kind, "");
    return all ? all->Count() : 0;
}

}  // namespace

TEST(ctlAddNewBrowser, PlayerListsLeaveOutPositionSixAndShowTheRecordsListEntriesByValue) {
    League league;
    ASSERT_TRUE(league.data);
    int32_t seventh = 0;
    ComPtr<IPositionInfo> linebacker;
    std::string why;
    ASSERT_TRUE(league.data->UpdatePosition("Linebacker", "LB", seventh, linebacker, why));
    ASSERT_EQ(seventh, 7);
    const auto player = NewPlayer(*league.data, "Tester", "Tim", 7, 12);
    ASSERT_TRUE(player);

    Editor e(league.data, TypePlayerOrTeam);
    EXPECT_EQ(OptionValues(e.el("HA")),
              (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "7"}));
    EXPECT_EQ(e.el("HA")->options().at(0)->innerText(), "");
    EXPECT_EQ(e.el("GA-7")->innerText(), "LB");
    EXPECT_EQ(e.el("GA-6"), nullptr);
    EXPECT_EQ(e.el("HB")->options().size(),
              static_cast<size_t>(league.data->GetTeams()->Count()) + 1);
    EXPECT_TRUE(Hidden(e.el("CB")));

    e.ctl.ShowRecord(player.As<IPickable>());
    EXPECT_EQ(e.value("HB"), "12");
    EXPECT_EQ(e.value("HA"), "7");
    EXPECT_EQ(e.value("AF"), "Tim Tester");
    EXPECT_FALSE(Hidden(e.el("CB")));
    EXPECT_EQ(e.ctl.GetValues(),
              "Tester\nTim\n7\n12\n" + std::to_string(player->get_ID()) + "\nFalse");

    // A list choice is what is saved, not what the record held.
    ASSERT_TRUE(e.driver.select("HB", 1));
    EXPECT_EQ(e.field(4), e.el("HB")->options().at(1)->value());
    ASSERT_TRUE(e.driver.click("BA"));
    EXPECT_EQ(e.field(6), "True");

    e.ctl.ResetValues();
    EXPECT_EQ(e.ctl.GetValues(), "\n\n\n\n0\nFalse");
    EXPECT_EQ(e.el("HA")->selectedIndex(), 0);
    EXPECT_EQ(e.el("HB")->selectedIndex(), 0);
    EXPECT_FALSE(e.el("BA")->checked());
    EXPECT_EQ(e.value("AF"), "");
    EXPECT_TRUE(Hidden(e.el("CB")));
}

TEST(ctlAddNewBrowser, SearchShowsTheRecordAndClearingTheSearchInputClearsTheForm) {
    League league;
    auto user = ScriptedUser::Install();
    Editor e(league.data, TypeManager);
    EXPECT_FALSE(Hidden(e.el("AF")));

    ASSERT_TRUE(e.driver.type("AF", "Alvarez"));
    EXPECT_EQ(e.value("AB"), "Alvarez");
    EXPECT_EQ(e.value("AA"), "Maria");
    EXPECT_EQ(e.value("AF"), "Maria Alvarez");
    EXPECT_NE(e.ctl.CurrentID(), 0);
    EXPECT_EQ(e.el("CB")->style("display"), "block");

    ASSERT_TRUE(e.driver.type("AF", ""));
    EXPECT_EQ(e.ctl.GetValues(), "\n\n0");
    EXPECT_TRUE(Hidden(e.el("CB")));

    // Nothing found: the message names the kind and the form stays as it was.
    ASSERT_TRUE(e.driver.type("AB", "Typed"));
    ASSERT_TRUE(e.driver.type("AF", "Nobody-by-this-name"));
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Sorry no manager found.");
    EXPECT_EQ(user->messages[0].title, "Gridora");
    EXPECT_EQ(e.value("AB"), "Typed");
}

TEST(ctlAddNewBrowser, PlayerSearchLeavesTeamsOutAndFindsRetiredPlayers) {
    League league;
    auto user = ScriptedUser::Install();
    // A name that only teams answer to: no player to edit.
    ASSERT_GT(league.Find(TypePlayerOrTeam, "Atlanta")->Count(), 0);
    Editor e(league.data, TypePlayerOrTeam);
    ASSERT_TRUE(e.driver.type("AF", "Atlanta"));
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Sorry no player found.");
    EXPECT_TRUE(user->modalTitles.empty());

    int32_t id = 0;
    ComPtr<IPlayerInfo> retired;
    std::string why;
    ASSERT_TRUE(league.data->UpdatePlayer("Zzyzx", "Old", 1, 1, true, id, retired, why));
    ASSERT_TRUE(e.driver.type("AF", "Zzyzx"));
    EXPECT_EQ(e.ctl.CurrentID(), id);
    EXPECT_TRUE(e.el("BA")->checked());

    // Several players: the selection dialog lists players only.
    NewPlayer(*league.data, "Zzyzx", "Young", 1, 1);
    bool twoRows = false;
    user->onModal([&](QDialog& dialog) {
        auto& selection = dynamic_cast<frmSelection&>(dialog);
        ASSERT_TRUE(WaitForDocument(*selection.wbReport()));
        ViewDriver rows(*selection.wbReport());
        twoRows = rows.element("IA-2") && !rows.element("IA-3");
        dialog.reject();
    });
    e.ctl.SearchRecord("Zzyzx");
    ASSERT_EQ(user->modalTitles.size(), 1u);
    EXPECT_EQ(user->modalTitles[0], "Select a Player");
    EXPECT_TRUE(twoRows);
    // Cancelled: the shown record stays.
    EXPECT_EQ(e.ctl.CurrentID(), id);
}

TEST(ctlAddNewBrowser, RefusedDeleteKeepsTheRecordShownAndADeletedOneEmptiesTheForm) {
    League league;
    auto user = ScriptedUser::Install();
    Editor e(league.data, TypePrize);
    // The champion's prize is in the league's seasons.
    e.ctl.ShowRecord(league.Find(TypePrize, "Champion")->ItemAs<IPickable>(1));
    ASSERT_EQ(e.ctl.CurrentID(), 1);
    ASSERT_TRUE(e.driver.click("CB"));
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text,
              "The record cannot be deleted because it is included in other related records.");
    EXPECT_EQ(e.value("AC"), "Champion");
    EXPECT_EQ(e.ctl.CurrentID(), 1);
    EXPECT_EQ(e.field(2), "1");

    int32_t id = 0;
    ComPtr<IPrizeTmplInfo> spare;
    std::string why;
    ASSERT_TRUE(league.data->UpdatePrize("Spare Prize", 2, id, spare, why));
    ASSERT_TRUE(e.driver.type("AF", "Spare"));
    ASSERT_EQ(e.ctl.CurrentID(), id);
    ASSERT_TRUE(e.driver.click("CB"));
    EXPECT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(e.ctl.GetValues(), "\n\n0");
    EXPECT_EQ(league.Find(TypePrize, "Spare")->Count(), 0);
}

TEST(ctlAddNewBrowser, InitializeWithoutADataServiceTellsTheUserAndAnswersFalse) {
    auto user = ScriptedUser::Install();
    ctlAddNewBrowser ctl;
    EXPECT_FALSE(ctl.Initialize(nullptr, TypeManager, 1));
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Error in initializing form.\r\nThere is no data service.");
    // Without a service the control has nothing to search or delete with.
    ctl.SearchRecord("anyone");
    ctl.DeleteRecord();
    EXPECT_EQ(user->messages.size(), 1u);
}

// ---- The add-new dialog --------------------------------------------------------------------

namespace {

// Types the names into the dialog's form while it is shown, then presses Accept.
std::function<void(QDialog&)> TypeAndAccept(std::vector<std::pair<std::string, std::string>> fields,
                                            std::function<void(frmAddNewPopup&)> after = {}) {
    return [fields = std::move(fields), after = std::move(after)](QDialog& dialog) {
        auto& popup = dynamic_cast<frmAddNewPopup&>(dialog);
        ASSERT_TRUE(WaitForDocument(*popup.ctlAddNewPopup->wbReport));
        ViewDriver driver(*popup.ctlAddNewPopup->wbReport);
        for (const auto& [id, text] : fields) {
            if (driver.element(id)->tagName() == "select")
                driver.select(id, std::stoi(text));
            else
                driver.type(id, text);
        }
        popup.cmdAccept->click();
        if (after) after(popup);
    };
}

}  // namespace

TEST(frmAddNewPopup, AnAcceptedManagerComesBackAndEveryShowingStartsUnaccepted) {
    League league;
    auto user = ScriptedUser::Install();
    frmAddNewPopup popup;
    EXPECT_EQ(popup.windowTitle().toStdString(), "Add New");
    ASSERT_TRUE(popup.Initialize(league.data, TypeManager));
    EXPECT_EQ(popup.windowTitle().toStdString(), "Add a Manager");
    ASSERT_TRUE(WaitForDocument(*popup.ctlAddNewPopup->wbReport));
    // No search line: the dialog only adds.
    EXPECT_TRUE(Hidden(ViewDriver(*popup.ctlAddNewPopup->wbReport).element("AF")));

    const int32_t before = CountOf(league, TypeManager);
    user->onModal(TypeAndAccept({{"AB", "  Newman  "}, {"AA", "Nora"}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());
    const auto manager = popup.PickedItem().As<IManagerTmplInfo>();
    ASSERT_TRUE(manager);
    EXPECT_EQ(manager->get_LastName(), "Newman");  // stored trimmed
    EXPECT_GT(manager->get_ID(), 0);
    EXPECT_EQ(CountOf(league, TypeManager), before + 1);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(popup.ctlAddNewPopup->GetValues(), "\n\n0");

    // The next showing, cancelled, starts unaccepted and hands out nothing.
    user->onModal([](QDialog& dialog) {
        EXPECT_FALSE(dynamic_cast<frmAddNewPopup&>(dialog).IsAccepted());
        dynamic_cast<frmAddNewPopup&>(dialog).cmdCancel->click();
    });
    ShowModal(popup);
    EXPECT_FALSE(popup.IsAccepted());
    EXPECT_FALSE(popup.PickedItem());
    EXPECT_EQ(CountOf(league, TypeManager), before + 1);
    EXPECT_TRUE(user->messages.empty());
}

TEST(frmAddNewPopup, ARefusedSaveKeepsTheDialogOpenWithWhatWasTyped) {
    League league;
    auto user = ScriptedUser::Install();
    frmAddNewPopup popup;
    ASSERT_TRUE(popup.Initialize(league.data, TypePlayerOrTeam));
    EXPECT_EQ(popup.windowTitle().toStdString(), "Add a Player");
    bool openAfterBlanks = false;
    bool openWithoutTeam = false;
    std::string keptValues;
    user->onModal(TypeAndAccept({{"AB", "Blank"}, {"AA", "   "}}, [&](frmAddNewPopup& p) {
        openAfterBlanks = p.isVisible();
        ViewDriver driver(*p.ctlAddNewPopup->wbReport);
        driver.type("AA", "Bob");
        driver.select("HA", 1);
        p.cmdAccept->click();
        openWithoutTeam = p.isVisible();
        keptValues = p.ctlAddNewPopup->GetValues();
        p.cmdCancel->click();
    }));
    ShowModal(popup);
    ASSERT_EQ(user->messages.size(), 2u);
    EXPECT_EQ(user->messages[0].text, "First name is required.");
    EXPECT_EQ(user->messages[1].text, "Player team is required.");
    EXPECT_TRUE(openAfterBlanks);
    EXPECT_TRUE(openWithoutTeam);
    EXPECT_EQ(keptValues, "Blank\nBob\n1\n\n0\nFalse");
    EXPECT_FALSE(popup.IsAccepted());
    EXPECT_FALSE(popup.PickedItem());
    EXPECT_EQ(league.Find(TypePlayerOrTeam, "Blank Bob")->Count(), 0);
}

TEST(frmAddNewPopup, PlayersPrizesAndPositionsAreSavedAndReturned) {
    League league;
    auto user = ScriptedUser::Install();
    frmAddNewPopup popup;

    ASSERT_TRUE(popup.Initialize(league.data, TypePlayerOrTeam));
    user->onModal(TypeAndAccept({{"AB", "Rookie"}, {"AA", "Ray"}, {"HA", "2"}, {"HB", "3"}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());
    const auto player = popup.PickedItem().As<IPlayerInfo>();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->get_Position()->get_ID(), 2);
    EXPECT_FALSE(player->get_IsRetired());

    // The same dialog again, for another kind.
    ASSERT_TRUE(popup.Initialize(league.data, TypePrize));
    EXPECT_EQ(popup.windowTitle().toStdString(), "Add a Prize");
    user->onModal(TypeAndAccept({{"AC", "Longest Kick"}, {"HC", "2"}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());
    const auto prize = popup.PickedItem().As<IPrizeTmplInfo>();
    ASSERT_TRUE(prize);
    EXPECT_EQ(prize->get_PrizeType()->get_ID(), 2);
    EXPECT_EQ(league.Find(TypePrize, "Longest")->Count(), 1);

    ASSERT_TRUE(popup.Initialize(league.data, TypePosition));
    EXPECT_EQ(popup.windowTitle().toStdString(), "Add a Prize");  // positions keep the caption
    user->onModal(TypeAndAccept({{"AD", "Punter"}, {"AE", "P"}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());
    const auto position = popup.PickedItem().As<IPositionInfo>();
    ASSERT_TRUE(position);
    EXPECT_EQ(position->get_ID(), 7);
    EXPECT_EQ(position->get_Abbr(), "P");
    EXPECT_TRUE(user->messages.empty());
}

TEST(frmAddNewPopup, HostileNamesAreSavedFoundAndShownBackUnchangedAndEscaped) {
    League league;
    auto user = ScriptedUser::Install();
    const std::string last = "O'Brien \"Bo\" <b>&amp; Zoë";
    const std::string first = "Ñandú <script>x</script>";
    const std::string longName = std::string(199, 'L') + "é";
    frmAddNewPopup popup;

    ASSERT_TRUE(popup.Initialize(league.data, TypeManager));
    user->onModal(TypeAndAccept({{"AB", last}, {"AA", first}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());
    user->onModal(TypeAndAccept({{"AB", longName}, {"AA", "Long"}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());

    ASSERT_TRUE(popup.Initialize(league.data, TypePosition));
    user->onModal(TypeAndAccept({{"AD", "<i>Nose</i> & 'Tackle'"}, {"AE", "<&\">"}}));
    ShowModal(popup);
    ASSERT_TRUE(popup.IsAccepted());

    Editor managers(league.data, TypeManager);
    ASSERT_TRUE(managers.driver.type("AF", "O'Brien \"Bo\""));
    EXPECT_EQ(managers.value("AB"), last);
    EXPECT_EQ(managers.value("AA"), first);
    EXPECT_EQ(managers.value("AF"), first + " " + last);
    ASSERT_TRUE(managers.driver.type("AF", longName));
    EXPECT_EQ(managers.value("AB"), longName);
    EXPECT_EQ(managers.field(1), longName);

    // The abbreviation is page text in the player's position list.
    Editor players(league.data, TypePlayerOrTeam);
    const ElementPtr option = players.el("GA-7");
    ASSERT_TRUE(option);
    EXPECT_EQ(option->innerText(), "<&\">");
    EXPECT_TRUE(option->children().empty());
    for (const Editor* e : {&managers, &players}) {
        const std::string page = e->ctl.wbReport->document()->body()->innerHTML();
        EXPECT_EQ(page.find("<b>"), std::string::npos);
        EXPECT_EQ(page.find("<script>"), std::string::npos);
    }
    EXPECT_TRUE(user->messages.empty());
}

// ---- The editor windows --------------------------------------------------------------------

namespace {

// The main window on the test league with the editor of one Setup menu item open.
struct EditorWindow {
    ShellDatabases databases;
    std::unique_ptr<frmMain> main;
    frmAddNewMDI* window = nullptr;
    explicit EditorWindow(const char* menuItem) {
        databases.UseType(DBTest);
        main = std::make_unique<frmMain>();
        EXPECT_TRUE(main->StartUp());
        main->show();
        QAction* item = FindAction(*main, menuItem);
        EXPECT_TRUE(item && item->isEnabled());
        if (item) item->trigger();
        Settle();
        window = qobject_cast<frmAddNewMDI*>(main->CurrentChild());
        EXPECT_TRUE(window);
        if (window) {
            EXPECT_TRUE(WaitForDocument(*window->ctlAddNewMDI->wbReport));
        }
    }
    ViewDriver driver() const { return ViewDriver(*window->ctlAddNewMDI->wbReport); }
    std::string value(const std::string& id) const { return driver().element(id)->value(); }
    int32_t Count(InfoTypeEnum kind) const {
        return main->DataService()->Search(kind, "", false, false)->Count();
    }
};

}  // namespace

TEST(frmAddNewMDI, ANewManagerIsAddedWithTheNextIdAndTheFormEmptiedARefusalKeepsTheForm) {
    auto user = ScriptedUser::Install();
    EditorWindow w("mnuAddManager");
    ASSERT_TRUE(w.window);
    EXPECT_EQ(w.window->windowTitle().toStdString(), "Add/Edit/Delete a Manager");
    const int32_t before = w.Count(TypeManager);

    ViewDriver d = w.driver();
    d.type("AB", "   ");
    d.type("AA", "Fresh");
    w.window->cmdSave->click();
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].text, "Last name is required.");
    EXPECT_EQ(w.window->ctlAddNewMDI->GetValues(), "   \nFresh\n0");

    d.type("AB", "Newcomer");
    w.window->cmdSave->click();
    EXPECT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(w.window->ctlAddNewMDI->GetValues(), "\n\n0");
    EXPECT_EQ(w.Count(TypeManager), before + 1);
    const auto found = w.main->DataService()->Search(TypeManager, "Newcomer", false, false);
    ASSERT_EQ(found->Count(), 1);
    EXPECT_EQ(found->ItemAs<IManagerTmplInfo>(1)->get_FirstName(), "Fresh");
}

TEST(frmAddNewMDI, ARenamedPrizeKeepsItsIdClearEmptiesAndCloseRaisesFormClosed) {
    auto user = ScriptedUser::Install();
    EditorWindow w("mnuAddPrize");
    ASSERT_TRUE(w.window);
    EXPECT_EQ(w.window->windowTitle().toStdString(), "Add/Edit/Delete a Prize");

    ViewDriver d = w.driver();
    ASSERT_TRUE(d.type("AF", "Third"));
    ASSERT_EQ(w.window->ctlAddNewMDI->CurrentID(), 3);
    d.type("AC", "Third Place Finish");
    w.window->cmdSave->click();
    EXPECT_TRUE(user->messages.empty());
    EXPECT_EQ(w.window->ctlAddNewMDI->GetValues(), "\n\n0");
    const auto renamed = w.main->DataService()->Search(TypePrize, "Finish", false, false);
    ASSERT_EQ(renamed->Count(), 1);
    EXPECT_EQ(renamed->ItemAs<IPrizeTmplInfo>(1)->get_ID(), 3);
    EXPECT_EQ(renamed->ItemAs<IPrizeTmplInfo>(1)->get_PrizeType()->get_ID(), 1);

    ASSERT_TRUE(d.type("AF", "Finish"));
    w.window->cmdClear->click();
    EXPECT_EQ(w.window->ctlAddNewMDI->GetValues(), "\n\n0");
    EXPECT_EQ(w.value("AF"), "");

    // Close asks about what was typed: Cancel stays, No drops it.
    QSignalSpy closed(w.window, &ChildWindow::FormClosed);
    d.type("AC", "Half typed");
    user->answer(MsgAnswer::Cancel);
    user->answer(MsgAnswer::No);
    w.window->cmdClose->click();
    EXPECT_EQ(closed.count(), 0);
    w.window->cmdClose->click();
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(user->messages.size(), 2U);
    EXPECT_EQ(user->messages[1].text, "Save changes to Add/Edit/Delete a Prize?");
    EXPECT_EQ(w.window->ctlAddNewMDI->GetValues(), "\n\n0");
}

TEST(frmAddNewMDI, EachSetupItemOpensItsEditor) {
    auto user = ScriptedUser::Install();
    EditorWindow w("mnuAddPosition");
    ASSERT_TRUE(w.window);
    EXPECT_EQ(w.window->windowTitle().toStdString(), "Add/Edit/Delete a playing Position");
    EXPECT_TRUE(w.driver().element("AD"));
    for (const auto& [item, title] : std::vector<std::pair<const char*, std::string>>{
             {"mnuAddPlayer", "Add/Edit/Delete a Player"},
             {"mnuAddManager", "Add/Edit/Delete a Manager"}}) {
        FindAction(*w.main, item)->trigger();
        Settle();
        auto* editor = qobject_cast<frmAddNewMDI*>(w.main->CurrentChild());
        ASSERT_TRUE(editor) << item;
        EXPECT_EQ(editor->windowTitle().toStdString(), title);
    }
    EXPECT_TRUE(user->messages.empty());
}
