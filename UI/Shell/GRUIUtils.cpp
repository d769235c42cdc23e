#include "GRUIUtils.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <memory>

#include "ModalScope.h"
#include "ServiceHost.h"

namespace gr::ui {

namespace {

QString QtFilter(const std::string& filter) {
    // "Name (*.ext) | *.ext | Other (*.x) | *.x": the names already carry their patterns.
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2) names << parts[i].trimmed();
    return names.join(QStringLiteral(";;"));
}

class QtInteraction final : public IUserInteraction {
  public:
    MsgAnswer showMessage(const MessageBoxRequest& request) override {
        QMessageBox box;
        box.setWindowTitle(QString::fromStdString(request.title));
        // Messages carry names the user typed; "<img ...>" in one is text, not markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(QString::fromStdString(request.text).replace(QStringLiteral("\r\n"), "\n"));
        switch (request.buttons) {
            case MsgButtons::OK:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case MsgButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case MsgButtons::YesNoCancel:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
        }
        box.setDefaultButton(ToButton(request.defaultAnswer));
        QPushButton* extra = request.extraButton.empty()
                                 ? nullptr
                                 : box.addButton(QString::fromStdString(request.extraButton),
                                                 QMessageBox::ActionRole);
        const int chosen = box.exec();
        if (extra && box.clickedButton() == extra) return MsgAnswer::Extra;
        switch (chosen) {
            case QMessageBox::Yes:
                return MsgAnswer::Yes;
            case QMessageBox::No:
                return MsgAnswer::No;
            case QMessageBox::Cancel:
                return MsgAnswer::Cancel;
            default:
                return request.buttons == MsgButtons::OK ? MsgAnswer::OK : request.defaultAnswer;
        }
    }
    int runModal(QDialog& dialog) override { return dialog.exec(); }
    std::string openFileName(const std::string& title, const std::string& filter,
                             const std::string& startFolder) override {
        return QFileDialog::getOpenFileName(nullptr, QString::fromStdString(title),
                                            QString::fromStdString(startFolder), QtFilter(filter))
            .toStdString();
    }
    std::string saveFileName(const std::string& title, const std::string& filter,
                             const std::string& proposedPath) override {
        return QFileDialog::getSaveFileName(nullptr, QString::fromStdString(title),
                                            QString::fromStdString(proposedPath), QtFilter(filter))
            .toStdString();
    }
    std::string folderName(const std::string& title, const std::string& startFolder) override {
        return QFileDialog::getExistingDirectory(nullptr, QString::fromStdString(title),
                                                 QString::fromStdString(startFolder))
            .toStdString();
    }

  private:
    static QMessageBox::StandardButton ToButton(MsgAnswer answer) {
        switch (answer) {
            case MsgAnswer::Yes:
                return QMessageBox::Yes;
            case MsgAnswer::No:
                return QMessageBox::No;
            case MsgAnswer::Cancel:
                return QMessageBox::Cancel;
            case MsgAnswer::OK:
            case MsgAnswer::Extra:
                break;
        }
        return QMessageBox::Ok;
    }
};

std::shared_ptr<IUserInteraction>& Interaction() {
    static std::shared_ptr<IUserInteraction> interaction;
    return interaction;
}

IUserInteraction& Current() {
    static QtInteraction qt;
    return Interaction() ? *Interaction() : qt;
}

std::function<uint32_t()>& SeedSource() {
    static std::function<uint32_t()> source;
    return source;
}

}  // namespace

void IUserInteraction::openFolder(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void SetUserInteraction(std::shared_ptr<IUserInteraction> interaction) {
    Interaction() = std::move(interaction);
}

MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title) {
    const MsgAnswer defaultAnswer = buttons == MsgButtons::YesNo         ? MsgAnswer::No
                                    : buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel
                                                                         : MsgAnswer::OK;
    return MsgBox(text, buttons, title, defaultAnswer);
}

MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title,
                 MsgAnswer defaultAnswer) {
    const MessageBoxRequest request{text, title, buttons, defaultAnswer, {}};
    const ModalScope modal;
    return Current().showMessage(request);
}

MsgAnswer MsgBoxWithButton(const std::string& text, const std::string& extraButton,
                           const std::string& title) {
    const MessageBoxRequest request{text, title, MsgButtons::OK, MsgAnswer::OK, extraButton};
    const ModalScope modal;
    return Current().showMessage(request);
}

int ShowModal(QDialog& dialog) {
    const ModalScope modal(&dialog);
    return Current().runModal(dialog);
}

std::string OpenFileDialog(const std::string& title, const std::string& filter,
                           const std::string& startFolder) {
    const ModalScope modal;
    return Current().openFileName(title, filter, startFolder);
}

std::string SaveFileDialog(const std::string& title, const std::string& filter,
                           const std::string& proposedPath) {
    return Current().saveFileName(title, filter, proposedPath);
}

std::string FolderDialog(const std::string& title, const std::string& startFolder) {
    const ModalScope modal;
    return Current().folderName(title, startFolder);
}

void OpenFolder(const std::string& path) {
    Current().openFolder(path);
}

std::chrono::year_month_day Today() {
    return gr::host::Today();
}

uint32_t RandomSeed() {
    if (SeedSource()) return SeedSource()();
    return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() &
                                 0xFFFFFFFFu);
}

void SetRandomSeedSource(std::function<uint32_t()> source) {
    SeedSource() = std::move(source);
}

void SelectAllText(QLineEdit* box) {
    if (box && !box->text().isEmpty()) box->setSelection(0, static_cast<int>(box->text().size()));
}

}  // namespace gr::ui
