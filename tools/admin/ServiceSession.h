// The setup service and its data service, created by class name as the program does.
#pragma once

#include <string>

#include "ISetupService.h"

namespace gr::admin {

class ServiceSession {
  public:
    // Points the services at databaseFolder (when not empty), creates
    // "GRSetupSrvc.SetupService" and initialises it. False with a message on failure; the
    // setup service may still be held then (its setup information loads before the data
    // service is made), which lets `use` choose another type and `restore` replace a
    // damaged live file.
    bool Open(const std::string& databaseFolder, std::string& errorMessage);

    const ComPtr<ISetupService>& Setup() const { return m_setup; }
    const ComPtr<IDataService>& Data() const { return m_data; }

  private:
    ComPtr<ISetupService> m_setup;
    ComPtr<IDataService> m_data;
};

}  // namespace gr::admin
