#include "PublishSite.h"

#include <QDir>

#include "GRUIUtils.h"
#include "LeagueSite.h"
#include "SiteTitle.h"

namespace gr::ui {

namespace {

constexpr const char* kTitle = "Gridora";

bool MayUseForeignFolder(const std::string& folder) {
    return MsgBox(folder +
                      " already holds other files. Publish the league site into it anyway? "
                      "The other files are left as they are.",
                  MsgButtons::YesNo, kTitle) == MsgAnswer::Yes;
}

}  // namespace

bool PublishLeagueSite(const ComPtr<IDataService>& dataService) {
    if (!dataService) return false;
    const std::string folder = FolderDialog("Publish League Site", QDir::homePath().toStdString());
    if (folder.empty()) return false;
    const site::GRLeagueSite league =
        site::GRLeagueSite::Read(dataService, site::SiteTitle(dataService, std::string()));
    site::PublishOutcome outcome = league.Publish(folder, false);
    if (!outcome.published && outcome.error.empty()) {
        if (!MayUseForeignFolder(folder)) return false;
        outcome = league.Publish(folder, true);
    }
    if (!outcome.published) {
        MsgBox(outcome.error, MsgButtons::OK, kTitle);
        return false;
    }
    if (MsgBoxWithButton(site::PublishedMessage(league.PageCount(), folder), "Open Folder",
                         kTitle) == MsgAnswer::Extra)
        OpenFolder(folder);
    return true;
}

}  // namespace gr::ui
