// The document model: parsing as a browser does, control state, tables, mirroring and the
// delivery of user actions.
#include <gtest/gtest.h>

#include "HtmlDocument.h"
#include "HtmlParser.h"

using namespace gr::ui;

namespace {

struct Recorded {
    std::vector<MirrorOp> ops;
    HtmlDocument doc{[this](const MirrorOp& op) { ops.push_back(op); }};
};

ViewEvent Event(ViewEvent::Kind kind, const ElementPtr& e, bool checked = false) {
    ViewEvent ev;
    ev.kind = kind;
    ev.k = e->kitId();
    ev.value = e->value();
    ev.checked = checked;
    ev.selectedIndex = e->selectedIndex();
    return ev;
}

}  // namespace

TEST(HtmlDocument, ParsesTableRowsAsABrowserDoesWithImpliedBody) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<table width=100%><tr id='r1'><td id='c1'>A<td id='c2'>B</table>");
    const ElementPtr table = doc.body()->children().at(0);
    ASSERT_EQ(table->tagName(), "table");
    // The parser adds the tbody and closes the open cells.
    ASSERT_EQ(table->children().at(0)->tagName(), "tbody");
    EXPECT_EQ(table->rows().size(), 1u);
    EXPECT_EQ(doc.getElementById("r1")->cells().size(), 2u);
    EXPECT_EQ(doc.getElementById("c2")->innerText(), "B");
    EXPECT_EQ(table->getAttribute("width"), "100%");
}

TEST(HtmlDocument, MisnestedMarkupIsRepairedLikeABrowser) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<b>bold<i>both</b>italic</i>");
    EXPECT_EQ(doc.body()->innerHTML(), "<b>bold<i>both</i></b><i>italic</i>");
}

TEST(HtmlDocument, GetElementByIdFindsTheFirstInDocumentOrderAndNothingForUnknownIds) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<div><span id='x'>1</span></div><span id='x'>2</span>");
    EXPECT_EQ(doc.getElementById("x")->innerText(), "1");
    EXPECT_EQ(doc.getElementById("nope"), nullptr);
    EXPECT_EQ(doc.getElementById(""), nullptr);
}

TEST(HtmlDocument, ControlsTakeTheirInitialStateFromTheMarkup) {
    HtmlDocument doc;
    doc.body()->setInnerHTML(
        "<input id='t' value='abc'><input type=checkbox id='c' checked>"
        "<select id='s'><option>a<option selected value='2'>b<option>c</select>"
        "<select id='e'></select><select id='l' size=3><option>x</select>"
        "<textarea id='ta'>hello</textarea>");
    EXPECT_EQ(doc.getElementById("t")->value(), "abc");
    EXPECT_TRUE(doc.getElementById("c")->checked());
    EXPECT_EQ(doc.getElementById("c")->value(), "on");
    EXPECT_EQ(doc.getElementById("s")->selectedIndex(), 1);
    EXPECT_EQ(doc.getElementById("s")->value(), "2");
    EXPECT_EQ(doc.getElementById("e")->selectedIndex(), -1);
    EXPECT_EQ(doc.getElementById("l")->selectedIndex(), -1);  // a list box starts empty
    EXPECT_EQ(doc.getElementById("ta")->value(), "hello");
}

TEST(HtmlDocument, UnclosedOptionsOfADropDownSelectTheFirstAndKeepTheirValues) {
    HtmlDocument doc;
    doc.body()->setInnerHTML(
        "<select size='1' id='HA'><option id='GA-0' value='0'><option id='GA-1' value='1'>Live"
        "<option id='GA-2' value='2'>Test</select>");
    const ElementPtr list = doc.getElementById("HA");
    ASSERT_EQ(list->options().size(), 3u);
    EXPECT_EQ(list->selectedIndex(), 0);
    list->setValue("2");
    EXPECT_EQ(list->selectedIndex(), 2);
    EXPECT_EQ(doc.getElementById("GA-2")->innerText(), "Test");
    list->setValue("9");
    EXPECT_EQ(list->selectedIndex(), -1);
}

TEST(HtmlDocument, OnlyOneRadioButtonOfAGroupIsChecked) {
    HtmlDocument doc;
    doc.body()->setInnerHTML(
        "<input type=radio name='yeah' id='a' checked><input type=radio name='yeah' id='b' "
        "checked><input type=radio name='other' id='c' checked>");
    EXPECT_FALSE(doc.getElementById("a")->checked());  // the last checked one wins
    EXPECT_TRUE(doc.getElementById("b")->checked());
    doc.getElementById("a")->setChecked(true);
    EXPECT_TRUE(doc.getElementById("a")->checked());
    EXPECT_FALSE(doc.getElementById("b")->checked());
    EXPECT_TRUE(doc.getElementById("c")->checked());  // another group is untouched
}

TEST(HtmlDocument, ValueAttributeNoLongerMovesATypedValue) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<input id='t' value='a'>");
    const ElementPtr t = doc.getElementById("t");
    t->setAttribute("value", "b");
    EXPECT_EQ(t->value(), "b");
    t->setValue("typed");
    t->setAttribute("value", "c");
    EXPECT_EQ(t->value(), "typed");
}

TEST(HtmlDocument, InsertRowAndCellFollowTheBrowserRules) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<table id='DA'></table>");
    const ElementPtr table = doc.getElementById("DA");
    const ElementPtr first = table->insertRow(-1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentElement()->tagName(), "tbody");  // a tbody is made for the first row
    const ElementPtr top = table->insertRow(0);
    EXPECT_EQ(table->rows().at(0), top);
    EXPECT_EQ(first->rowIndex(), 1);
    EXPECT_EQ(table->insertRow(5), nullptr);
    EXPECT_EQ(table->insertRow(-2), nullptr);
    const ElementPtr cell = first->insertCell(-1);
    cell->setInnerHTML("<input id='IN-2-7' value='x'>");
    EXPECT_EQ(doc.getElementById("IN-2-7")->value(), "x");
    EXPECT_EQ(first->insertCell(0)->parentElement(), first.get());
    EXPECT_EQ(first->cells().size(), 2u);
    EXPECT_EQ(first->insertCell(7), nullptr);
    EXPECT_TRUE(table->deleteRow(0));
    EXPECT_EQ(table->rows().size(), 1u);
    EXPECT_TRUE(table->deleteRow(-1));
    EXPECT_FALSE(table->deleteRow(0));
    EXPECT_EQ(doc.getElementById("IN-2-7"), nullptr);  // gone with its row
}

TEST(HtmlDocument, EveryChangeIsMirroredInOrder) {
    Recorded r;
    ASSERT_EQ(r.ops.size(), 1u);
    EXPECT_EQ(r.ops[0].kind, MirrorOp::Kind::Bind);
    EXPECT_EQ(r.ops[0].n2, r.doc.body()->kitId());
    r.doc.body()->setInnerHTML("<table id='T'><tr><td id='c'>1</td></tr></table>");
    const ElementPtr cell = r.doc.getElementById("c");
    cell->setInnerHTML("<b>2</b>");
    cell->setAttribute("bgcolor", "99FF99");
    r.doc.getElementById("T")->insertRow(-1);
    cell->setStyle("display", "none");
    ASSERT_EQ(r.ops.size(), 6u);
    EXPECT_EQ(r.ops[1].kind, MirrorOp::Kind::InnerHtml);
    EXPECT_EQ(r.ops[1].k, r.doc.body()->kitId());
    // The view's copy names every element by its kit id.
    EXPECT_NE(r.ops[1].text.find("data-k=\"" + std::to_string(cell->kitId()) + "\""),
              std::string::npos);
    EXPECT_EQ(r.ops[2].kind, MirrorOp::Kind::InnerHtml);
    EXPECT_EQ(r.ops[2].k, cell->kitId());
    EXPECT_EQ(r.ops[3].kind, MirrorOp::Kind::Attribute);
    EXPECT_EQ(r.ops[3].text, "99FF99");
    EXPECT_EQ(r.ops[4].kind, MirrorOp::Kind::Insert);
    EXPECT_EQ(r.ops[5].kind, MirrorOp::Kind::Style);
    EXPECT_EQ(cell->style("display"), "none");
    EXPECT_NE(cell->getAttribute("style").find("display: none"), std::string::npos);
}

TEST(HtmlDocument, DetachedElementsAreNotMirroredAndNotFound) {
    Recorded r;
    r.doc.body()->setInnerHTML("<p id='p'>x</p>");
    const ElementPtr kept = r.doc.getElementById("p");
    r.doc.body()->setInnerHTML("<p id='q'>y</p>");
    const size_t before = r.ops.size();
    kept->setInnerText("changed");  // a stale reference: harmless
    EXPECT_EQ(r.ops.size(), before);
    EXPECT_FALSE(kept->isConnected());
    EXPECT_EQ(r.doc.elementByKitId(kept->kitId()), nullptr);
}

TEST(HtmlDocument, ClickBubblesUntilCancelled) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<table><tr id='r'><td id='c'><s>text</s></td></tr></table>");
    std::vector<std::string> seen;
    const auto record = [&](const ElementPtr& src, HtmlEvent&) { seen.push_back(src->id()); };
    doc.getElementById("c")->setEventHandler(HtmlEventType::Click, record);
    doc.getElementById("r")->setEventHandler(HtmlEventType::Click, record);
    const ElementPtr strike = doc.getElementById("c")->children().at(0);
    doc.deliver(Event(ViewEvent::Kind::Click, strike));
    EXPECT_EQ(seen, (std::vector<std::string>{"c", "r"}));

    seen.clear();
    doc.getElementById("c")->setEventHandler(HtmlEventType::Click,
                                             [&](const ElementPtr& src, HtmlEvent& e) {
                                                 seen.push_back(src->id());
                                                 e.cancelBubble = true;
                                             });
    doc.deliver(Event(ViewEvent::Kind::Click, strike));
    EXPECT_EQ(seen, (std::vector<std::string>{"c"}));
}

TEST(HtmlDocument, FocusDoesNotBubble) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<div id='d'><input id='i'></div>");
    int calls = 0;
    doc.getElementById("d")->setEventHandler(HtmlEventType::Focus,
                                             [&](const ElementPtr&, HtmlEvent&) { ++calls; });
    doc.deliver(Event(ViewEvent::Kind::Focus, doc.getElementById("i")));
    EXPECT_EQ(calls, 0);
}

TEST(HtmlDocument, TheModelTakesTheReportedStateBeforeHandlersRun) {
    HtmlDocument doc;
    doc.body()->setInnerHTML(
        "<input id='i' value='old'><select id='s'><option>a<option>b</select>");
    const ElementPtr input = doc.getElementById("i");
    std::string seen;
    input->setEventHandler(HtmlEventType::Change,
                           [&](const ElementPtr& src, HtmlEvent&) { seen = src->value(); });
    ViewEvent typed = Event(ViewEvent::Kind::Input, input);
    typed.value = "new <text>";
    doc.deliver(typed);
    EXPECT_EQ(input->value(), "new <text>");
    EXPECT_TRUE(seen.empty());  // typing alone raises no change
    doc.deliver(Event(ViewEvent::Kind::Change, input));
    EXPECT_EQ(seen, "new <text>");

    ViewEvent chosen = Event(ViewEvent::Kind::Change, doc.getElementById("s"));
    chosen.selectedIndex = 1;
    doc.deliver(chosen);
    EXPECT_EQ(doc.getElementById("s")->selectedIndex(), 1);
}

TEST(HtmlDocument, ACancelledClickRestoresTheRadioGroupAndTellsTheView) {
    Recorded r;
    r.doc.body()->setInnerHTML(
        "<input type=radio name=g id='a' checked><input type=radio name=g id='b'>");
    const ElementPtr b = r.doc.getElementById("b");
    b->setEventHandler(HtmlEventType::Click,
                       [](const ElementPtr&, HtmlEvent& e) { e.returnValue = false; });
    r.ops.clear();
    r.doc.deliver(Event(ViewEvent::Kind::Click, b, true));
    EXPECT_FALSE(b->checked());
    EXPECT_TRUE(r.doc.getElementById("a")->checked());
    ASSERT_FALSE(r.ops.empty());
    EXPECT_EQ(r.ops.back().kind, MirrorOp::Kind::Property);
}

TEST(HtmlDocument, AHandlerThatRewritesThePageStopsTheBubbling) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<div id='outer'><span id='inner'>x</span></div>");
    int outerCalls = 0;
    doc.getElementById("outer")->setEventHandler(
        HtmlEventType::Click, [&](const ElementPtr&, HtmlEvent&) { ++outerCalls; });
    doc.getElementById("inner")->setEventHandler(
        HtmlEventType::Click,
        [&](const ElementPtr&, HtmlEvent&) { doc.body()->setInnerHTML("<p>new</p>"); });
    doc.deliver(Event(ViewEvent::Kind::Click, doc.getElementById("inner")));
    EXPECT_EQ(outerCalls, 0);
    EXPECT_EQ(doc.body()->innerHTML(), "<p>new</p>");
}

TEST(HtmlDocument, EventsForUnknownElementsAreIgnored) {
    HtmlDocument doc;
    ViewEvent ev;
    ev.k = 999999;
    doc.deliver(ev);  // nothing to find: no crash, no effect
    EXPECT_EQ(doc.body()->childNodes().size(), 0u);
}

TEST(HtmlDocument, SerialisationEscapesTextAndAttributes) {
    HtmlDocument doc;
    doc.body()->setInnerText("<img src=x onerror=alert(1)> & \"q\"");
    EXPECT_EQ(doc.body()->children().size(), 0u);  // text, not markup
    EXPECT_EQ(doc.body()->innerHTML(), "&lt;img src=x onerror=alert(1)&gt; &amp; \"q\"");
    doc.body()->setInnerHTML("<p title='a\"b'>x</p>");
    EXPECT_EQ(doc.body()->innerHTML(), "<p title=\"a&quot;b\">x</p>");
}

TEST(HtmlDocument, EscapedHostileNamesStayText) {
    HtmlDocument doc;
    const std::string hostile = "<img src=x onerror=\"alert('x')\">";
    doc.body()->setInnerHTML("<table><tr><td id='n'>" + EscapeHtml(hostile) +
                             "</td></tr></table><input id='v' value='" + EscapeHtml(hostile) +
                             "'>");
    EXPECT_EQ(doc.getElementById("n")->innerText(), hostile);
    EXPECT_TRUE(doc.getElementById("n")->children().empty());
    EXPECT_EQ(doc.getElementById("v")->value(), hostile);
}

TEST(HtmlDocument, SnapshotDescribesStructureAndState) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<input id='i' value='v' style='color:red'>t");
    EXPECT_EQ(doc.snapshotJson(),
              "{\"t\":\"body\",\"a\":{},\"c\":[{\"t\":\"input\",\"a\":{\"id\":\"i\",\"value\":"
              "\"v\"},\"v\":\"v\",\"x\":false,\"c\":[]},\"t\"]}");
}

TEST(HtmlDocument, InlineHandlersAndForgedKitNamesNeverReachTheView) {
    Recorded r;
    r.doc.body()->setInnerHTML("<img id='i' src=x onerror=\"alert(1)\" data-k='1'>");
    const ElementPtr img = r.doc.getElementById("i");
    img->setAttribute("onclick", "alert(2)");
    const std::string& sent = r.ops.at(1).text;
    EXPECT_EQ(sent.find("onerror"), std::string::npos);
    EXPECT_EQ(sent.find("data-k=\"1\""), std::string::npos);
    EXPECT_NE(sent.find("data-k=\"" + std::to_string(img->kitId()) + "\""), std::string::npos);
    EXPECT_EQ(r.ops.size(), 2u);                          // the onclick attribute was not sent
    EXPECT_EQ(img->getAttribute("onerror"), "alert(1)");  // the model still reads it
}

TEST(HtmlDocument, AStandingClickOnACheckBoxRaisesChangeAfterTheClick) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<div id='d'><input type=checkbox id='c'></div>");
    const ElementPtr box = doc.getElementById("c");
    std::vector<std::string> seen;
    box->setEventHandler(HtmlEventType::Click, [&](const ElementPtr&, HtmlEvent&) {
        seen.push_back("click " + std::string(box->checked() ? "on" : "off"));
    });
    doc.getElementById("d")->setEventHandler(
        HtmlEventType::Change, [&](const ElementPtr& src, HtmlEvent& e) {
            seen.push_back("change at " + src->id() + " from " + e.srcElement->id());
        });
    doc.deliver(Event(ViewEvent::Kind::Click, box, true));
    EXPECT_EQ(seen, (std::vector<std::string>{"click on", "change at d from c"}));
}

TEST(HtmlDocument, ACancelledClickRaisesNoChangeAndLateReportsOfTheBoxAreNotTaken) {
    Recorded r;
    r.doc.body()->setInnerHTML("<input type=checkbox id='c'>");
    const ElementPtr box = r.doc.getElementById("c");
    int changes = 0;
    box->setEventHandler(HtmlEventType::Click,
                         [](const ElementPtr&, HtmlEvent& e) { e.returnValue = false; });
    box->setEventHandler(HtmlEventType::Change, [&](const ElementPtr&, HtmlEvent&) { ++changes; });
    // The browser reports the click and, before it hears of the cancel, its input and change.
    r.doc.deliver(Event(ViewEvent::Kind::Click, box, true));
    r.doc.deliver(Event(ViewEvent::Kind::Input, box, true));
    r.doc.deliver(Event(ViewEvent::Kind::Change, box, true));
    EXPECT_FALSE(box->checked());
    EXPECT_EQ(changes, 0);
    ASSERT_EQ(r.ops.back().kind, MirrorOp::Kind::Property);  // the view is set back
    EXPECT_EQ(r.ops.back().n, 0);
}

TEST(HtmlDocument, ClickingTheCheckedRadioButtonAgainRaisesNoChange) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<input type=radio name=g id='a' checked><input type=radio name=g>");
    const ElementPtr a = doc.getElementById("a");
    int changes = 0;
    a->setEventHandler(HtmlEventType::Change, [&](const ElementPtr&, HtmlEvent&) { ++changes; });
    doc.deliver(Event(ViewEvent::Kind::Click, a, true));
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(a->checked());
}

TEST(HtmlDocument, AChangeReportOfTextTheProgramHandledIsNotRaisedAgain) {
    HtmlDocument doc;
    doc.body()->setInnerHTML("<input id='t'>");
    const ElementPtr box = doc.getElementById("t");
    std::vector<std::string> changes;
    box->setEventHandler(HtmlEventType::Change,
                         [&](const ElementPtr& e, HtmlEvent&) { changes.push_back(e->value()); });
    const auto report = [&](ViewEvent::Kind kind, const std::string& value) {
        ViewEvent ev = Event(kind, box);
        ev.value = value;
        doc.deliver(ev);
    };
    report(ViewEvent::Kind::Input, "12");
    box->markValueHandled();
    report(ViewEvent::Kind::Change, "12");  // the late report of the handled text
    EXPECT_TRUE(changes.empty());
    report(ViewEvent::Kind::Change, "12");  // the mark is used up: a later change is raised
    EXPECT_EQ(changes, std::vector<std::string>{"12"});

    // Typing on after the mark makes the text new again, even when it ends as it was.
    box->markValueHandled();
    report(ViewEvent::Kind::Input, "123");
    report(ViewEvent::Kind::Input, "12");
    report(ViewEvent::Kind::Change, "12");
    // A report of other text than the handled one is raised and takes its text.
    box->markValueHandled();
    report(ViewEvent::Kind::Change, "7");
    EXPECT_EQ(changes, (std::vector<std::string>{"12", "12", "7"}));
    EXPECT_EQ(box->value(), "7");
}
