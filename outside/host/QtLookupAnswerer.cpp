#include "QtLookupAnswerer.h"

#include "DatePickDialog.h"
#include "LookupDialog.h"

#include <QApplication>
#include <QWidget>

namespace zrv {

namespace {

    bool CanShowDialogs()
    {
        return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    }

    QWidget* Owner(int64_t handle)
    {
        return handle ? QWidget::find(static_cast<WId>(handle)) : nullptr;
    }

} // namespace

std::vector<size_t> QtLookupAnswerer::ChooseRows(const LookupQuestion& question)
{
    if (!CanShowDialogs())
        return {};
    LookupDialog dialog(question, Owner(question.parentWindow));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.ChosenRows();
}

std::string QtLookupAnswerer::ChooseDate(
    const std::string& start, bool localEra, int64_t parentWindow)
{
    if (!CanShowDialogs())
        return {};
    DatePickDialog dialog(
        QDate::fromString(QString::fromStdString(start), QStringLiteral("yyyyMMdd")), localEra,
        Owner(parentWindow));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.Chosen().toString(QStringLiteral("yyyyMMdd")).toStdString();
}

std::string QtLookupAnswerer::ChoosePhrase(
    const std::vector<std::string>& phrases, int64_t parentWindow)
{
    if (!CanShowDialogs() || phrases.empty())
        return {};
    LookupQuestion question;
    question.title = "常用短语";
    question.captions = { "短语" };
    for (const auto& p : phrases)
        question.rows.push_back({ p });
    question.parentWindow = parentWindow;
    LookupDialog dialog(question, Owner(parentWindow));
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenRows().empty())
        return {};
    return phrases[dialog.ChosenRows().front()];
}

} // namespace zrv
