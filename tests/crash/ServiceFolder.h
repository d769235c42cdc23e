// A database folder of fresh copies of the generated files that the services created by
// class name use through the folder override, with today's date fixed and the services'
// error reports captured instead of shown.
#pragma once

#include <string>
#include <vector>

#include "ComPtr.h"
#include "ISetupService.h"
#include "TempFolder.h"

namespace gr::test {

class ServiceFolder {
  public:
    // Live is the generated live league; the test league, the blank one and the setup
    // file are there too.
    ServiceFolder();
    ~ServiceFolder();
    ServiceFolder(const ServiceFolder&) = delete;
    ServiceFolder& operator=(const ServiceFolder&) = delete;

    std::string File(const std::string& name) const { return m_folder.File(name); }
    std::string LivePath() const { return File("Gridora - Live.mdb"); }
    std::string SetupPath() const { return File("Gridora - Setup.mdb"); }
    const std::filesystem::path& Path() const { return m_folder.Path(); }

    // A new setup service by class name; Initialize's answer in initialized and message.
    ComPtr<ISetupService> StartSetup(bool& initialized, std::string& message) const;
    // The error reports the services made ("title|text"), taken out.
    std::vector<std::string> TakeReports();

  private:
    TempFolder m_folder;
    std::vector<std::string> m_reports;
};

}  // namespace gr::test
