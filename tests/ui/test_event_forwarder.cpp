// The forwarder between element events and a window's HandleEvent, through a real view.
#include <gtest/gtest.h>

#include "EventForwarder.h"
#include "HtmlView.h"
#include "ViewDriver.h"

using namespace gr::ui;

namespace {

class Recorder : public IActualEventHandler {
  public:
    void HandleEvent(const ElementPtr& source, HtmlEvent& event) override {
        std::string id;
        if (!ReadEventId(source, event, id)) {
            ++swallowed;
            return;
        }
        ids.push_back(id);
        if (id == "cancel") event.returnValue = false;
    }
    std::vector<std::string> ids;
    int swallowed = 0;
};

struct Page {
    HtmlView view;
    Recorder handler;
    EventForwarder forwarder;
    test::ViewDriver driver{view};
    Page() {
        view.navigate();
        EXPECT_TRUE(test::WaitForDocument(view));
        forwarder.Bind(view.document(), &handler);
    }
    HtmlDocument& doc() { return *view.document(); }
};

}  // namespace

TEST(EventForwarder, DeliversClicksOfElementsItIsAttachedTo) {
    Page p;
    p.doc().body()->setInnerHTML("<button id='JA-1'>a</button><button id='JB'>b</button>");
    p.forwarder.Attach(p.doc().getElementById("JA-1"), HtmlEventType::Click);
    EXPECT_TRUE(p.driver.click("JA-1"));
    EXPECT_TRUE(p.driver.click("JB"));  // not attached: no call
    EXPECT_EQ(p.handler.ids, std::vector<std::string>{"JA-1"});
}

TEST(EventForwarder, AnElementWithoutIdHasItsEventSwallowed) {
    Page p;
    p.doc().body()->setInnerHTML("<input type=checkbox>");
    const ElementPtr box = p.doc().body()->children().at(0);
    p.forwarder.Attach(box, HtmlEventType::Click);
    ViewEvent ev;
    ev.kind = ViewEvent::Kind::Click;
    ev.k = box->kitId();
    ev.checked = true;
    p.driver.backend().deliver(ev);
    EXPECT_EQ(p.handler.swallowed, 1);
    EXPECT_FALSE(box->checked());  // cancelled: the box keeps its state
}

TEST(EventForwarder, ReturnValueFalseKeepsACheckBoxUnchanged) {
    Page p;
    p.doc().body()->setInnerHTML("<input type=checkbox id='cancel'><input type=checkbox id='ok'>");
    p.forwarder.Attach(p.doc().getElementById("cancel"), HtmlEventType::Click);
    p.forwarder.Attach(p.doc().getElementById("ok"), HtmlEventType::Click);
    p.driver.click("cancel");
    p.driver.click("ok");
    EXPECT_FALSE(p.doc().getElementById("cancel")->checked());
    EXPECT_TRUE(p.doc().getElementById("ok")->checked());
}

TEST(EventForwarder, AfterReleaseNothingIsDelivered) {
    Page p;
    p.doc().body()->setInnerHTML("<button id='JA'>a</button>");
    p.forwarder.Attach(p.doc().getElementById("JA"), HtmlEventType::Click);
    p.forwarder.Release();
    EXPECT_FALSE(p.forwarder.IsBound());
    p.driver.click("JA");
    EXPECT_TRUE(p.handler.ids.empty());
}

TEST(EventForwarder, DisabledElementsCannotBeClicked) {
    Page p;
    p.doc().body()->setInnerHTML("<input type=radio id='IA-1' disabled>");
    p.forwarder.Attach(p.doc().getElementById("IA-1"), HtmlEventType::Click);
    EXPECT_FALSE(p.driver.click("IA-1"));
    EXPECT_TRUE(p.handler.ids.empty());
}

TEST(EventForwarder, ANewNavigationStartsAnEmptyPage) {
    Page p;
    p.doc().body()->setInnerHTML("<p id='x'>old</p>");
    p.view.navigate();
    EXPECT_EQ(p.view.document(), nullptr);  // not loaded yet
    ASSERT_TRUE(test::WaitForDocument(p.view));
    EXPECT_EQ(p.view.document()->getElementById("x"), nullptr);
}

TEST(ViewDriverTyping, TypingWithoutLeavingHoldsTheTextAndLeavingReportsOneChange) {
    Page p;
    p.doc().body()->setInnerHTML("<input id='TA' value='old'><input id='TB'>");
    p.forwarder.Attach(p.doc().getElementById("TA"), HtmlEventType::Change);
    ASSERT_TRUE(p.driver.typeWithoutLeaving("TA", "new text"));
    EXPECT_EQ(p.doc().getElementById("TA")->value(), "new text");
    EXPECT_TRUE(p.handler.ids.empty());
    ASSERT_TRUE(p.driver.leave("TA"));
    EXPECT_EQ(p.handler.ids, std::vector<std::string>{"TA"});

    // Focused and left again without a change of text: no change, as in a browser.
    ASSERT_TRUE(p.driver.focus("TA"));
    ASSERT_TRUE(p.driver.leave("TA"));
    // Typed back to the text it had when focused: no change either.
    ASSERT_TRUE(p.driver.typeWithoutLeaving("TA", "x"));
    ASSERT_TRUE(p.driver.typeWithoutLeaving("TA", "new text"));
    ASSERT_TRUE(p.driver.leave("TA"));
    EXPECT_EQ(p.handler.ids.size(), 1u);

    // Only a focused element can be left; unknown and disabled ones cannot be typed into.
    EXPECT_FALSE(p.driver.leave("TB"));
    EXPECT_FALSE(p.driver.leave("nope"));
    EXPECT_FALSE(p.driver.typeWithoutLeaving("nope", "x"));
    p.doc().getElementById("TB")->setDisabled(true);
    EXPECT_FALSE(p.driver.typeWithoutLeaving("TB", "x"));
    EXPECT_EQ(p.doc().getElementById("TB")->value(), "");
}

TEST(BindLoadedPage, BindsAFreshForwarderOnlyOnceThePageHasLoaded) {
    HtmlView view;
    Recorder handler;
    std::unique_ptr<EventForwarder> forwarder;
    view.navigate();
    EXPECT_EQ(BindLoadedPage(view, &handler, forwarder), nullptr);  // still loading
    EXPECT_EQ(forwarder, nullptr);

    ASSERT_TRUE(test::WaitForDocument(view));
    HtmlDocument* document = BindLoadedPage(view, &handler, forwarder);
    ASSERT_EQ(document, view.document());
    ASSERT_TRUE(forwarder && forwarder->IsBound());
    document->body()->setInnerHTML("<div id='AA-1'>x</div>");
    forwarder->Attach(document->getElementById("AA-1"), HtmlEventType::Click);
    test::ViewDriver(view).click("AA-1");
    EXPECT_EQ(handler.ids, std::vector<std::string>{"AA-1"});
}
