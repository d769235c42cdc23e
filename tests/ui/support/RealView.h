// Helpers for driving a page in the real browser view (Qt WebEngine), as the end-to-end tests
// and the benchmarks do: waiting, running script in the page, reading the browser's DOM back,
// and clicking and typing with real mouse and key events.
#pragma once

#include <QPoint>
#include <QString>
#include <QVariant>
#include <functional>
#include <string>

#include "HtmlView.h"
#include "WebEngineBackend.h"

namespace gr::ui::test {

// Runs the event loop until done() holds or the time is up; whether it held.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 15000);

// The view's WebEngine back-end; none when the view runs headless.
WebEngineBackend* RealBackend(HtmlView& view);

// Runs script in the page after every change sent so far and waits for its result (invalid
// when the time is up or the view is headless).
QVariant RunScript(HtmlView& view, const QString& script, int timeoutMs = 15000);

// The browser's structural snapshot of the body, in the form of HtmlDocument::snapshotJson.
std::string BrowserSnapshot(HtmlView& view);

// Waits until the browser's body matches the document model.
bool WaitForBrowserToMatchModel(HtmlView& view, int timeoutMs = 15000);

// The centre of the element with this id, scrolled into view, in the coordinates of the
// widget that takes the view's input; false when the page has no such visible element.
bool ElementCentre(HtmlView& view, const std::string& id, QPoint& at);

// A real left click on the element (mouse press and release in the browser widget).
bool RealClick(HtmlView& view, const std::string& id);
// A real right click on the element.
bool RealRightClick(HtmlView& view, const std::string& id);
// Real key presses into the element, after a real click has focused it.
bool RealType(HtmlView& view, const std::string& id, const QString& text);

}  // namespace gr::ui::test
