#include "DatePickDialog.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zrv {

DatePickDialog::DatePickDialog(const QDate& start, bool localEra, QWidget* parent)
    : QDialog(parent)
    , calendar_(new QCalendarWidget(this))
    , label_(new QLabel(this))
    , localEra_(localEra)
{
    setWindowTitle(QStringLiteral("日期快手"));
    calendar_->setGridVisible(true);
    calendar_->setSelectedDate(start.isValid() ? start : QDate::currentDate());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QPushButton* today
        = buttons->addButton(QStringLiteral("今天(&T)"), QDialogButtonBox::ResetRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(calendar_, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(today, &QPushButton::clicked, calendar_,
        [this] { calendar_->setSelectedDate(QDate::currentDate()); });
    connect(calendar_, &QCalendarWidget::activated, this, [this](const QDate&) { accept(); });
    connect(calendar_, &QCalendarWidget::selectionChanged, this,
        [this] { label_->setText(ChosenText()); });
    label_->setText(ChosenText());
}

QDate DatePickDialog::Chosen() const { return calendar_->selectedDate(); }

QString DatePickDialog::ChosenText() const
{
    const QDate d = Chosen();
    if (localEra_)
        return QStringLiteral("民国 %1 年 %2 月 %3 日")
            .arg(d.year() - 1911)
            .arg(d.month(), 2, 10, QLatin1Char('0'))
            .arg(d.day(), 2, 10, QLatin1Char('0'));
    return d.toString(QStringLiteral("yyyy 年 MM 月 dd 日"));
}

} // namespace zrv
