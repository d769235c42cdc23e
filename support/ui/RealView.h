// The harness of every test and benchmark that drives a page in the real browser view (Qt
// WebEngine): waiting, running script in the page, reading the browser's DOM back, clicking,
// typing and choosing with real mouse and key events, and screenshots. Needs a display
// (xvfb-run); set the browser flags first (TestEnvironment.h).
#pragma once

#include <QPoint>
#include <QString>
#include <QVariant>
#include <functional>
#include <string>

#include "HtmlView.h"
#include "WebEngineBackend.h"

class QWidget;

namespace gr::ui::test {

// How long the browser may take for anything a test waits for.
inline constexpr int kBrowserTimeoutMs = 30000;

// Runs the event loop until done() holds or the time is up; whether it held.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = kBrowserTimeoutMs);
// The same for the test's own body (never inside a handler or a scripted dialog): windows
// unloaded with deleteLater are deleted as well, since no outer event loop runs to do it.
bool WaitUntilWithDeletions(const std::function<bool()>& done, int timeoutMs = kBrowserTimeoutMs);
// Runs the event loop for this long (time for late reports of the browser to arrive).
void Pause(int ms);

// The view's WebEngine back-end; none when the view runs headless.
WebEngineBackend* RealBackend(HtmlView& view);

// Runs script in the page after every change sent so far and waits for its result (invalid
// when the time is up or the view is headless).
QVariant RunScript(HtmlView& view, const QString& script, int timeoutMs = kBrowserTimeoutMs);
// A property of the element with this id as the browser has it, as text ("String(e.prop)").
std::string BrowserValue(HtmlView& view, const std::string& id, const char* property);

// The browser's structural snapshot of the body, in the form of HtmlDocument::snapshotJson.
std::string BrowserSnapshot(HtmlView& view);

// Waits until the browser's body matches the document model.
bool WaitForBrowserToMatchModel(HtmlView& view, int timeoutMs = kBrowserTimeoutMs);

// The centre of the element with this id, scrolled into view, in the coordinates of the
// widget that takes the view's input; false when the page has no such visible element.
bool ElementCentre(HtmlView& view, const std::string& id, QPoint& at);

// A real left click on the element (mouse press and release in the browser widget).
bool RealClick(HtmlView& view, const std::string& id);
// A real right click on the element.
bool RealRightClick(HtmlView& view, const std::string& id);
// A real click that focuses the element, then real key presses into it. The element keeps
// the focus: the page reports input as the keys arrive, but no change until it is left.
bool RealType(HtmlView& view, const std::string& id, const QString& text);
// Leaves the element that has the focus in the page with a real Tab key press: the browser
// reports its change (when the text changed) as it would for a user.
bool RealLeave(HtmlView& view);
// Chooses option `index` of the select list with this id as a user does with the keyboard:
// a real click focuses the list, Escape closes its popup, then Home and (from where the page
// leaves the list) Down or Up keys move to the option and the list is left with Tab. The page
// reports one change per step, and the model holds the option at the end.
bool RealChooseOption(HtmlView& view, const std::string& id, int index);

// Saves a picture of the window as <build>/screenshots/<name> once the browser's compositor
// has caught up; fails the test when it cannot.
void SaveScreenshot(QWidget& window, const QString& name);

}  // namespace gr::ui::test
