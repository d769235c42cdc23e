// Catalogue editing: players, positions, managers and prizes. Every refusal and every
// engine error comes back in ErrorMessage for the editor to show; nothing is written and
// no cached object changes unless the row was stored.
#include <sqlite3.h>

#include <exception>
#include <string>
#include <utility>

#include "DataKeys.h"
#include "DataService.h"
#include "SqlDatabase.h"

namespace gr::data {

namespace {

constexpr const char* kRecordNotFound = "Record not found.";
constexpr const char* kRelatedRecords =
    "The record cannot be deleted because it is included in other related records.";
constexpr const char* kDeleteFailed = "Error in deleting record.";

// A name as the user meant it: blanks, tabs and line breaks around it do not count.
std::string Trimmed(const std::string& text) {
    constexpr const char* kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool Refuse(std::string& errorMessage, const char* why) {
    errorMessage = why;
    return false;
}

// Runs body(); an engine error becomes fixedMessage, a line break and its description.
template <class Body>
bool Guarded(const char* fixedMessage, std::string& errorMessage, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        errorMessage = std::string(fixedMessage) + "\n" + e.what();
    }
    return false;
}

}  // namespace

bool DataService::UpdatePlayer(const std::string& LastName, const std::string& FirstName,
                               int32_t Position, int32_t Team, bool IsRetired, int32_t& ID,
                               ComPtr<IPlayerInfo>& oNewPlayer, std::string& ErrorMessage) {
    std::string first = Trimmed(FirstName);
    std::string last = Trimmed(LastName);
    if (first.empty()) return Refuse(ErrorMessage, "First name is required.");
    if (last.empty()) return Refuse(ErrorMessage, "Last name is required.");
    if (Position == 0) return Refuse(ErrorMessage, "Player position is required.");
    if (Team == 0) return Refuse(ErrorMessage, "Player team is required.");
    return Guarded("Error in saving player info.", ErrorMessage, [&] {
        // A link to nothing would leave the player without the position or team the user chose.
        auto position = Positions().ItemAs<IPositionInfo>(RecordKey(Position));
        if (!position) return Refuse(ErrorMessage, "The player's position does not exist.");
        auto team = Teams().ItemAs<ITeamInfo>(RecordKey(Team));
        if (!team) return Refuse(ErrorMessage, "The player's team does not exist.");
        ComPtr<PlayerInfo> player;
        if (ID != 0 && !(player = FindPlayer(ID))) return Refuse(ErrorMessage, kRecordNotFound);

        db::Database& db = Db();
        const int32_t id = player ? ID : db.NextId("player info");
        db::Statement& write =
            player ? db.Cached(
                         "update [player info] set [last name] = ?2, [first name] = ?3, "
                         "[is retired] = ?4, [position id] = ?5, [team id] = ?6 "
                         "where [id] = ?1")
                   : db.Cached(
                         "insert into [player info] ([id], [last name], [first name], "
                         "[is retired], [position id], [team id]) "
                         "values (?1, ?2, ?3, ?4, ?5, ?6)");
        write.Bind(1, id).Bind(2, last).Bind(3, first).Bind(4, IsRetired);
        write.Bind(5, Position).Bind(6, Team);
        write.Run();

        if (!player) {
            player = MakeCom<PlayerInfo>();
            player->SetID(id);
            Ensure(m_players).Add(player, RecordKey(id));
        }
        player->SetLastName(std::move(last));
        player->SetFirstName(std::move(first));
        player->SetRetired(IsRetired);
        player->SetPosition(position);
        player->SetTeam(team);
        ID = id;
        oNewPlayer = player;
        return true;
    });
}

bool DataService::UpdatePosition(const std::string& Desc, const std::string& Abbr, int32_t& ID,
                                 ComPtr<IPositionInfo>& oNewPosition, std::string& ErrorMessage) {
    std::string desc = Trimmed(Desc);
    std::string abbr = Trimmed(Abbr);
    if (desc.empty()) return Refuse(ErrorMessage, "Description is required.");
    if (abbr.empty()) return Refuse(ErrorMessage, "Abbreviation is required.");
    return Guarded("Error in saving position info.", ErrorMessage, [&] {
        Collection& positions = Positions();
        ComPtr<PositionInfo> position;
        if (ID != 0 &&
            !(position = Concrete<PositionInfo>(positions.ItemAs<IPositionInfo>(RecordKey(ID)))))
            return Refuse(ErrorMessage, kRecordNotFound);

        db::Database& db = Db();
        const int32_t id = position ? ID : db.NextId("position info");
        db::Statement& write =
            position
                ? db.Cached("update [position info] set [desc] = ?2, [abbr] = ?3 where [id] = ?1")
                : db.Cached(
                      "insert into [position info] ([id], [desc], [abbr]) values (?1, ?2, ?3)");
        write.Bind(1, id).Bind(2, desc).Bind(3, abbr);
        write.Run();

        if (!position) {
            position = MakeCom<PositionInfo>();
            position->SetID(id);
            positions.Add(position, RecordKey(id));
        }
        position->SetDesc(std::move(desc));
        position->SetAbbr(std::move(abbr));
        ID = id;
        oNewPosition = position;
        return true;
    });
}

bool DataService::UpdateManager(const std::string& LastName, const std::string& FirstName,
                                int32_t& ID, ComPtr<IManagerTmplInfo>& oNewManagerTmpl,
                                std::string& ErrorMessage) {
    std::string first = Trimmed(FirstName);
    std::string last = Trimmed(LastName);
    if (first.empty()) return Refuse(ErrorMessage, "First name is required.");
    if (last.empty()) return Refuse(ErrorMessage, "Last name is required.");
    return Guarded("Error in saving manager info.", ErrorMessage, [&] {
        ComPtr<ManagerTmplInfo> manager;
        if (ID != 0 && !(manager = FindManagerTmpl(ID)))
            return Refuse(ErrorMessage, kRecordNotFound);

        db::Database& db = Db();
        const int32_t id = manager ? ID : db.NextId("manager info");
        db::Statement& write =
            manager ? db.Cached(
                          "update [manager info] set [last name] = ?2, [first name] = ?3 "
                          "where [id] = ?1")
                    : db.Cached(
                          "insert into [manager info] ([id], [last name], [first name]) "
                          "values (?1, ?2, ?3)");
        write.Bind(1, id).Bind(2, last).Bind(3, first);
        write.Run();

        if (!manager) {
            manager = MakeCom<ManagerTmplInfo>();
            manager->SetID(id);
            Ensure(m_managerTmpls).Add(manager, RecordKey(id));
        }
        manager->SetLastName(std::move(last));
        manager->SetFirstName(std::move(first));
        ID = id;
        oNewManagerTmpl = manager;
        return true;
    });
}

bool DataService::UpdatePrize(const std::string& Name, int32_t PrizeTypeID, int32_t& ID,
                              ComPtr<IPrizeTmplInfo>& oNewPrize, std::string& ErrorMessage) {
    std::string desc = Trimmed(Name);
    if (desc.empty()) return Refuse(ErrorMessage, "Description is required.");
    if (PrizeTypeID == 0) return Refuse(ErrorMessage, "Type of prize is required.");
    return Guarded("Error in saving prize info.", ErrorMessage, [&] {
        Collection& prizes = PrizeTmpls();
        auto type = PrizeTypes().ItemAs<IPrizeTypeInfo>(RecordKey(PrizeTypeID));
        if (!type) return Refuse(ErrorMessage, "The type of prize does not exist.");
        ComPtr<PrizeTmplInfo> prize;
        if (ID != 0 &&
            !(prize = Concrete<PrizeTmplInfo>(prizes.ItemAs<IPrizeTmplInfo>(RecordKey(ID)))))
            return Refuse(ErrorMessage, kRecordNotFound);

        db::Database& db = Db();
        const int32_t id = prize ? ID : db.NextId("prize info");
        db::Statement& write =
            prize ? db.Cached("update [prize info] set [desc] = ?2, [type id] = ?3 where [id] = ?1")
                  : db.Cached(
                        "insert into [prize info] ([id], [desc], [type id]) values (?1, ?2, ?3)");
        write.Bind(1, id).Bind(2, desc).Bind(3, PrizeTypeID);
        write.Run();

        if (!prize) {
            prize = MakeCom<PrizeTmplInfo>();
            prize->SetID(id);
            prizes.Add(prize, RecordKey(id));
        }
        prize->SetDesc(std::move(desc));
        prize->SetPrizeType(type);
        ID = id;
        oNewPrize = prize;
        return true;
    });
}

bool DataService::Delete(InfoTypeEnum DeleteType, int32_t ID, std::string& ErrorMessage) {
    if (ID == 0) return Refuse(ErrorMessage, "ID is required.");
    // Teams are not offered: they are fixed by the league.
    const char* find = nullptr;
    const char* remove = nullptr;
    ComPtr<Collection>* cache = nullptr;
    switch (DeleteType) {
        case TypePlayerOrTeam:
            find = "select [id] from [player info] where [id] = ?1";
            remove = "delete from [player info] where [id] = ?1";
            cache = &m_players;
            break;
        case TypeManager:
            find = "select [id] from [manager info] where [id] = ?1";
            remove = "delete from [manager info] where [id] = ?1";
            cache = &m_managerTmpls;
            break;
        case TypePrize:
            find = "select [id] from [prize info] where [id] = ?1";
            remove = "delete from [prize info] where [id] = ?1";
            cache = &m_prizeTmpls;
            break;
        case TypePosition:
            find = "select [id] from [position info] where [id] = ?1";
            remove = "delete from [position info] where [id] = ?1";
            cache = &m_positions;
            break;
        default:
            return Refuse(ErrorMessage, kRecordNotFound);
    }
    const bool deleted = Guarded(kDeleteFailed, ErrorMessage, [&] {
        db::Database& db = Db();
        db::Statement& row = db.Cached(find);
        row.Bind(1, ID);
        const bool found = row.Step();
        row.Reset();
        if (!found) return Refuse(ErrorMessage, kRecordNotFound);
        db::Statement& drop = db.Cached(remove);
        drop.Bind(1, ID);
        try {
            drop.Run();
        } catch (const db::DbError& e) {
            // The enforced relations refuse a record that other rows still refer to.
            if ((e.Code() & 0xff) != SQLITE_CONSTRAINT) throw;
            drop.Reset();
            return Refuse(ErrorMessage, kRelatedRecords);
        }
        return true;
    });
    if (deleted && *cache) (*cache)->Remove(RecordKey(ID));
    return deleted;
}

}  // namespace gr::data
