#include "UnsavedWorkFit.h"

#include <set>

#include "GRUtils.h"
#include "PrizeKinds.h"
#include "RecordKeys.h"

namespace gr::ui {

namespace {

using Key = std::pair<int32_t, int32_t>;

Key KeyOf(const ComPtr<IPickable>& pick) {
    return pick ? Key{pick->get_PickType(), pick->get_PickID()} : Key{0, 0};
}

std::string PickLabel(const RecoveredPick& pick) {
    return "Pick " + std::to_string(pick.pick) +
           (pick.type == PickedNone ? " (emptied)" : ", " + pick.name);
}

std::string WinningLabel(const RecoveredWinning& row) {
    const std::string prize = row.prizeDesc.empty() ? "no prize" : row.prizeDesc;
    const std::string manager = row.managerName.empty() ? "no manager" : row.managerName;
    return std::string(row.storedId > 0 ? "Deleting " : "Winnings row ") + prize + " - " + manager;
}

// Why a pick no longer fits, or empty text.
std::string PickProblem(const RecoveredPick& pick, const ComPtr<Collection>& drafts,
                        const PickableIndex& catalogue, const std::map<Key, int32_t>& takenAt,
                        const std::set<int32_t>& recovered) {
    const auto draft = pick.pick >= 1 && pick.pick <= drafts->Count()
                           ? drafts->ItemAs<IDraftInfo>(pick.pick)
                           : nullptr;
    if (!draft) return "this pick no longer exists.";
    const ComPtr<IPickable> held = draft->get_PlayerOrTeam();
    if (KeyOf(held) != Key{pick.heldType, pick.heldId})
        return held ? "the league has since recorded " + held->get_PickName() + " for it."
                    : "the league has since emptied it.";
    if (pick.type == PickedNone) return {};
    if (!catalogue.count({pick.type, pick.id})) return "no longer in the catalogue.";
    const auto taken = takenAt.find({pick.type, pick.id});
    if (taken != takenAt.end() && taken->second != pick.pick && !recovered.count(taken->second))
        return "already taken with pick " + std::to_string(taken->second) + ".";
    return {};
}

void FitPicks(const UnsavedWork& work, const ComPtr<IDataService>& data,
              const ComPtr<ISeasonInfo>& season, WorkFit& fit) {
    const std::string year = std::to_string(work.seasonYear);
    if (season->get_IsDraftLocked()) {
        fit.leftOut.push_back("The draft of season " + year + " has been locked since.");
        return;
    }
    if (!season->get_IsRankingLocked()) {
        fit.leftOut.push_back("The ranking of season " + year + " is no longer locked.");
        return;
    }
    const ComPtr<Collection> drafts = season->get_Drafts();
    const PickableIndex catalogue = PickablesById(data);
    std::map<Key, int32_t> takenAt;
    for (const auto& draft : drafts->ItemsAs<IDraftInfo>())
        if (const auto pick = draft->get_PlayerOrTeam())
            takenAt[KeyOf(pick)] = draft->get_DraftNo();
    std::set<int32_t> recovered;
    for (const RecoveredPick& pick : work.picks) recovered.insert(pick.pick);
    for (const RecoveredPick& pick : work.picks) {
        const std::string problem = PickProblem(pick, drafts, catalogue, takenAt, recovered);
        if (problem.empty())
            fit.fits.picks.push_back(pick);
        else
            fit.leftOut.push_back(PickLabel(pick) + ": " + problem);
    }
}

// Why a winnings row no longer fits, or empty text.
std::string WinningProblem(const RecoveredWinning& row, const ComPtr<ISeasonInfo>& season) {
    const std::string year = std::to_string(season->get_Year());
    const ComPtr<Collection> winnings = season->get_Winnings();
    if (row.storedId > 0) {
        for (const auto& stored : winnings->ItemsAs<IWinningInfo>())
            if (stored->get_ID() == row.storedId && stored->get_Action() != ActionTypeRemove)
                return {};
        return "already deleted.";
    }
    if (row.managerId > 0 && !season->get_Managers()->Item(core::RecordKey(row.managerId)))
        return row.managerName + " no longer plays in season " + year + ".";
    const auto prize = row.prizeId > 0
                           ? season->get_Prizes()->ItemAs<IPrizeInfo>(core::RecordKey(row.prizeId))
                           : nullptr;
    if (row.prizeId > 0 && !prize) return "the prize is no longer one of season " + year + ".";
    for (const auto& stored : winnings->ItemsAs<IWinningInfo>())
        if (stored->get_ID() > 0 && stored->get_Action() != ActionTypeRemove &&
            stored->get_ManagerID() == std::to_string(row.managerId) &&
            stored->get_PrizeID() == std::to_string(row.prizeId) &&
            (core::PrizeKindOf(prize) != core::PrizeKind::Weekly || stored->get_Week() == row.week))
            return "already recorded.";
    return {};
}

void FitWinnings(const UnsavedWork& work, const ComPtr<ISeasonInfo>& season, WorkFit& fit) {
    if (season->get_IsSeasonLocked()) {
        fit.leftOut.push_back("Season " + std::to_string(work.seasonYear) +
                              " has been locked since.");
        return;
    }
    for (const RecoveredWinning& row : work.winnings) {
        const std::string problem = WinningProblem(row, season);
        if (problem.empty())
            fit.fits.winnings.push_back(row);
        else
            fit.leftOut.push_back(WinningLabel(row) + ": " + problem);
    }
}

// Figures and locks always fit; a manager or prize to add must still be in the catalogue.
void FitSeasonEdits(const UnsavedWork& work, const ComPtr<IDataService>& data,
                    const ComPtr<ISeasonInfo>& season, WorkFit& fit) {
    SeasonEdits edits = *work.season;
    edits.managers.clear();
    edits.prizes.clear();
    for (const SeasonEdits::Manager& m : work.season->managers) {
        if (season->get_Managers()->Item(core::RecordKey(m.id)) || FindManagerTmpl(data, m.id))
            edits.managers.push_back(m);
        else
            fit.leftOut.push_back("Manager " + m.firstName + " " + m.lastName +
                                  ": no longer in the catalogue.");
    }
    const ComPtr<Collection> prizes = season->get_Prizes();
    for (const SeasonEdits::Prize& p : work.season->prizes) {
        if ((prizes && prizes->Item(core::RecordKey(p.id))) || FindPrizeTmpl(data, p.id))
            edits.prizes.push_back(p);
        else
            fit.leftOut.push_back("Prize " + p.desc + ": no longer in the catalogue.");
    }
    fit.fits.season = std::move(edits);
}

}  // namespace

WorkFit FitToLeague(const UnsavedWork& work, const ComPtr<IDataService>& data) {
    WorkFit fit;
    fit.fits.seasonYear = work.seasonYear;
    fit.fits.writtenAt = work.writtenAt;
    const ComPtr<ISeasonInfo> season = data ? data->GetCurrentSeasonInfo() : nullptr;
    if (!season || season->get_Year() != work.seasonYear) {
        fit.leftOut.push_back(
            "It belongs to season " + std::to_string(work.seasonYear) + ", and the league " +
            (season ? "works on season " + std::to_string(season->get_Year()) : "has no season") +
            " now.");
        return fit;
    }
    switch (work.WhatKind()) {
        case UnsavedWork::Kind::DraftPicks:
            FitPicks(work, data, season, fit);
            break;
        case UnsavedWork::Kind::Winnings:
            FitWinnings(work, season, fit);
            break;
        case UnsavedWork::Kind::Season:
            FitSeasonEdits(work, data, season, fit);
            break;
        case UnsavedWork::Kind::None:
            break;
    }
    return fit;
}

PickableIndex PickablesById(const ComPtr<IDataService>& data) {
    PickableIndex index;
    const auto all = data ? data->Search(TypePlayerOrTeam, "", false, false) : nullptr;
    if (all)
        for (const auto& pick : all->ItemsAs<IPickable>()) index[KeyOf(pick)] = pick;
    return index;
}

ComPtr<IManagerTmplInfo> FindManagerTmpl(const ComPtr<IDataService>& data, int32_t id) {
    const auto all = data ? data->Search(TypeManager, "", false, false) : nullptr;
    if (all)
        for (const auto& manager : all->ItemsAs<IManagerTmplInfo>())
            if (manager->get_ID() == id) return manager;
    return {};
}

ComPtr<IPrizeTmplInfo> FindPrizeTmpl(const ComPtr<IDataService>& data, int32_t id) {
    const auto all = data ? data->GetPrizeTmpls() : nullptr;
    if (all)
        for (const auto& prize : all->ItemsAs<IPrizeTmplInfo>())
            if (prize->get_ID() == id) return prize;
    return {};
}

}  // namespace gr::ui
