// The page a browser view shows, on paper and as PDF: what the screen shows (with every change
// made so far), paginated on the paper of the user's locale, with its colours; the browser
// repeats a table's head (thead) on every page. Only the browser view prints; a headless view
// (tests) cannot.
#pragma once

#include <QLocale>
#include <QPageLayout>
#include <functional>
#include <string>

#include "HtmlView.h"

class QWidget;

namespace gr::ui {

// Letter in the countries where it is the usual paper (the United States, Canada, Mexico,
// the Philippines and a few more of the Americas), A4 everywhere else.
QPageSize::PageSizeId LocalePaperSize(const QLocale& locale);
// Portrait on the locale's paper with margins of 10 mm.
QPageLayout LocalePageLayout(const QLocale& locale = QLocale());

// The outcome of a PDF save: errMessage says why the file was not written.
using PdfSaved = std::function<void(bool saved, const std::string& errMessage)>;

// Writes the view's page to a PDF file at path, replacing it whole or leaving it untouched.
// The browser prints in the background; done runs once it has finished, or at once when the
// view cannot print. A view that goes away first may never answer, or answer with a failure:
// done must not hold on to what dies with the view.
void SavePageAsPdf(HtmlView& view, const std::string& path, const PdfSaved& done);

// Shows the print preview of the view's page (modal, through ShowModal); the user prints from
// it to the printer of their choice. False when the view cannot print.
bool PrintPage(HtmlView& view, QWidget* parent = nullptr);

}  // namespace gr::ui
