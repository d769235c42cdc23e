// Winning records of the current season: adding and storing them.
#include <charconv>
#include <stdexcept>
#include <vector>

#include "DataKeys.h"
#include "DataService.h"
#include "SqlDatabase.h"
#include "WinningInfo.h"

namespace gr::data {

namespace {

// A manager or prize id held as text; anything but a whole number above 0 is refused.
int32_t IdFromText(const std::string& text, const char* what) {
    int32_t id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    if (error != std::errc() || stop != end || id < 1)
        throw std::invalid_argument(std::string("Invalid ") + what + ": \"" + text + "\".");
    return id;
}

}  // namespace

bool DataService::AddWinning(ComPtr<IWinningInfo>& oNewWin) {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    ComPtr<WinningInfo> win = WinningInfo::CreateNew(++m_newWinningCounter);
    season->get_Winnings()->Add(win, win->get_Key());
    oNewWin = win;
    return true;
}

bool DataService::SaveWinnings() {
    ComPtr<SeasonInfo> season = CurrentSeason();
    if (!season) return false;
    ComPtr<Collection> winnings = season->get_Winnings();
    std::vector<ComPtr<WinningInfo>> changed;
    for (const ComPtr<IWinningInfo>& item : winnings->ItemsAs<IWinningInfo>())
        if (auto win = Concrete<WinningInfo>(item); win && win->IsChanged()) changed.push_back(win);
    if (changed.empty()) return true;

    // Ids given to new rows, applied to the records only once everything is stored.
    std::vector<int32_t> newIds(changed.size(), 0);
    const bool saved = Trap("Error in saving winnings.", false, [&] {
        db::Database& db = Db();
        db::Transaction transaction(db);
        int32_t nextId = 0;
        for (size_t i = 0; i < changed.size(); ++i) {
            WinningInfo& win = *changed[i];
            if (win.get_Action() == ActionTypeAdd && !win.IsStored()) {
                if (nextId == 0) nextId = db.NextId("winning info");
                newIds[i] = nextId++;
                InsertWinning(win, newIds[i], season->get_ID());
            } else if (win.get_Action() == ActionTypeAdd) {
                // Stored already: its row takes the changes instead of a second insert.
                UpdateWinning(win, season->get_ID());
            } else if (win.get_Action() == ActionTypeRemove && win.IsStored()) {
                db::Statement& remove = db.Cached("delete from [winning info] where [id] = ?1");
                remove.Bind(1, win.get_ID());
                remove.Run();
            }
        }
        transaction.Commit();
        return true;
    });
    if (!saved) return false;

    for (size_t i = 0; i < changed.size(); ++i) {
        WinningInfo& win = *changed[i];
        if (newIds[i] > 0) {
            win.SetID(newIds[i]);
            win.SetStored(true);
        }
        if (win.get_Action() == ActionTypeRemove) {
            win.SetStored(false);
            winnings->Remove(win.get_Key());
        }
        win.SetChanged(false);
    }
    return true;
}

void DataService::InsertWinning(WinningInfo& win, int32_t id, int32_t seasonId) {
    db::Statement& insert = Db().Cached(
        "insert into [winning info] ([id], [season id], [prize id], [week #], [manager id]) "
        "values (?1, ?2, ?3, ?4, ?5)");
    // The record's own season id is not trusted: it belongs to the current season.
    insert.Bind(1, id)
        .Bind(2, seasonId)
        .Bind(3, IdFromText(win.get_PrizeID(), "prize id"))
        .BindIdOrNull(4, win.get_Week())
        .Bind(5, IdFromText(win.get_ManagerID(), "manager id"));
    insert.Run();
}

void DataService::UpdateWinning(WinningInfo& win, int32_t seasonId) {
    db::Statement& update = Db().Cached(
        "update [winning info] set [season id] = ?2, [prize id] = ?3, [week #] = ?4, "
        "[manager id] = ?5 where [id] = ?1");
    update.Bind(1, win.get_ID())
        .Bind(2, seasonId)
        .Bind(3, IdFromText(win.get_PrizeID(), "prize id"))
        .BindIdOrNull(4, win.get_Week())
        .Bind(5, IdFromText(win.get_ManagerID(), "manager id"));
    update.Run();
}

}  // namespace gr::data
