#include "frmWelcome.h"

#include <QVBoxLayout>

namespace gr::ui {

namespace {
constexpr double kLargePoints = 24.0;
constexpr double kSmallPoints = 13.5;
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

    // The layout keeps the column centred horizontally on every resize.
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    for (QLabel* label : {lblWel1, lblWel2, lblWel3, lblWel4, lblWel5})
        column->addWidget(label, 0, Qt::AlignHCenter);
    column->addStretch(2);
}

}  // namespace gr::ui
