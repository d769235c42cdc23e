// The season editor's rules without a window.
#include <gtest/gtest.h>

#include "SeasonRules.h"
#include "UiFakes.h"

namespace gr::ui::test {
namespace {

using F = SeasonFigure;
constexpr const char* kNumeric = "Please enter numeric value.";
constexpr const char* kRange = "Please enter a number from -2,147,483,648 to 2,147,483,647.";
constexpr const char* kManagers = "Please enter a number of managers from 0 to 100.";

TEST(SeasonRules, WhatLeavingAFigureBoxAndSavingSay) {
    struct Case {
        F figure;
        const char* text;
        const char* leaving;
        const char* saving;
        int32_t value;
    };
    for (const Case& c :
         {Case{F::Managers, "12", "", "", 12}, Case{F::Managers, "012", kNumeric, "", 12},
          Case{F::Rounds, "", kNumeric, "", 0}, Case{F::Rounds, "12a", kNumeric, "", 12},
          Case{F::MoneyContribution, "12.5", "", "", 12},
          Case{F::MoneyContribution, "13.5", "", "", 14},
          Case{F::Managers, "101", kManagers, kManagers, 101},
          Case{F::Managers, "-1", kManagers, kManagers, -1}, Case{F::Rounds, "101", "", "", 101},
          Case{F::TotalWeeks, "3000000000", kRange, kRange, 2147483647}}) {
        EXPECT_EQ(SeasonRules::LeavingProblem(c.figure, c.text), c.leaving) << c.text;
        EXPECT_EQ(SeasonRules::RangeProblem(c.figure, c.text), c.saving) << c.text;
        EXPECT_EQ(SeasonRules::FigureValue(c.text), c.value) << c.text;
    }
}

TEST(SeasonRules, ManagerRowsAmountsAndPendingInput) {
    const std::tuple<const char*, int32_t, int32_t> rows[] = {
        {"5", 3, 5}, {"2", 3, 3}, {"500", 0, 100}, {"-3", 0, 0}, {"", 4, 4}};
    for (const auto& [typed, playing, expected] : rows)
        EXPECT_EQ(SeasonRules::ManagerRows(typed, playing), expected) << typed;

    const std::string tooLarge = "Please enter a value less than 100,000.";
    const std::string notWhole = "Please enter numeric values only.";
    struct Amount {
        const char* text;
        std::string problem;
        bool clear;
        int32_t amount;
    };
    for (const Amount& c : {Amount{"250", "", false, 250}, Amount{"99999", "", false, 99999},
                            Amount{"100000", tooLarge, false, 0}, Amount{"12.5", notWhole, true, 0},
                            Amount{"abc", notWhole, true, 0}, Amount{"", notWhole, true, 0}}) {
        const AmountReading reading = SeasonRules::ReadAmount(c.text);
        EXPECT_EQ(reading.problem, c.problem) << c.text;
        EXPECT_EQ(reading.clear, c.clear) << c.text;
        EXPECT_EQ(reading.amount, c.amount) << c.text;
    }

    EXPECT_FALSE(SeasonRules::HoldsPendingAmount("", 5));
    EXPECT_FALSE(SeasonRules::HoldsPendingAmount("5", 5)) << "what the prize holds";
    EXPECT_TRUE(SeasonRules::HoldsPendingAmount("6", 5));
    EXPECT_TRUE(SeasonRules::HoldsPendingAmount("6", -1)) << "a row without a prize";
    EXPECT_TRUE(SeasonRules::HoldsPendingName("Al"));
    EXPECT_FALSE(SeasonRules::HoldsPendingName(""));
}

TEST(SeasonRules, TotalsCountSeasonPrizesOnceAndOthersEachWeek) {
    const auto prizes =
        Items(MakeCom<FakePrize>(1, "Champion", MakeCom<FakePrizeType>(1, "S"), 100),
              MakeCom<FakePrize>(2, "Weekly", MakeCom<FakePrizeType>(2, "W"), 10),
              MakeCom<FakePrize>(3, "Odd", MakeCom<FakePrizeType>(3, "O"), 1));
    struct Case {
        const char *fee, *managers, *weeks;
        const char *contribution, *distribution, *balance;
        bool unbalanced;
    };
    for (const Case& c : {Case{"20", "10", "14", "Total Contribution: 200",
                               "Total Distribution: 254", "Balance: -54", true},
                          Case{"25.4", "10", "13.6", "Total Contribution: 250",
                               "Total Distribution: 254", "Balance: -4", true},
                          Case{"", "", "", "Total Contribution: 0", "Total Distribution: 100",
                               "Balance: -100", true}}) {
        const SeasonTotalsText totals = SeasonRules::Totals(c.fee, c.managers, c.weeks, prizes);
        EXPECT_EQ(totals.contribution, c.contribution) << c.fee;
        EXPECT_EQ(totals.distribution, c.distribution) << c.fee;
        EXPECT_EQ(totals.balance, c.balance) << c.fee;
        EXPECT_EQ(totals.unbalanced, c.unbalanced) << c.fee;
    }
    const SeasonTotalsText even = SeasonRules::Totals("12", "20", "5", nullptr);
    EXPECT_EQ(even.balance, "Balance: 240");
    EXPECT_FALSE(SeasonRules::Totals("0", "3", "5", nullptr).unbalanced);
}

TEST(SeasonRules, WhatTheLocksLeaveOpen) {
    struct Case {
        SeasonLocks locks;
        bool editable;
        bool managers, rounds, weeksAndMoney, lockBoxes, feePaid, readOnly, frozen;
    };
    for (const Case& c : {
             Case{{}, true, true, true, true, true, true, false, false},
             Case{{true, false, false, false}, true, false, true, true, true, true, true, false},
             Case{{false, true, false, false}, true, true, false, true, true, true, true, false},
             Case{{false, false, true, false}, true, true, true, false, true, true, false, true},
             Case{
                 {false, false, false, true}, false, false, false, false, false, false, true, true},
         }) {
        const SeasonEditable open = SeasonRules::EditableFor(c.locks, c.editable);
        EXPECT_EQ(std::make_tuple(open.managers, open.rounds, open.weeksAndMoney, open.lockBoxes,
                                  open.feePaid),
                  std::make_tuple(c.managers, c.rounds, c.weeksAndMoney, c.lockBoxes, c.feePaid));
        EXPECT_EQ(SeasonRules::ManagersReadOnly(c.locks, c.locks.season), c.readOnly);
        EXPECT_EQ(SeasonRules::PrizesFrozen(c.locks, c.locks.season), c.frozen);
    }
}

}  // namespace
}  // namespace gr::ui::test
