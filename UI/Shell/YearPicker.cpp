#include "YearPicker.h"

#include <QLineEdit>
#include <algorithm>

namespace gr::ui {

YearPicker::YearPicker(QWidget* parent) : QAbstractSpinBox(parent) {
    // The year is never typed, only stepped: a typed year could skip the season checks.
    lineEdit()->setReadOnly(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    showYear();
}

void YearPicker::setDate(const QDate& date) {
    if (!date.isValid()) return;
    m_year = std::clamp(date.year(), m_minimumYear, m_maximumYear);
    showYear();
}

void YearPicker::setMaximumDate(const QDate& date) {
    if (!date.isValid()) return;
    m_maximumYear = std::max(date.year(), m_minimumYear);
    m_year = std::min(m_year, m_maximumYear);
    showYear();
}

void YearPicker::stepBy(int steps) {
    m_year = std::clamp(m_year + steps, m_minimumYear, m_maximumYear);
    showYear();
    emit Change();
}

QAbstractSpinBox::StepEnabled YearPicker::stepEnabled() const {
    // Both arrows always answer: a step up at the maximum still reports (see Change).
    return StepUpEnabled | StepDownEnabled;
}

void YearPicker::showYear() {
    lineEdit()->setText(QString::number(m_year));
}

}  // namespace gr::ui
