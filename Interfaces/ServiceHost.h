// What the host process lends the service libraries: where engine errors are shown,
// today's date, and optionally a database folder of its own choosing.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace gr::host {

// Receives the service's error reports (title "Gridora Service", fixed message, a line
// break and the engine's description). Without a reporter they go to standard error.
using ErrorReporter = std::function<void(const std::string& title, const std::string& text)>;
void SetErrorReporter(ErrorReporter reporter);
void ReportError(const std::string& title, const std::string& text);

// Today's date; tests install a clock of their own to cross midnight.
using TodayProvider = std::function<std::chrono::year_month_day()>;
void SetTodayProvider(TodayProvider provider);  // empty restores the system clock
std::chrono::year_month_day Today();

// When set, the services use this folder for every database file instead of the folder
// beside their libraries. The program leaves it empty.
void SetDatabaseFolderOverride(const std::string& folder);
std::string DatabaseFolderOverride();

}  // namespace gr::host
