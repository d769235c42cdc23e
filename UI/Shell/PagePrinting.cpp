#include "PagePrinting.h"

#include <QEventLoop>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <array>

#include "GRUIUtils.h"
#include "WebEngineBackend.h"

namespace gr::ui {

namespace {

constexpr const char* kCannotPrint = "The page cannot be printed before it has been shown.";
constexpr const char* kPrintFailed = "The page could not be printed.";
// How long a browser that stopped answering is waited for.
constexpr int kScriptTimeoutMs = 10000;
constexpr int kPrintTimeoutMs = 120000;

// Run after every change sent so far, its answer means the browser shows what the model holds.
const QString kCatchUpScript = QStringLiteral("true");

WebEngineBackend* PrintableBackend(HtmlView& view) {
    auto* backend = dynamic_cast<WebEngineBackend*>(view.backend());
    if (!backend || !backend->view() || !view.isLoaded()) return nullptr;
    // The page's colours are part of what it says (highlighted rows, stripes).
    backend->view()->settings()->setAttribute(QWebEngineSettings::PrintElementBackgrounds, true);
    return backend;
}

bool WritePdf(const QString& path, const QByteArray& pdf, std::string& errMessage) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size() && file.commit())
        return true;
    errMessage = "Cannot write " + path.toStdString() + ": " + file.errorString().toStdString();
    return false;
}

// The preview paints on its printer at once, while the browser prints in the background:
// wait here until the browser has finished.
void PrintAndWait(const QPointer<QWebEngineView>& web, QPrinter* printer) {
    if (!web) return;
    QEventLoop loop;
    QObject::connect(web, &QWebEngineView::printFinished, &loop, [&loop](bool) { loop.quit(); });
    QObject::connect(web, &QObject::destroyed, &loop, [&loop] { loop.quit(); });
    QTimer::singleShot(kPrintTimeoutMs, &loop, &QEventLoop::quit);
    web->print(printer);
    loop.exec();
}

void WaitForPageToCatchUp(WebEngineBackend& backend) {
    QEventLoop loop;
    bool done = false;
    QPointer<QEventLoop> guard(&loop);
    backend.runScript(kCatchUpScript, [&done, guard](const QVariant&) {
        if (!guard) return;
        done = true;
        guard->quit();
    });
    QTimer::singleShot(kScriptTimeoutMs, &loop, &QEventLoop::quit);
    if (!done) loop.exec();
}

}  // namespace

QPageSize::PageSizeId LocalePaperSize(const QLocale& locale) {
    static constexpr std::array kLetterCountries = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,    QLocale::Philippines,
        QLocale::Chile,        QLocale::Colombia,  QLocale::Venezuela, QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::PuertoRico};
    const bool letter = std::find(kLetterCountries.begin(), kLetterCountries.end(),
                                  locale.territory()) != kLetterCountries.end();
    return letter ? QPageSize::Letter : QPageSize::A4;
}

QPageLayout LocalePageLayout(const QLocale& locale) {
    return QPageLayout(QPageSize(LocalePaperSize(locale)), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void SavePageAsPdf(HtmlView& view, const std::string& path, const PdfSaved& done) {
    WebEngineBackend* backend = PrintableBackend(view);
    if (!backend) {
        done(false, kCannotPrint);
        return;
    }
    QPointer<QWebEngineView> web = backend->view();
    const QString file = QString::fromStdString(path);
    const QPageLayout layout = LocalePageLayout();
    // The script runs only while the view is there.
    backend->runScript(kCatchUpScript, [web, file, layout, done](const QVariant&) {
        web->printToPdf(
            [file, done](const QByteArray& pdf) {
                std::string errMessage = kPrintFailed;
                const bool saved = !pdf.isEmpty() && WritePdf(file, pdf, errMessage);
                done(saved, saved ? std::string() : errMessage);
            },
            layout);
    });
}

bool PrintPage(HtmlView& view, QWidget* parent) {
    WebEngineBackend* backend = PrintableBackend(view);
    if (!backend) return false;
    WaitForPageToCatchUp(*backend);
    QPointer<QWebEngineView> web = backend->view();
    QPrinter printer(QPrinter::HighResolution);
    // Sharp on paper; the browser hands pages over as pictures, and finer ones take long.
    printer.setResolution(300);
    printer.setPageLayout(LocalePageLayout());
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [web](QPrinter* target) { PrintAndWait(web, target); });
    ShowModal(preview);
    return true;
}

}  // namespace gr::ui
