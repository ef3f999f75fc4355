// The "Ambiguities" panel of the parse-tree page: the ambiguous spans of the sentence
// with their readings below them, and a note. Choosing a reading (a click, or Return
// on it) hands its line to ReadingChosen.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include <QGroupBox>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace gramarbor {

class TAmbiguityList;

class TAmbiguityPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit TAmbiguityPanel(QWidget* parent = nullptr);

    // Shows the list's lines and note.
    void ShowList(const TAmbiguityList& list);
    void ShowNote(const std::string& note);

    std::function<void(std::size_t line)> ReadingChosen;

    QTreeWidget* AmbiguityList;
    QLabel* AmbiguityNote;

    // The item of line of the list shown, or null.
    QTreeWidgetItem* ItemOfLine(std::size_t line) const;

private:
    void ItemChosen(QTreeWidgetItem* item);
};

} // namespace gramarbor
