#include "OpsFixture.h"

#include "DataKeys.h"

namespace gr::testing {

void OpsFixture::CreateOpsLeague(const std::function<void(LeagueWriter&)>& more) {
    CreateLeague([&](LeagueWriter& w) {
        w.Manager(1, "Ann", "Lee");
        w.Manager(2, "Bo", "Diaz");
        w.Manager(3, "Cy", "Ng");
        w.Manager(4, "Di", "Ro");
        w.Manager(5, "Ed", "Out");
        w.Season(1, 2024, 4, 3, 100);
        for (int32_t m = 1; m <= 4; ++m) w.Playing(1, m, m, true);
        w.Money(1, 1, 120);
        w.Money(1, 5, 10);
        w.Player(7, "D'Onta", "Foreman", 2, 3);
        w.Player(8, "Ja'Marr", "Chase", 3, 1);
        w.Player(9, "Ka'imi", "Fairbairn", 5, 2);
        w.CurrentSeason(1);
        if (more) more(w);
    });
}

void OpsFixture::Execute(const std::string& sql) {
    auto db = OpenLeague();
    db->Execute(sql);
}

int64_t OpsFixture::Read(const ComPtr<IDataService>& service, const std::string& sql,
                         const std::vector<int32_t>& params) {
    int64_t value = -1;
    Inspect(service, [&](db::Database& db) { value = Scalar(db, sql, params); });
    return value;
}

std::vector<std::string> OpsFixture::DraftRows(const ComPtr<IDataService>& service,
                                               int32_t seasonId) {
    std::vector<std::string> rows;
    Inspect(service, [&](db::Database& db) {
        db::Statement s(db,
                        "select [draft no], [manager id], [player id], [team id] from [draft info] "
                        "where [season id] = ?1 order by [draft no]");
        s.Bind(1, seasonId);
        auto cell = [&](int column) {
            return s.IsNull(column) ? std::string("-") : std::to_string(s.GetLong(column));
        };
        while (s.Step()) rows.push_back(cell(0) + ":" + cell(1) + "/" + cell(2) + "/" + cell(3));
    });
    return rows;
}

std::vector<std::string> OpsFixture::Names(const ComPtr<Collection>& found) {
    std::vector<std::string> names;
    if (!found) return names;
    for (const ComPtr<IPickable>& item : found->ItemsAs<IPickable>())
        names.push_back(item->get_PickName());
    return names;
}

ComPtr<IPickable> OpsFixture::PlayerNamed(const ComPtr<IDataService>& service,
                                          const std::string& lastName) {
    ComPtr<Collection> found = service->Search(TypePlayerOrTeam, lastName, false, false);
    if (!found) return {};
    for (const ComPtr<IPlayerInfo>& player : found->ItemsAs<IPlayerInfo>())
        if (player->get_LastName() == lastName) return player.As<IPickable>();
    return {};
}

ComPtr<IManagerInfo> OpsFixture::SeasonManager(const ComPtr<IDataService>& service, int32_t id) {
    auto season = service->GetCurrentSeasonInfo();
    if (!season || !season->get_Managers()) return {};
    return season->get_Managers()->ItemAs<IManagerInfo>(data::RecordKey(id));
}

}  // namespace gr::testing
