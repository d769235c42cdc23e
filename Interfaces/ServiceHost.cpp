#include "ServiceHost.h"

#include <ctime>
#include <iostream>
#include <utility>

namespace gr::host {

namespace {
ErrorReporter& Reporter() {
    static ErrorReporter reporter;
    return reporter;
}
TodayProvider& TodaySource() {
    static TodayProvider provider;
    return provider;
}
std::string& FolderOverride() {
    static std::string folder;
    return folder;
}
}  // namespace

void SetErrorReporter(ErrorReporter reporter) {
    Reporter() = std::move(reporter);
}

void ReportError(const std::string& title, const std::string& text) {
    if (Reporter()) {
        Reporter()(title, text);
        return;
    }
    std::cerr << title << ": " << text << std::endl;
}

void SetTodayProvider(TodayProvider provider) {
    TodaySource() = std::move(provider);
}

std::chrono::year_month_day Today() {
    if (TodaySource()) return TodaySource()();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

void SetDatabaseFolderOverride(const std::string& folder) {
    FolderOverride() = folder;
}
std::string DatabaseFolderOverride() {
    return FolderOverride();
}

}  // namespace gr::host
