#include "frmAbout.h"

#include <QVBoxLayout>

#include "frmWelcome.h"

namespace gr::ui {

namespace {
constexpr double kPoints = 13.5;
// Whoever distributes the program: the Gridora maintainers, who take questions through the
// project's issue tracker. There is no mail address to give.
constexpr const char* kContactName = "the Gridora maintainers,";
constexpr const char* kContactAddress = "through the project's issue tracker";
}  // namespace

frmAbout::frmAbout(QWidget* parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    lblWel1 = MakeCentredLabel(this, "lblWel1",
                               QStringLiteral("For any questions/comments contact:"), kPoints);
    lblWel2 = MakeCentredLabel(this, "lblWel2", QString::fromLatin1(kContactName), kPoints);
    lblWel3 = MakeCentredLabel(this, "lblWel3", QString::fromLatin1(kContactAddress), kPoints);

    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    for (QLabel* label : {lblWel1, lblWel2, lblWel3}) column->addWidget(label, 0, Qt::AlignHCenter);
    column->addStretch(2);
}

}  // namespace gr::ui
