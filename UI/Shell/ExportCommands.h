// The commands a window offers to take its page out of the program: Print..., Save as PDF...
// and Save as CSV.... Each asks through GRUIUtils and tells the user when it fails; a
// cancelled dialog does nothing.
#pragma once

#include <QWidget>
#include <string>

#include "HtmlView.h"

namespace gr::ui {

// The print preview of the view's page; the user prints from it.
void PrintCommand(HtmlView& view, QWidget* parent);

// Asks where to save the view's page as PDF, offering proposedName in the user's documents
// folder, and saves it.
void SavePdfCommand(HtmlView& view, const std::string& proposedName);

// Asks where to save csvText (UTF-8, as written by the CSV writer), offering proposedName in
// the user's documents folder, and writes it whole or not at all.
void SaveCsvCommand(const std::string& csvText, const std::string& proposedName);

}  // namespace gr::ui
