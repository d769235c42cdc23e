// What the shell tests share: a folder of fresh copies of the generated databases that the
// services use through the folder override, and the real services created by class name.
#pragma once

#include <QString>
#include <string>

#include "ISetupService.h"
#include "TempFolder.h"

class QAction;
class QWidget;

namespace gr::ui::test {

class ShellDatabases {
  public:
    // Copies every generated database into a temporary folder and points the services there.
    ShellDatabases();
    ~ShellDatabases();
    ShellDatabases(const ShellDatabases&) = delete;
    ShellDatabases& operator=(const ShellDatabases&) = delete;

    std::string Folder() const { return m_dir.Path().string(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    void Remove(const std::string& name) const;
    // Chooses the league database the next start-up opens, through the setup service.
    void UseType(DBTypeEnum type) const;
    // The current season's year as a separate setup service sees it (the files are held
    // exclusively, so this runs before the window under test opens them).
    int32_t CurrentSeasonYear() const;

  private:
    gr::test::TempFolder m_dir;
};

// The setup service created by class name and initialised; fails the test when it cannot be.
ComPtr<ISetupService> InitializedSetupService();

QAction* FindAction(QWidget& window, const char* name);

// Ranks the current season's managers and locks the ranking; the season's year.
int32_t LockRanking(const ComPtr<IDataService>& data);

}  // namespace gr::ui::test
