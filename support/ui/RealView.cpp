#include "RealView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWebEngineView>
#include <memory>

#include "GRStringUtils.h"

namespace gr::ui::test {

namespace {

QWidget* InputWidget(WebEngineBackend& backend) {
    QWebEngineView* view = backend.view();
    QWidget* proxy = view->focusProxy();
    return proxy ? proxy : view;
}

QString JsString(const std::string& text) {
    const QByteArray json =
        QJsonDocument(QJsonArray{QString::fromStdString(text)}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

bool Click(HtmlView& view, const std::string& id, Qt::MouseButton button) {
    WebEngineBackend* backend = RealBackend(view);
    QPoint at;
    if (!backend || !ElementCentre(view, id, at)) return false;
    QWidget* target = InputWidget(*backend);
    QTest::mouseMove(target, at);
    QTest::mouseClick(target, button, Qt::NoModifier, at);
    return true;
}

std::string FocusedId(HtmlView& view) {
    return RunScript(view,
                     QStringLiteral("document.activeElement ? document.activeElement.id : ''"))
        .toString()
        .toStdString();
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs, bool deletions) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (deletions) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    return RunUntil(done, timeoutMs, false);
}

bool WaitUntilWithDeletions(const std::function<bool()>& done, int timeoutMs) {
    return RunUntil(done, timeoutMs, true);
}

void Pause(int ms) {
    QElapsedTimer timer;
    timer.start();
    RunUntil([&] { return timer.elapsed() >= ms; }, ms + 1000, false);
}

WebEngineBackend* RealBackend(HtmlView& view) {
    return dynamic_cast<WebEngineBackend*>(view.backend());
}

QVariant RunScript(HtmlView& view, const QString& script, int timeoutMs) {
    WebEngineBackend* backend = RealBackend(view);
    if (!backend) return {};
    // The result may arrive after this call gave up; it must not write to a dead frame.
    auto result = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    backend->runScript(script, [result](const QVariant& v) {
        result->first = true;
        result->second = v;
    });
    if (!WaitUntil([&] { return result->first; }, timeoutMs)) return {};
    return result->second;
}

std::string BrowserValue(HtmlView& view, const std::string& id, const char* property) {
    return RunScript(view, QStringLiteral("String(document.getElementById(%1).%2)")
                               .arg(JsString(id), QLatin1String(property)))
        .toString()
        .toStdString();
}

std::string BrowserSnapshot(HtmlView& view) {
    return RunScript(view, QStringLiteral("window.__gr.snapshot()")).toString().toStdString();
}

bool WaitForBrowserToMatchModel(HtmlView& view, int timeoutMs) {
    return WaitUntil(
        [&] {
            HtmlDocument* doc = view.document();
            return doc && BrowserSnapshot(view) == doc->snapshotJson();
        },
        timeoutMs);
}

bool ElementCentre(HtmlView& view, const std::string& id, QPoint& at) {
    const QVariant v = RunScript(
        view, QStringLiteral("(function(){var e=document.getElementById(%1);if(!e)return null;"
                             "e.scrollIntoView({block:'center',inline:'center'});"
                             "var r=e.getBoundingClientRect();if(!r.width||!r.height)return null;"
                             "return [r.left+r.width/2,r.top+r.height/2];})()")
                  .arg(JsString(id)));
    const QVariantList point = v.toList();
    if (point.size() != 2) return false;
    at = QPoint(static_cast<int>(point[0].toDouble()), static_cast<int>(point[1].toDouble()));
    return true;
}

bool RealClick(HtmlView& view, const std::string& id) {
    return Click(view, id, Qt::LeftButton);
}

bool RealRightClick(HtmlView& view, const std::string& id) {
    return Click(view, id, Qt::RightButton);
}

bool RealType(HtmlView& view, const std::string& id, const QString& text) {
    if (!RealClick(view, id)) return false;
    if (!WaitUntil([&] { return FocusedId(view) == id; })) return false;
    QTest::keyClicks(InputWidget(*RealBackend(view)), text);
    return true;
}

bool RealLeave(HtmlView& view) {
    WebEngineBackend* backend = RealBackend(view);
    if (!backend) return false;
    const std::string before = FocusedId(view);
    QTest::keyClick(InputWidget(*backend), Qt::Key_Tab);
    return WaitUntil([&] { return FocusedId(view) != before; });
}

bool RealChooseOption(HtmlView& view, const std::string& id, int index) {
    WebEngineBackend* backend = RealBackend(view);
    if (!backend || index < 0) return false;
    const QVariant count = RunScript(
        view, QStringLiteral("(function(){var e=document.getElementById(%1);"
                             "return e && e.tagName==='SELECT' && !e.disabled ? e.length : -1;})()")
                  .arg(JsString(id)));
    if (index >= count.toInt()) return false;
    if (!RealClick(view, id)) return false;
    if (!WaitUntil([&] { return FocusedId(view) == id; })) return false;
    QWidget* input = InputWidget(*backend);
    // The click opened the list's popup; Escape closes it and leaves the list focused.
    Pause(150);
    QTest::keyClick(input, Qt::Key_Escape);
    QTest::keyClick(input, Qt::Key_Home);
    // A page may refuse the first option and put its list back: the keys go on from where the
    // list stands once the page has answered.
    const ElementPtr list = view.document()->getElementById(id);
    int at = 0;
    if (!WaitUntil([&] {
            return (at = list->selectedIndex()) ==
                   LeadingNumber(BrowserValue(view, id, "selectedIndex"));
        }))
        return false;
    for (; at != index; at += at < index ? 1 : -1)
        QTest::keyClick(input, at < index ? Qt::Key_Down : Qt::Key_Up);
    return WaitUntil(
        [&] { return BrowserValue(view, id, "selectedIndex") == std::to_string(index); });
}

void SaveScreenshot(QWidget& window, const QString& name) {
    const QString folder = QStringLiteral(GRIDORA_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    Pause(400);  // the browser's compositor catches up before the picture is taken
    const QPixmap picture = window.screen()->grabWindow(window.winId());
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(folder + QLatin1Char('/') + name)) << name.toStdString();
}

}  // namespace gr::ui::test
