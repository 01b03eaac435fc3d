#pragma once
// The lookup window: the rows of a master table in a grid, a filter above it, and OK and Cancel.
// Double-clicking a row or pressing Enter on it chooses it.

#include "LookupAnswerer.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace zrv {

class LookupDialog : public QDialog {
public:
    explicit LookupDialog(const LookupQuestion& question, QWidget* parent = nullptr);

    // Positions (in the question's rows) of the selected rows the filter shows, in row order.
    std::vector<size_t> ChosenRows() const;
    // Shows only the rows with a cell containing `text` (without regard to case).
    void SetFilter(const QString& text);

    QTableWidget* Table() const { return table_; }
    QLineEdit* FilterEdit() const { return filter_; }

private:
    QTableWidget* table_;
    QLineEdit* filter_;
    QLabel* count_;
};

} // namespace zrv
