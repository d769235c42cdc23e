// season YEAR: everything of one season.
#include <charconv>
#include <ostream>
#include <utility>

#include "Commands.h"
#include "GRPickUtils.h"
#include "Json.h"
#include "Money.h"
#include "MoneyReport.h"
#include "RecordKeys.h"
#include "TextTable.h"

namespace gr::admin {

namespace {

struct DraftLine {
    int32_t pick = 0, round = 0;
    std::string manager, kind, name;
    int32_t id = 0;
};

struct WinningLine {
    std::string prize, manager;
    int32_t week = 0;
    core::Cents share = 0;
};

std::vector<DraftLine> DraftLines(ISeasonInfo& season) {
    std::vector<DraftLine> lines;
    const ComPtr<Collection> drafts = season.get_Drafts();
    if (!drafts) return lines;
    const int32_t managers = season.get_NoOfManagers();
    int32_t pickNo = 0;
    for (const auto& draft : drafts->ItemsAs<IDraftInfo>()) {
        ++pickNo;  // the position in the collection is the pick number
        const ComPtr<IPickable> pick = draft->get_PlayerOrTeam();
        if (!pick) continue;
        DraftLine line;
        line.pick = pickNo;
        line.round = RoundOfPick(pickNo, managers);
        line.manager = reports::ManagerName(draft->get_Manager());
        line.kind = pick->get_PickType() == PickedTeam ? "team" : "player";
        line.name = pick->get_PickName();
        line.id = pick->get_PickID();
        lines.push_back(std::move(line));
    }
    return lines;
}

// A prize's winners share its amount, counted and rounded by the program's own money report.
std::vector<WinningLine> WinningLines(ISeasonInfo& season) {
    std::vector<WinningLine> lines;
    const ComPtr<Collection> winnings = season.get_Winnings();
    const ComPtr<Collection> prizes = season.get_Prizes();
    const ComPtr<Collection> managers = season.get_Managers();
    if (!winnings || !prizes || !managers) return lines;
    const reports::PrizeWinnerCounts counts = reports::CountPrizeWinners(winnings, prizes);
    for (const auto& win : winnings->ItemsAs<IWinningInfo>()) {
        if (win->get_Action() == ActionTypeRemove) continue;
        const auto prize = prizes->ItemAs<IPrizeInfo>(core::RecordKey(win->get_PrizeID()));
        const auto manager = managers->ItemAs<IManagerInfo>(core::RecordKey(win->get_ManagerID()));
        WinningLine line;
        line.prize = prize ? prize->get_Desc() : "prize #" + win->get_PrizeID();
        line.manager = manager ? reports::ManagerName(manager) : "manager #" + win->get_ManagerID();
        line.week = win->get_Week();
        if (prize) {
            const auto count = counts.find(
                reports::PrizeWinnerKey(win->get_PrizeID(), reports::WeekPart(prize, win)));
            line.share = reports::PrizeShare(prize->get_Amount(), count->second);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

Json SeasonJson(ISeasonInfo& s, const std::vector<DraftLine>& draft,
                const std::vector<WinningLine>& winnings) {
    Json managers = Json::array();
    if (const auto list = s.get_Managers())
        for (const auto& m : list->ItemsAs<IManagerInfo>())
            managers.push_back({{"id", m->get_ID()},
                                {"first_name", m->get_FirstName()},
                                {"last_name", m->get_LastName()},
                                {"rank", m->get_Rank()},
                                {"fee_paid", m->get_IsFeePaid()}});
    Json prizes = Json::array();
    if (const auto list = s.get_Prizes())
        for (const auto& p : list->ItemsAs<IPrizeInfo>()) {
            const auto type = p->get_PrizeType();
            prizes.push_back({{"id", p->get_ID()},
                              {"desc", p->get_Desc()},
                              {"amount", p->get_Amount()},
                              {"type", type ? Json(type->get_Name()) : Json()}});
        }
    Json picks = Json::array();
    for (const DraftLine& d : draft)
        picks.push_back({{"pick", d.pick},
                         {"round", d.round},
                         {"manager", d.manager},
                         {"kind", d.kind},
                         {"id", d.id},
                         {"name", d.name}});
    Json wins = Json::array();
    for (const WinningLine& w : winnings)
        wins.push_back({{"prize", w.prize},
                        {"week", w.week},
                        {"manager", w.manager},
                        {"share", JsonMoney(w.share)}});
    return {{"year", s.get_Year()},
            {"managers_count", s.get_NoOfManagers()},
            {"rounds", s.get_NoOfRounds()},
            {"fee", s.get_MoneyContribution()},
            {"regular_weeks", s.get_NoOfRegularWeeks()},
            {"total_weeks", s.get_TotalNoOfWeeks()},
            {"ranking_locked", s.get_IsRankingLocked()},
            {"draft_locked", s.get_IsDraftLocked()},
            {"season_locked", s.get_IsSeasonLocked()},
            {"season_started", s.get_HasSeasonStarted()},
            {"managers", std::move(managers)},
            {"prizes", std::move(prizes)},
            {"draft", std::move(picks)},
            {"winnings", std::move(wins)}};
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

void PrintSeason(std::ostream& out, ISeasonInfo& s, const std::vector<DraftLine>& draft,
                 const std::vector<WinningLine>& winnings) {
    out << "Season " << s.get_Year() << "\n"
        << "  Managers " << s.get_NoOfManagers() << ", rounds " << s.get_NoOfRounds() << ", fee "
        << s.get_MoneyContribution() << ", weeks " << s.get_NoOfRegularWeeks() << " regular / "
        << s.get_TotalNoOfWeeks() << " total\n"
        << "  Ranking locked " << YesNo(s.get_IsRankingLocked()) << ", draft locked "
        << YesNo(s.get_IsDraftLocked()) << ", season locked " << YesNo(s.get_IsSeasonLocked())
        << ", season started " << YesNo(s.get_HasSeasonStarted()) << "\n";
    TextTable managers;
    managers.AddRow({"Rank", "Manager", "Fee paid"});
    const auto managerList = s.get_Managers();
    for (const auto& m :
         managerList ? managerList->ItemsAs<IManagerInfo>() : std::vector<ComPtr<IManagerInfo>>{})
        managers.AddRow(
            {std::to_string(m->get_Rank()), reports::ManagerName(m), YesNo(m->get_IsFeePaid())});
    out << "\nManagers:\n" << managers.Render("  ");
    TextTable prizes;
    prizes.AddRow({"Prize", "Type", "Amount"});
    const auto prizeList = s.get_Prizes();
    for (const auto& p :
         prizeList ? prizeList->ItemsAs<IPrizeInfo>() : std::vector<ComPtr<IPrizeInfo>>{}) {
        const auto type = p->get_PrizeType();
        prizes.AddRow(
            {p->get_Desc(), type ? type->get_Name() : "", std::to_string(p->get_Amount())});
    }
    out << "\nPrizes:\n" << prizes.Render("  ");
    TextTable picks;
    picks.AddRow({"Pick", "Round", "Manager", "Player or team"});
    for (const DraftLine& d : draft)
        picks.AddRow({std::to_string(d.pick), std::to_string(d.round), d.manager,
                      d.name + (d.kind == "team" ? " (team)" : "")});
    out << "\nDraft (" << draft.size() << " of " << s.get_NoOfManagers() * s.get_NoOfRounds()
        << " picks made):\n"
        << picks.Render("  ");
    TextTable wins;
    wins.AddRow({"Prize", "Week", "Manager", "Share"});
    for (const WinningLine& w : winnings)
        wins.AddRow(
            {w.prize, w.week ? std::to_string(w.week) : "", w.manager, core::CentsText(w.share)});
    out << "\nWinnings:\n" << wins.Render("  ");
}

}  // namespace

int RunSeason(const CommandContext& ctx) {
    const std::string& text = ctx.args.operands[0];
    int32_t year = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (ec != std::errc() || end != text.data() + text.size() || year <= 0)
        return ctx.Fail("YEAR must be a year such as 2023, not " + text + ".", kExitUsage);
    ComPtr<ISeasonInfo> season;
    if (const ComPtr<Collection> all = ctx.Data().GetAllSeasons()) {
        for (const auto& s : all->ItemsAs<ISeasonInfo>())
            if (s->get_Year() == year) season = s;
    }
    if (!season) return ctx.Fail("There is no season " + text + ".");
    const auto draft = DraftLines(*season);
    const auto winnings = WinningLines(*season);
    if (ctx.args.json)
        ctx.out << JsonDump(SeasonJson(*season, draft, winnings));
    else
        PrintSeason(ctx.out, *season, draft, winnings);
    return kExitOk;
}

}  // namespace gr::admin
