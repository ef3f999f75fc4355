// The trace list of the trace sheet: a table over the parse's trace lines, with the
// line number, the rule number and the pattern of each tab-separated line in three
// columns. Rows are made only when they are shown, so a trace of millions of lines
// appears at once; Ctrl+C copies the chosen lines as text.
#pragma once

#include <string>
#include <vector>

#include <QTableView>

namespace gramarbor {

class TTraceModel;

class TTraceView final : public QTableView {
    Q_OBJECT
public:
    explicit TTraceView(QWidget* parent = nullptr);

    // Shows lines (taken over); an empty list shows nothing.
    void ShowLines(std::vector<std::string> lines);
    // The lines shown (empty when none).
    const std::vector<std::string>& Lines() const;
    // Line row as shown, its columns joined by tabs again (UTF-16).
    QString RowText(int row) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TTraceModel* Model;
};

} // namespace gramarbor
