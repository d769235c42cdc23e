#include "RosterWriter.h"

#include <vector>

namespace gr::admin {

namespace {

bool StorePlayer(IDataService& data, const CatalogPlayer& p, int32_t& id, std::string& message) {
    ComPtr<IPlayerInfo> stored;
    id = p.id;
    return data.UpdatePlayer(p.lastName, p.firstName, p.positionId, p.teamId, p.retired, id, stored,
                             message);
}

// Undoes the writes that succeeded, newest first; false when any cannot be undone.
bool UndoWrites(IDataService& data, const std::vector<std::pair<PlayerWrite, int32_t>>& done,
                std::string& failures) {
    bool all = true;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        const auto& [write, newId] = *it;
        std::string message;
        int32_t id = 0;
        const bool undone = write.after.id == 0 ? data.Delete(TypePlayerOrTeam, newId, message)
                                                : StorePlayer(data, write.before, id, message);
        if (!undone) {
            all = false;
            failures +=
                "\n  line " + std::to_string(write.line) + (message.empty() ? "" : ": " + message);
        }
    }
    return all;
}

}  // namespace

bool WriteImportPlan(IDataService& data, const ImportPlan& plan, std::string& errorMessage) {
    std::vector<std::pair<PlayerWrite, int32_t>> done;
    done.reserve(plan.writes.size());
    for (const PlayerWrite& write : plan.writes) {
        std::string message;
        int32_t id = 0;
        if (StorePlayer(data, write.after, id, message)) {
            done.emplace_back(write, id);
            continue;
        }
        errorMessage = "Line " + std::to_string(write.line) + ": the player could not be stored" +
                       (message.empty() ? "." : ": " + message);
        std::string failures;
        if (UndoWrites(data, done, failures))
            errorMessage += "\nThe rows stored before it were undone; the catalogue is unchanged.";
        else
            errorMessage += "\nThese rows stored before it could not be undone:" + failures;
        return false;
    }
    return true;
}

}  // namespace gr::admin
