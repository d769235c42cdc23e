// The year picker of the season window: shows one year, changed only with its up and down
// arrows (buttons, arrow keys, page keys, wheel), never beyond the year of its maximum date.
// Unlike a plain spin box, which clamps silently, it reports every step, including a step up
// at the maximum that leaves the year as it was, so the window can tell the user why.
#pragma once

#include <QAbstractSpinBox>
#include <QDate>

namespace gr::ui {

class YearPicker : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit YearPicker(QWidget* parent = nullptr);

    // 1 January of the year shown.
    QDate date() const { return QDate(m_year, 1, 1); }
    int year() const { return m_year; }
    // Shows the year of date (kept within the minimum and maximum); reports nothing.
    void setDate(const QDate& date);

    QDate maximumDate() const { return QDate(m_maximumYear, 12, 31); }
    void setMaximumDate(const QDate& date);
    int minimumYear() const { return m_minimumYear; }

    void stepBy(int steps) override;

  signals:
    // After every step up or down, whether or not the year changed.
    void Change();

  protected:
    StepEnabled stepEnabled() const override;

  private:
    void showYear();

    int m_minimumYear = 1900;
    int m_maximumYear = 9999;
    int m_year = 2000;
};

}  // namespace gr::ui
