// The league a data service benchmark runs on: a blank league in a temporary folder, filled by
// Builder (a class with a constructor taking the open database and a Build()), as the live
// file that the services find for the whole run. Engine errors end the run instead of being
// shown.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "DataService.h"
#include "GRServiceUtils.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"
#include "TempFolder.h"

namespace gr::bench {

template <class Builder>
class BenchLeague {
  public:
    BenchLeague() {
        std::filesystem::rename(m_folder.CopyGenerated("Gridora - Blank.mdb"), LivePath());
        {
            gr::db::Database league(LivePath(), gr::GetDatabaseKey());
            Builder(league).Build();
        }
        gr::host::SetDatabaseFolderOverride(m_folder.Path().string());
        gr::host::SetErrorReporter(
            [](const std::string&, const std::string& text) { throw std::runtime_error(text); });
    }
    ~BenchLeague() {
        gr::host::SetErrorReporter({});
        gr::host::SetDatabaseFolderOverride("");
    }
    BenchLeague(const BenchLeague&) = delete;
    BenchLeague& operator=(const BenchLeague&) = delete;

    std::string LivePath() const { return m_folder.File("Gridora - Live.mdb"); }
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

    // A data service initialised on the live league.
    static gr::ComPtr<gr::IDataService> StartService() {
        auto service = gr::MakeCom<gr::data::DataService>();
        std::string message;
        if (!service->Initialize(gr::DBLive, message)) throw std::runtime_error(message);
        return service;
    }

  private:
    gr::test::TempFolder m_folder;
};

}  // namespace gr::bench
