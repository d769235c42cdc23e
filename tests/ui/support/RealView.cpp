#include "RealView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTest>
#include <QWebEngineView>
#include <memory>

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

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
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
    const QString focused = QStringLiteral("document.activeElement && document.activeElement.id");
    if (!WaitUntil([&] { return RunScript(view, focused).toString().toStdString() == id; }))
        return false;
    QTest::keyClicks(InputWidget(*RealBackend(view)), text);
    return true;
}

}  // namespace gr::ui::test
