// The welcome window: shown from start-up to shut-down beneath every other child window.
#pragma once

#include <QLabel>
#include <QWidget>

namespace gr::ui {

class frmWelcome : public QWidget {
    Q_OBJECT
  public:
    explicit frmWelcome(QWidget* parent = nullptr);
    // The three steps of a first season, shown while the league has no season.
    void ShowFirstSeasonSteps(bool show);

    QLabel* lblWel1;
    QLabel* lblWel2;
    QLabel* lblWel3;
    QLabel* lblWel4;
    QLabel* lblWel5;
    QLabel* lblFirstSteps;
};

// A bold "MS Sans Serif" label of the welcome and about windows, centred horizontally.
QLabel* MakeCentredLabel(QWidget* parent, const char* name, const QString& text, double points);

}  // namespace gr::ui
