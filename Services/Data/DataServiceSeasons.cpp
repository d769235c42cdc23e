// Seasons: finding, loading, creating and saving them, with their prizes, managers,
// winnings and drafts.
#include <vector>

#include "DataKeys.h"
#include "DataService.h"
#include "DraftInfo.h"
#include "SeasonEntries.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"
#include "WinningInfo.h"

namespace gr::data {

namespace {

// More picks than any league drafts; bounds what wild figures in a season row could ask for.
constexpr int64_t kMaxPicks = 100000;

int32_t PickCount(int32_t managers, int32_t rounds) {
    if (managers < 1 || rounds < 1) return 0;
    const int64_t count = int64_t{managers} * rounds;
    return static_cast<int32_t>(count > kMaxPicks ? kMaxPicks : count);
}

// The rows of a season save; each throws, and the caller holds the transaction.
// The season's figures and its money distribution.
void StoreSeasonInfo(db::Database& db, SeasonInfo& season) {
    const int32_t id = season.get_ID();
    db::Statement& update = db.Cached(
        "update [season info] set [season year] = ?2, [no of players] = ?3, "
        "[no of rounds] = ?4, [money contribution] = ?5, [no of regular weeks] = ?6, "
        "[total no of weeks] = ?7, [is ranking locked] = ?8, [is draft locked] = ?9, "
        "[is season locked] = ?10, [has season started] = ?11 where id = ?1");
    update.Bind(1, id)
        .Bind(2, season.get_Year())
        .Bind(3, season.get_NoOfManagers())
        .Bind(4, season.get_NoOfRounds())
        .Bind(5, season.get_MoneyContribution())
        .Bind(6, season.get_NoOfRegularWeeks())
        .Bind(7, season.get_TotalNoOfWeeks())
        .Bind(8, season.get_IsRankingLocked())
        .Bind(9, season.get_IsDraftLocked())
        .Bind(10, season.get_IsSeasonLocked())
        .Bind(11, season.get_HasSeasonStarted());
    update.Run();

    db::Statement& clear =
        db.Cached("delete from [money distribution info] where [season id] = ?1");
    clear.Bind(1, id);
    clear.Run();
    if (ComPtr<Collection> prizes = season.get_Prizes()) {
        db::Statement& insert = db.Cached(
            "insert into [money distribution info] ([season id], [prize id], [money]) "
            "values (?1, ?2, ?3)");
        for (const ComPtr<IPrizeInfo>& prize : prizes->ItemsAs<IPrizeInfo>()) {
            insert.Bind(1, id).Bind(2, prize->get_ID()).Bind(3, prize->get_Amount());
            insert.Run();
        }
    }
}

// The season's managers playing, with their fee paid and rank.
void StorePlayingInfo(db::Database& db, SeasonInfo& season) {
    const int32_t id = season.get_ID();
    db::Statement& clear = db.Cached("delete from [playing info] where [season id] = ?1");
    clear.Bind(1, id);
    clear.Run();
    db::Statement& insert = db.Cached(
        "insert into [playing info] ([season id], [manager id], [fee paid], [ranking]) "
        "values (?1, ?2, ?3, ?4)");
    for (const ComPtr<IManagerInfo>& manager : season.get_Managers()->ItemsAs<IManagerInfo>()) {
        insert.Bind(1, id)
            .Bind(2, manager->get_ID())
            .Bind(3, manager->get_IsFeePaid())
            .BindIdOrNull(4, manager->get_Rank());
        insert.Run();
    }
}

}  // namespace

// ---- Lookups and caches ----------------------------------------------------------------

ComPtr<SeasonInfo> DataService::SeasonById(int32_t id) {
    if (m_seasonsById)
        if (auto cached = Concrete<SeasonInfo>(m_seasonsById->ItemAs<ISeasonInfo>(RecordKey(id))))
            return cached;
    if (id != 0) {
        bool noRow = false;
        ComPtr<SeasonInfo> season =
            Trap("Error in loading season info.", ComPtr<SeasonInfo>(), [&] {
                ComPtr<SeasonInfo> found = FetchSeason(id, 0);
                noRow = !found;
                return found;
            });
        // A current season that the file does not hold (a backup from before it was made
        // has been restored) is treated as no current season at all.
        if (season || !noRow || id != m_currentSeasonId) return season;
    }
    let_CurrentSeasonYear(static_cast<int32_t>(host::Today().year()));
    // Still no current season (the store failed): give up rather than try again forever.
    if (m_currentSeasonId == 0 || m_currentSeasonId == id) return {};
    return SeasonById(m_currentSeasonId);
}

ComPtr<SeasonInfo> DataService::CachedSeasonOfYear(int32_t year) const {
    if (!m_seasonsByYear) return {};
    return Concrete<SeasonInfo>(m_seasonsByYear->ItemAs<ISeasonInfo>(RecordKey(year)));
}

void DataService::CacheSeason(const ComPtr<SeasonInfo>& season) {
    Ensure(m_seasonsById).Add(season, RecordKey(season->get_ID()));
    Ensure(m_seasonsByYear).Add(season, RecordKey(season->get_Year()));
}

void DataService::UncacheSeasonByYear(const SeasonInfo* season) {
    if (!m_seasonsByYear) return;
    for (int32_t i = 1; i <= m_seasonsByYear->Count(); ++i) {
        if (m_seasonsByYear->ItemAs<ISeasonInfo>(i).get() == season) {
            m_seasonsByYear->Remove(i);
            return;
        }
    }
}

ComPtr<ISeasonInfo> DataService::GetCurrentSeasonInfo() {
    return CurrentSeason();
}

ComPtr<Collection> DataService::GetAllSeasons() {
    if (!m_allSeasonsLoaded) {
        m_allSeasonsLoaded = Trap("Error in loading season info.", false, [&] {
            std::vector<int32_t> ids;
            db::Statement& row = Db().Cached("select id from [season info]");
            while (row.Step()) ids.push_back(row.GetLong("id"));
            row.Reset();
            for (int32_t id : ids)
                if (!m_seasonsById || !m_seasonsById->Contains(RecordKey(id))) FetchSeason(id, 0);
            return true;
        });
    }
    return ComPtr<Collection>(&Ensure(m_seasonsById));
}

bool DataService::DiscardCurrentSeasonInfo() {
    if (!m_seasonsById) return true;
    ComPtr<SeasonInfo> season =
        Concrete<SeasonInfo>(m_seasonsById->ItemAs<ISeasonInfo>(RecordKey(m_currentSeasonId)));
    m_seasonsById->Remove(RecordKey(m_currentSeasonId));
    // By the instance, not by its year: the year may have been changed in memory.
    if (season) UncacheSeasonByYear(season.get());
    // The list of all seasons lacks this one now; the next GetAllSeasons reads it again.
    m_allSeasonsLoaded = false;
    return true;
}

// ---- Loading -----------------------------------------------------------------------------

ComPtr<SeasonInfo> DataService::FetchSeason(int32_t id, int32_t year) {
    db::Statement* row = nullptr;
    if (id >= 1) {
        row = &Db().Cached("select * from [season info] s where s.id = ?1");
        row->Bind(1, id);
    } else if (year > 0) {
        row = &Db().Cached("select * from [season info] s where s.[season year] = ?1");
        row->Bind(1, year);
    } else {
        return {};
    }
    if (!row->Step()) {
        row->Reset();
        return {};
    }
    const int32_t seasonId = row->GetLong("id");
    // Found by year while already cached by id (its year was changed and saved): the one
    // instance that callers hold stays the season.
    if (m_seasonsById)
        if (auto cached =
                Concrete<SeasonInfo>(m_seasonsById->ItemAs<ISeasonInfo>(RecordKey(seasonId)))) {
            row->Reset();
            Ensure(m_seasonsByYear).Add(cached, RecordKey(cached->get_Year()));
            return cached;
        }
    auto season = MakeCom<SeasonInfo>();
    season->SetID(seasonId);
    season->let_Year(row->GetLong("season year"));
    season->let_NoOfManagers(row->GetLong("no of players"));
    season->let_NoOfRounds(row->GetLong("no of rounds"));
    season->let_MoneyContribution(row->GetLong("money contribution"));
    season->let_NoOfRegularWeeks(row->GetLong("no of regular weeks"));
    season->let_TotalNoOfWeeks(row->GetLong("total no of weeks"));
    season->let_IsRankingLocked(row->GetBool("is ranking locked"));
    season->let_IsSeasonLocked(row->GetBool("is season locked"));
    season->let_IsDraftLocked(row->GetBool("is draft locked"));
    season->let_HasSeasonStarted(row->GetBool("has season started"));
    row->Reset();

    LoadPrizes(*season);
    LoadManagersPlaying(*season);
    LoadWinnings(*season);
    LoadDrafts(*season);
    // A fresh season always starts the pick entry at 1.
    season->SetCurrentPick(0);
    // Cached only when complete, so a failed load never leaves a half season that a later
    // save would write back over the stored one.
    CacheSeason(season);
    return season;
}

void DataService::LoadPrizes(SeasonInfo& season) {
    Collection& masters = PrizeTmpls();
    ComPtr<Collection> prizes = Collection::Create();
    db::Statement& row =
        Db().Cached("select * from [money distribution info] m where m.[season id] = ?1");
    row.Bind(1, season.get_ID());
    while (row.Step()) {
        const int32_t prizeId = row.GetLong("prize id");
        auto master = masters.ItemAs<IPrizeTmplInfo>(RecordKey(prizeId));
        prizes->Add(MakeCom<PrizeInfo>(master, row.GetLong("money")), RecordKey(prizeId));
    }
    row.Reset();
    season.set_Prizes(prizes);
}

void DataService::LoadManagersPlaying(SeasonInfo& season) {
    ComPtr<Collection> managers = Collection::Create();
    // Unranked (null) rows sort first; equal ranks keep the order in which they were stored.
    db::Statement& row = Db().Cached(
        "select p.[manager id], p.[ranking], p.[fee paid], m.[first name], m.[last name] "
        "from [playing info] p left join [manager info] m on m.[id] = p.[manager id] "
        "where p.[season id] = ?1 order by p.[ranking], p.rowid");
    row.Bind(1, season.get_ID());
    while (row.Step()) {
        const int32_t managerId = row.GetLong("manager id");
        auto master =
            ManagerTmplFromColumns(managerId, row.GetText("first name"), row.GetText("last name"));
        auto manager = MakeCom<ManagerInfo>(master);
        manager->let_Rank(row.GetLong("ranking"));
        manager->let_IsFeePaid(row.GetBool("fee paid"));
        managers->Add(manager, RecordKey(managerId));
    }
    row.Reset();
    season.SetManagers(managers);
}

void DataService::LoadWinnings(SeasonInfo& season) {
    ComPtr<Collection> winnings = Collection::Create();
    db::Statement& row = Db().Cached("select * from [winning info] where [season id] = ?1");
    row.Bind(1, season.get_ID());
    while (row.Step()) {
        auto win = WinningInfo::CreateLoaded(
            row.GetLong("id"), row.GetLong("season id"), std::to_string(row.GetLong("manager id")),
            std::to_string(row.GetLong("prize id")), row.GetLong("week #"));
        winnings->Add(win, win->get_Key());
    }
    row.Reset();
    season.SetWinnings(winnings);
}

void DataService::LoadDrafts(SeasonInfo& season) {
    const int32_t count = PickCount(season.get_NoOfManagers(), season.get_NoOfRounds());
    Collection& teams = Teams();
    ComPtr<Collection> managers = season.get_Managers();
    std::vector<ComPtr<DraftInfo>> picks(static_cast<size_t>(count));
    for (int32_t p = 1; p <= count; ++p) picks[static_cast<size_t>(p - 1)] = MakeCom<DraftInfo>(p);

    // One query brings the picks with their players, so the players cache fills in one pass.
    db::Statement& row = Db().Cached(
        "select d.[draft no], d.[manager id], d.[player id], d.[team id], "
        "p.[first name], p.[last name], p.[position id], p.[team id] as [player team id], "
        "p.[is retired] "
        "from [draft info] d left join [player info] p on p.[id] = d.[player id] "
        "where d.[season id] = ?1 order by d.[draft no]");
    row.Bind(1, season.get_ID());
    int32_t filled = 0;
    while (row.Step()) {
        const int32_t draftNo = row.GetLong("draft no");
        if (draftNo < 1 || draftNo > count) continue;  // not a pick of this draft's size
        DraftInfo& pick = *picks[static_cast<size_t>(draftNo - 1)];
        // A manager who no longer plays leaves the pick without a manager.
        const int32_t managerId = row.GetLong("manager id");
        if (managerId > 0 && managers)
            pick.set_Manager(managers->ItemAs<IManagerInfo>(RecordKey(managerId)));
        const int32_t playerId = row.GetLong("player id");
        const int32_t teamId = row.GetLong("team id");
        ComPtr<IPickable> thing;
        if (playerId >= 1)
            thing = PlayerFromColumns(playerId, row.GetText("first name"), row.GetText("last name"),
                                      row.GetLong("position id"), row.GetLong("player team id"),
                                      row.GetBool("is retired"));
        else if (teamId >= 1)
            thing = teams.ItemAs<IPickable>(RecordKey(teamId));
        if (thing) {
            pick.set_PlayerOrTeam(thing);
            ++filled;
        }
    }
    row.Reset();

    ComPtr<Collection> drafts = Collection::Create();
    drafts->Reserve(static_cast<size_t>(count));
    for (const ComPtr<DraftInfo>& pick : picks) {
        const int32_t p = pick->get_DraftNo();
        const std::string key = PickKey(pick->get_PlayerOrTeam());
        if (key.empty() || !drafts->Add(pick, key)) {
            // Empty, or the same player stored twice: the later pick loads empty.
            if (!key.empty()) {
                pick->ClearPick();
                --filled;
            }
            drafts->Add(pick, EmptyPickKey(p));
        }
        pick->SetChanged(false);
    }
    season.SetDrafts(drafts);
    season.SetCurrentPick(filled + 1);
}

bool DataService::ReloadDrafts(SeasonInfo& season) {
    return Trap("Error in loading drafts.", false, [&] {
        LoadDrafts(season);
        return true;
    });
}

// ---- Creating and saving -------------------------------------------------------------

ComPtr<SeasonInfo> DataService::CreateSeason(int32_t year) {
    db::Database& db = Db();
    const int32_t id = db.NextId("season info");
    db::Statement& insert =
        db.Cached("insert into [season info] ([id], [season year]) values (?1, ?2)");
    insert.Bind(1, id).Bind(2, year);
    insert.Run();
    return FetchSeason(id, 0);
}

ComPtr<ISeasonInfo> DataService::AddSeason(int32_t SeasonYear) {
    return Trap("Error in saving season info.", ComPtr<SeasonInfo>(),
                [&] { return CreateSeason(SeasonYear); });
}

bool DataService::SaveCurrentSeasonInfo() {
    return SaveSeasonParts("Error in saving season info.", {.managers = false, .figures = true});
}

bool DataService::SaveManagersPlaying() {
    return SaveSeasonParts("Error in saving playing info.", {.managers = true, .figures = false});
}

bool DataService::SaveSeasonAndManagers() {
    return SaveSeasonParts("Error in saving season info.", {.managers = true, .figures = true});
}

bool DataService::SaveSeasonParts(const char* failure, SeasonParts parts) {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    const bool saved = Trap(failure, false, [&] {
        db::Database& db = Db();
        {
            db::Transaction transaction(db);
            if (parts.managers) StorePlayingInfo(db, *season);
            if (parts.figures) StoreSeasonInfo(db, *season);
            transaction.Commit();
        }
        // The season holds its managers as the store lists them, and its picks point at them.
        if (parts.managers) {
            LoadManagersPlaying(*season);
            RelinkDraftManagers(*season);
        }
        return true;
    });
    if (saved && parts.figures) {
        // The year may have changed: the by-year cache follows the stored year.
        UncacheSeasonByYear(season.get());
        Ensure(m_seasonsByYear).Add(season, RecordKey(season->get_Year()));
    }
    return saved;
}

void DataService::RelinkDraftManagers(SeasonInfo& season) {
    ComPtr<Collection> managers = season.get_Managers();
    for (const ComPtr<IDraftInfo>& pick : season.get_Drafts()->ItemsAs<IDraftInfo>()) {
        ComPtr<IManagerInfo> old = pick->get_Manager();
        if (old) pick->set_Manager(managers->ItemAs<IManagerInfo>(RecordKey(old->get_ID())));
    }
}

}  // namespace gr::data
