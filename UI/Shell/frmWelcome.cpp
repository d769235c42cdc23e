#include "frmWelcome.h"

#include <QVBoxLayout>

namespace gr::ui {

namespace {
constexpr double kLargePoints = 24.0;
constexpr double kSmallPoints = 13.5;
constexpr double kStepsPoints = 12.0;

const char* const kFirstSeasonSteps =
    "<p><b>A first season, in three steps:</b></p><ol>"
    "<li><b>Setup \u2192 Season</b>: the year, the managers and the draft rounds.</li>"
    "<li><b>Manager Ranking</b>: shuffle the draft order, then Save &amp; Lock.</li>"
    "<li><b>Draft Players</b>: enter the picks.</li></ol>";
}  // namespace

QLabel* MakeCentredLabel(QWidget* parent, const char* name, const QString& text, double points) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setBold(true);
    font.setPointSizeF(points);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

frmWelcome::frmWelcome(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Welcome"));
    // It lies on the child area's background, and should look like a window of its own.
    setAutoFillBackground(true);
    lblWel1 = MakeCentredLabel(this, "lblWel1", QStringLiteral("Welcome"), kLargePoints);
    lblWel2 = MakeCentredLabel(this, "lblWel2", QStringLiteral("to"), kSmallPoints);
    lblWel3 = MakeCentredLabel(this, "lblWel3", QStringLiteral("Gridora"), kLargePoints);
    lblWel4 = MakeCentredLabel(this, "lblWel4", QStringLiteral("Management System"), kLargePoints);
    lblWel5 = MakeCentredLabel(this, "lblWel5", QStringLiteral("v2.0"), kSmallPoints);
    lblFirstSteps = new QLabel(QString::fromUtf8(kFirstSeasonSteps), this);
    lblFirstSteps->setObjectName(QStringLiteral("lblFirstSteps"));
    lblFirstSteps->setTextFormat(Qt::RichText);
    QFont stepsFont = lblFirstSteps->font();
    stepsFont.setPointSizeF(kStepsPoints);
    lblFirstSteps->setFont(stepsFont);
    lblFirstSteps->hide();

    // The layout keeps the column centred horizontally on every resize.
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    for (QLabel* label : {lblWel1, lblWel2, lblWel3, lblWel4, lblWel5})
        column->addWidget(label, 0, Qt::AlignHCenter);
    column->addSpacing(24);
    column->addWidget(lblFirstSteps, 0, Qt::AlignHCenter);
    column->addStretch(2);
}

void frmWelcome::ShowFirstSeasonSteps(bool show) {
    lblFirstSteps->setVisible(show);
}

}  // namespace gr::ui
