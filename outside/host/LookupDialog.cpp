#include "LookupDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zrv {

LookupDialog::LookupDialog(const LookupQuestion& question, QWidget* parent)
    : QDialog(parent)
    , table_(new QTableWidget(this))
    , filter_(new QLineEdit(this))
    , count_(new QLabel(this))
{
    setWindowTitle(
        QString::fromStdString(question.title.empty() ? question.table : question.title));
    resize(560, 380);

    auto* top = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("查询(&F)："), this);
    filterLabel->setBuddy(filter_);
    filter_->setPlaceholderText(QStringLiteral("输入编号或名称的一部分"));
    top->addWidget(filterLabel);
    top->addWidget(filter_, 1);

    size_t columns = question.captions.size();
    for (const auto& row : question.rows)
        columns = std::max(columns, row.size());
    table_->setColumnCount(static_cast<int>(columns));
    table_->setRowCount(static_cast<int>(question.rows.size()));
    QStringList headers;
    for (size_t c = 0; c < columns; ++c)
        headers << (c < question.captions.size() ? QString::fromStdString(question.captions[c])
                                                 : QString::number(c + 1));
    table_->setHorizontalHeaderLabels(headers);
    for (size_t r = 0; r < question.rows.size(); ++r)
        for (size_t c = 0; c < question.rows[r].size(); ++c)
            table_->setItem(static_cast<int>(r), static_cast<int>(c),
                new QTableWidgetItem(QString::fromStdString(question.rows[r][c])));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(question.multiple ? QAbstractItemView::ExtendedSelection
                                               : QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(count_, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { accept(); });
    connect(
        filter_, &QLineEdit::textChanged, this, [this](const QString& text) { SetFilter(text); });
    connect(filter_, &QLineEdit::returnPressed, table_, [this] { table_->setFocus(); });

    filter_->setText(QString::fromStdString(question.filter));
    SetFilter(filter_->text());
    table_->setFocus();
}

void LookupDialog::SetFilter(const QString& text)
{
    const QString wanted = text.trimmed();
    int shown = 0;
    int first = -1;
    for (int r = 0; r < table_->rowCount(); ++r) {
        bool match = wanted.isEmpty();
        for (int c = 0; !match && c < table_->columnCount(); ++c)
            if (const auto* item = table_->item(r, c))
                match = item->text().contains(wanted, Qt::CaseInsensitive);
        table_->setRowHidden(r, !match);
        if (match) {
            ++shown;
            if (first < 0)
                first = r;
        }
    }
    // The first row that remains is ready to be taken with Enter.
    if (first >= 0
        && (table_->selectedItems().isEmpty() || table_->isRowHidden(table_->currentRow())))
        table_->selectRow(first);
    count_->setText(QStringLiteral("共 %1 笔").arg(shown));
}

std::vector<size_t> LookupDialog::ChosenRows() const
{
    std::vector<size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        if (!table_->isRowHidden(index.row()))
            rows.push_back(static_cast<size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace zrv
