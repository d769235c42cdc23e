#include "RosterWriter.h"

namespace gr::admin {

bool WriteImportPlan(IDataService& data, const ImportPlan& plan, std::string& errorMessage) {
    for (const PlayerWrite& write : plan.writes) {
        const CatalogPlayer& p = write.after;
        int32_t id = p.id;
        ComPtr<IPlayerInfo> stored;
        std::string message;
        if (!data.UpdatePlayer(p.lastName, p.firstName, p.positionId, p.teamId, p.retired, id,
                               stored, message)) {
            errorMessage = "Line " + std::to_string(write.line) +
                           ": the player could not be stored" +
                           (message.empty() ? "." : ": " + message);
            return false;
        }
    }
    return true;
}

}  // namespace gr::admin
