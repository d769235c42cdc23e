#include "ExportCommands.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include "GRUIUtils.h"
#include "PagePrinting.h"

namespace gr::ui {

namespace {

std::string ProposedPath(const std::string& name) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(QString::fromStdString(name)).toStdString();
}

void ShowFailure(const std::string& what, const std::string& why) {
    MsgBox(what + "\r\n" + why, MsgButtons::OK, "Gridora");
}

}  // namespace

void PrintCommand(HtmlView& view, QWidget* parent) {
    if (!PrintPage(view, parent))
        ShowFailure("The page could not be printed.", "It has not been shown yet.");
}

void SavePdfCommand(HtmlView& view, const std::string& proposedName) {
    const std::string path =
        SaveFileDialog("Save as PDF", "PDF (*.pdf) | *.pdf", ProposedPath(proposedName));
    if (path.empty()) return;
    SavePageAsPdf(view, path, [path](bool saved, const std::string& errMessage) {
        if (!saved) ShowFailure("The PDF file " + path + " could not be saved.", errMessage);
    });
}

void SaveCsvCommand(const std::string& csvText, const std::string& proposedName) {
    const std::string path =
        SaveFileDialog("Save as CSV", "CSV (*.csv) | *.csv", ProposedPath(proposedName));
    if (path.empty()) return;
    QSaveFile file(QString::fromStdString(path));
    const auto size = static_cast<qint64>(csvText.size());
    if (file.open(QIODevice::WriteOnly) && file.write(csvText.data(), size) == size &&
        file.commit())
        return;
    ShowFailure("The CSV file " + path + " could not be saved.", file.errorString().toStdString());
}

}  // namespace gr::ui
