// The trace list's table and the model behind it.
#include "workbench/trace_view.h"

#include <algorithm>
#include <climits>

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>

#include "workbench/prompter.h"

namespace gramarbor {

// The rows of a line list, split at its tabs into three columns.
class TTraceModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetLines(std::vector<std::string> lines) {
        beginResetModel();
        Shown = std::move(lines);
        endResetModel();
    }
    const std::vector<std::string>& Lines() const { return Shown; }

    int rowCount(const QModelIndex& parent) const override {
        if (parent.isValid()) return 0;
        return static_cast<int>(std::min<std::size_t>(Shown.size(), INT_MAX));
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        return FromCore(Field(Shown[static_cast<std::size_t>(index.row())], index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static const char* const titles[] = {"Line #", "Rule #", "Pattern for matching"};
        return section >= 0 && section < 3 ? QString::fromLatin1(titles[section]) : QVariant();
    }

    // Field column of a tab-separated line; the last column takes the rest.
    static std::string Field(const std::string& line, int column) {
        std::size_t start = 0;
        for (int c = 0; c < column; ++c) {
            const std::size_t tab = line.find('\t', start);
            if (tab == std::string::npos) return {};
            start = tab + 1;
        }
        const std::size_t end = column < 2 ? line.find('\t', start) : std::string::npos;
        return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }

private:
    std::vector<std::string> Shown;
};

TTraceView::TTraceView(QWidget* parent) : QTableView(parent), Model(new TTraceModel(this)) {
    setModel(Model);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Equal rows: the view never measures millions of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 72);
    setColumnWidth(1, 72);
}

void TTraceView::ShowLines(std::vector<std::string> lines) {
    // The pattern column as wide as the longest line needs (a fixed-width font).
    std::size_t longest = 0;
    for (const std::string& line : lines)
        longest = std::max(longest, line.size());
    Model->SetLines(std::move(lines));
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const int wanted = static_cast<int>(std::min<std::size_t>(longest + 2, 100000)) * charWidth;
    setColumnWidth(2, std::max(wanted, 200));
    scrollToTop();
}

const std::vector<std::string>& TTraceView::Lines() const {
    return Model->Lines();
}

QString TTraceView::RowText(int row) const {
    const std::vector<std::string>& lines = Lines();
    if (row < 0 || static_cast<std::size_t>(row) >= lines.size()) return {};
    return FromCore(lines[static_cast<std::size_t>(row)]);
}

void TTraceView::keyPressEvent(QKeyEvent* event) {
    if (event != QKeySequence::Copy) {
        QTableView::keyPressEvent(event);
        return;
    }
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList text;
    for (const QModelIndex& index : rows)
        text << RowText(index.row());
    QApplication::clipboard()->setText(text.join(QLatin1Char('\n')));
    event->accept();
}

} // namespace gramarbor
