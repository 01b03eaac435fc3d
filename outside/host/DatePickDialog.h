#pragma once
// The date quick-pick: a calendar with OK, Cancel and Today. With the local era the chosen date
// is also written with the era's year (year - 1911), as those users read dates.

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;

namespace zrv {

class DatePickDialog : public QDialog {
public:
    DatePickDialog(const QDate& start, bool localEra, QWidget* parent = nullptr);

    QDate Chosen() const;
    QCalendarWidget* Calendar() const { return calendar_; }
    // The chosen date as the label shows it.
    QString ChosenText() const;

private:
    QCalendarWidget* calendar_;
    QLabel* label_;
    bool localEra_;
};

} // namespace zrv
