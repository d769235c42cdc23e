// The buttons of a window whose page leaves the program: Print... (Ctrl+P), Save as PDF...
// (Ctrl+Shift+S) and Save as CSV.... They stay disabled until the page has finished loading,
// since an empty page would print as a blank sheet.
#pragma once

#include <QPushButton>

#include "HtmlView.h"

namespace gr::ui {

struct ExportButtons {
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdSavePdf = nullptr;
    QPushButton* cmdSaveCsv = nullptr;  // none for a page without figures
};

// Creates the buttons on window, named as above, with their shortcuts working anywhere in the
// window. The window connects their clicked signals to its commands.
ExportButtons MakeExportButtons(QWidget& window, HtmlView& view, bool withCsv);

}  // namespace gr::ui
