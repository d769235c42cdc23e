// Ranking and draft persistence of the current season. The service stores what it is
// asked to store: the ranking and draft locks are the screens' business.
#include <vector>

#include "DataKeys.h"
#include "DataService.h"
#include "DraftInfo.h"
#include "SqlDatabase.h"

namespace gr::data {

bool DataService::SaveRanking() {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    ComPtr<Collection> managers = season->get_Managers();
    if (!managers) return true;
    const bool saved = Trap("Error in saving ranking info.", false, [&] {
        db::Database& db = Db();
        db::Transaction transaction(db);
        db::Statement& update = db.Cached(
            "update [playing info] set [ranking] = ?3 "
            "where [season id] = ?1 and [manager id] = ?2");
        for (const ComPtr<IManagerInfo>& manager : managers->ItemsAs<IManagerInfo>()) {
            // Unranked managers are stored as null.
            update.Bind(1, season->get_ID())
                .Bind(2, manager->get_ID())
                .BindIdOrNull(3, manager->get_Rank());
            update.Run();
        }
        transaction.Commit();
        return true;
    });
    // The picks follow the new order: the board is read again from the store.
    return saved && ReloadDrafts(*season);
}

bool DataService::DisableRanking() {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    season->let_IsRankingLocked(true);
    return Trap("Error in disabling ranking.", false, [&] {
        db::Statement& update =
            Db().Cached("update [season info] set [is ranking locked] = 1 where id = ?1");
        update.Bind(1, m_currentSeasonId);
        update.Run();
        return true;
    });
}

bool DataService::DisableDrafting() {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    season->let_IsDraftLocked(true);
    return Trap("Error in disabling drafting.", false, [&] {
        db::Statement& update =
            Db().Cached("update [season info] set [is draft locked] = 1 where id = ?1");
        update.Bind(1, m_currentSeasonId);
        update.Run();
        return true;
    });
}

bool DataService::SaveDrafts() {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    ComPtr<Collection> drafts = season->get_Drafts();
    if (!drafts) return true;
    std::vector<ComPtr<DraftInfo>> changed;
    for (const ComPtr<IDraftInfo>& item : drafts->ItemsAs<IDraftInfo>())
        if (auto pick = Concrete<DraftInfo>(item); pick && pick->IsChanged())
            changed.push_back(pick);
    if (changed.empty()) return true;
    const bool saved = Trap("Error in saving drafts.", false, [&] {
        db::Database& db = Db();
        db::Transaction transaction(db);
        for (const ComPtr<DraftInfo>& pick : changed) StoreDraft(*pick, season->get_ID());
        transaction.Commit();
        return true;
    });
    // Only a stored pick is clean: after a failure every pick keeps its mark for a retry.
    if (saved)
        for (const ComPtr<DraftInfo>& pick : changed) pick->SetChanged(false);
    return saved;
}

void DataService::StoreDraft(DraftInfo& pick, int32_t seasonId) {
    db::Database& db = Db();
    ComPtr<IManagerInfo> manager = pick.get_Manager();
    const int32_t managerId = manager ? manager->get_ID() : 0;
    if (pick.PickedKind() == PickedNone) {
        // A removed pick holds nothing, not even its manager: its row (if any) says so.
        db::Statement& clear = db.Cached(
            "update [draft info] set [manager id] = null, [player id] = null, [team id] = null "
            "where [season id] = ?1 and [draft no] = ?2");
        clear.Bind(1, seasonId).Bind(2, pick.get_DraftNo());
        clear.Run();
        return;
    }
    // A pick holds one thing, so the other column is cleared. A pick without a manager
    // keeps the stored one. (The engine has no upsert: update, then insert when no row.)
    db::Statement& update = db.Cached(
        "update [draft info] set [manager id] = coalesce(?3, [manager id]), "
        "[player id] = ?4, [team id] = ?5 where [season id] = ?1 and [draft no] = ?2");
    update.Bind(1, seasonId)
        .Bind(2, pick.get_DraftNo())
        .BindIdOrNull(3, managerId)
        .BindIdOrNull(4, pick.PlayerID())
        .BindIdOrNull(5, pick.TeamID());
    update.Run();
    if (db.Changes() > 0) return;
    db::Statement& insert = db.Cached(
        "insert into [draft info] ([season id], [draft no], [manager id], [player id], "
        "[team id]) values (?1, ?2, ?3, ?4, ?5)");
    insert.Bind(1, seasonId)
        .Bind(2, pick.get_DraftNo())
        .BindIdOrNull(3, managerId)
        .BindIdOrNull(4, pick.PlayerID())
        .BindIdOrNull(5, pick.TeamID());
    insert.Run();
}

bool DataService::DeleteDrafts() {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    const bool deleted = Trap("Error in deleting drafts.", false, [&] {
        db::Database& db = Db();
        db::Transaction transaction(db);
        db::Statement& clear = db.Cached("delete from [draft info] where [season id] = ?1");
        clear.Bind(1, season->get_ID());
        clear.Run();
        transaction.Commit();
        return true;
    });
    return deleted && ReloadDrafts(*season);
}

}  // namespace gr::data
