// A database folder of fresh copies of the generated files, used through the folder
// override, and setup services on the real data service (or, for the one failure the real
// one cannot show, on a stand-in).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "FakeDataService.h"
#include "SetupService.h"
#include "TempFolder.h"

namespace gr::test {

class SetupFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A setup service whose every data service is a new FakeDataService, kept in fakes.
    ComPtr<SetupService> MakeService();
    ComPtr<SetupService> InitializedService();
    // A setup service that makes the real data service by its class name, initialised.
    ComPtr<SetupService> RealService();
    // True while a connection (the data service's) holds the file exclusively.
    static bool IsHeld(const std::string& path);
    FakeDataService& LastFake() { return *fakes.back(); }
    SetupInfo& InfoOf(const ComPtr<SetupService>& service);

    // Writes one column of the setup row (with the setup file closed).
    void SetSetupColumn(const std::string& column, const std::string& value);
    std::string SetupColumn(const std::string& column);
    void SetToday(int year, unsigned month, unsigned day);
    std::string BackupPath(const std::string& date, const std::string& counter) const;
    // Files of the folder whose names start with the prefix.
    std::vector<std::string> FilesStartingWith(const std::string& prefix) const;
    int32_t SeasonCount(const std::string& path);

    TempFolder dir;
    std::string livePath;
    std::string testPath;
    std::string setupPath;
    std::vector<ComPtr<FakeDataService>> fakes;
};

}  // namespace gr::test
