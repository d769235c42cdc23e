#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSignalSpy>
#include <QToolButton>

#include "GRIcons.h"
#include "YearPicker.h"

using namespace gr::ui;

TEST(YearPicker, ReportsEveryStepAndNeverPassesItsMaximum) {
    YearPicker picker;
    picker.setMaximumDate(QDate(2026, 12, 31));
    picker.setDate(QDate(2025, 1, 1));
    QSignalSpy changes(&picker, &YearPicker::Change);

    picker.stepBy(1);
    EXPECT_EQ(picker.year(), 2026);
    picker.stepBy(1);  // at the maximum: the year stays, the step is still reported
    EXPECT_EQ(picker.year(), 2026);
    picker.stepBy(-1);
    EXPECT_EQ(picker.date(), QDate(2025, 1, 1));
    EXPECT_EQ(changes.count(), 3);

    picker.setDate(QDate(2030, 6, 1));  // beyond the maximum shows the maximum, unreported
    EXPECT_EQ(picker.year(), 2026);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(picker.text(), QStringLiteral("2026"));
}

TEST(YearPicker, ArrowKeysStepAndTypingDoesNothing) {
    YearPicker picker;
    picker.setMaximumDate(QDate(2026, 12, 31));
    picker.setDate(QDate(2026, 1, 1));
    QSignalSpy changes(&picker, &YearPicker::Change);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    QCoreApplication::sendEvent(&picker, &up);
    QCoreApplication::sendEvent(&picker, &down);
    QCoreApplication::sendEvent(&picker, &digit);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(picker.year(), 2025);
}

TEST(Icons, PageIconsKeepIdAndTitleEscapedAndButtonsTakeTheFocus) {
    EXPECT_EQ(IconHtml('r', "CA-1-7", "Delete manager"),
              "<div class='glyph' style='cursor:default' id='CA-1-7' title='Delete manager'>"
              "\u2716</div>");
    EXPECT_EQ(IconHtml('N', "CC-3", "Search 'prizes'", IconSize::Large),
              "<div class='glyph' style='font-size:16pt; cursor:default' id='CC-3' "
              "title='Search &#39;prizes&#39;'>\U0001F50D</div>");
    QToolButton button;
    SetIconButton(&button, 'l', "Add a new player");
    EXPECT_EQ(button.text(), QStringLiteral("\u271A"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Add a new player"));
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
}
