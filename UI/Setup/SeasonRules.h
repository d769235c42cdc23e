// The season editor's rules, free of widgets: what the figure boxes hold and what is wrong
// with them, the amounts of the money distribution, what an input holds that is not taken
// over yet, the totals and balance, and which controls the locks leave open.
#pragma once

#include <cstdint>
#include <string>

#include "GRIData.h"

namespace gr::ui {

// The figure boxes, in the order the window and the recovery file keep them.
enum class SeasonFigure { Managers, Rounds, MoneyContribution, RegularWeeks, TotalWeeks };

struct SeasonLocks {
    bool ranking = false;
    bool draft = false;
    bool started = false;
    bool season = false;
};

// Which controls the locks leave open.
struct SeasonEditable {
    bool managers = false;       // the manager count
    bool rounds = false;         // the round count
    bool weeksAndMoney = false;  // both week counts and the money contribution
    bool lockBoxes = false;      // ranking, draft and started (the season lock stays open)
    bool feePaid = false;        // the fee-paid marks of the managers grid
};

// The totals under the money distribution, as the labels show them.
struct SeasonTotalsText {
    std::string contribution;  // "Total Contribution: 1200"
    std::string distribution;  // "Total Distribution: 1180"
    std::string balance;       // "Balance: 20"
    bool unbalanced = false;   // the balance is shown in red
};

// What an amount typed into the money distribution comes to.
struct AmountReading {
    std::string problem;  // the message; empty when the amount is good
    bool clear = false;   // the input is emptied after the message
    int32_t amount = 0;
};

class SeasonRules {
  public:
    // More manager rows than this are refused: a typed count draws that many grid rows.
    static constexpr int32_t kMaxManagers = 100;
    static constexpr int32_t kMaxAmount = 99999;

    // The number a figure box holds, rounded half to even into a Long (empty text gives 0).
    static int32_t FigureValue(const std::string& text);
    // What leaving a box says: "Please enter numeric value." for anything but a plain number,
    // else what RangeProblem says. Empty when the figure is good.
    static std::string LeavingProblem(SeasonFigure figure, const std::string& text);
    // What Save says of a box: a number the season cannot hold (beyond a Long it would be
    // stored clipped) or a manager count beyond reason.
    static std::string RangeProblem(SeasonFigure figure, const std::string& text);
    static bool ManagerCountAcceptable(const std::string& text);
    // The rows of the managers grid: the typed count within 0 .. kMaxManagers, and at least
    // one row for every manager playing.
    static int32_t ManagerRows(const std::string& typedCount, int32_t managersPlaying);

    static AmountReading ReadAmount(const std::string& text);
    // Whether an input still holds something to take over before a save: a name or an amount
    // that differs from its prize's (prizeAmount < 0: the row has no prize).
    static bool HoldsPendingName(const std::string& value) { return !value.empty(); }
    static bool HoldsPendingAmount(const std::string& value, int32_t prizeAmount);

    // The totals of the figures as the season will store them, counted in cents: every
    // manager's fee in, each season prize once and every other prize each regular week out.
    static SeasonTotalsText Totals(const std::string& moneyContribution,
                                   const std::string& managers, const std::string& regularWeeks,
                                   const ComPtr<Collection>& prizes);

    // editable: the season is not locked (as loaded, or as its box now says).
    static SeasonEditable EditableFor(const SeasonLocks& locks, bool editable);
    // The managers grid without delete icons.
    static bool ManagersReadOnly(const SeasonLocks& locks, bool seasonLocked);
    // The money distribution shows its amounts as text, without icons or a new row.
    static bool PrizesFrozen(const SeasonLocks& locks, bool seasonLocked);
};

}  // namespace gr::ui
