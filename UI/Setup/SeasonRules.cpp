#include "SeasonRules.h"

#include <algorithm>

#include "GRNumbers.h"
#include "MoneyReport.h"

namespace gr::ui {

namespace {

constexpr const char* kNumericValue = "Please enter numeric value.";

}  // namespace

int32_t SeasonRules::FigureValue(const std::string& text) {
    return core::ToLong(core::NumericValue(text));
}

bool SeasonRules::ManagerCountAcceptable(const std::string& text) {
    const double count = core::RoundHalfEven(core::NumericValue(text));
    return count >= 0 && count <= kMaxManagers;
}

std::string SeasonRules::RangeProblem(SeasonFigure figure, const std::string& text) {
    if (!core::FitsLong(core::NumericValue(text)))
        return "Please enter a number from -2,147,483,648 to 2,147,483,647.";
    if (figure == SeasonFigure::Managers && !ManagerCountAcceptable(text))
        return "Please enter a number of managers from 0 to " + std::to_string(kMaxManagers) + ".";
    return {};
}

std::string SeasonRules::LeavingProblem(SeasonFigure figure, const std::string& text) {
    if (!core::IsShortestNumber(text)) return kNumericValue;
    return RangeProblem(figure, text);
}

int32_t SeasonRules::ManagerRows(const std::string& typedCount, int32_t managersPlaying) {
    const double typed = core::RoundHalfEven(core::NumericValue(typedCount));
    const auto wanted = static_cast<int32_t>(std::clamp<double>(typed, 0, kMaxManagers));
    return std::max(wanted, managersPlaying);
}

// A whole number within the limit, written as a plain number.
AmountReading SeasonRules::ReadAmount(const std::string& text) {
    const double value = core::NumericValue(text);
    if (value > kMaxAmount) return {"Please enter a value less than 100,000.", false, 0};
    const int32_t amount = core::ToLong(value);
    if (std::to_string(amount) != text) return {"Please enter numeric values only.", true, 0};
    return {{}, false, amount};
}

bool SeasonRules::HoldsPendingAmount(const std::string& value, int32_t prizeAmount) {
    if (value.empty()) return false;
    return prizeAmount < 0 || value != std::to_string(prizeAmount);
}

SeasonTotalsText SeasonRules::Totals(const std::string& moneyContribution,
                                     const std::string& managers, const std::string& regularWeeks,
                                     const ComPtr<Collection>& prizes) {
    const reports::SeasonBudget budget = reports::SeasonBudgetOf(
        FigureValue(moneyContribution), FigureValue(managers), FigureValue(regularWeeks), prizes);
    return {"Total Contribution: " + core::CentsText(budget.contribution),
            "Total Distribution: " + core::CentsText(budget.distribution),
            "Balance: " + core::CentsText(budget.balance), budget.balance != 0};
}

SeasonEditable SeasonRules::EditableFor(const SeasonLocks& locks, bool editable) {
    if (!editable) return {};
    return {!locks.ranking, !locks.draft, !locks.started, !locks.season, true};
}

bool SeasonRules::ManagersReadOnly(const SeasonLocks& locks, bool seasonLocked) {
    return seasonLocked || locks.draft || locks.ranking;
}

bool SeasonRules::PrizesFrozen(const SeasonLocks& locks, bool seasonLocked) {
    return locks.started || seasonLocked;
}

}  // namespace gr::ui
