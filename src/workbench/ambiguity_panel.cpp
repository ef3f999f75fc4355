// The "Ambiguities" panel: spans as top-level items, their readings below them.
#include "workbench/ambiguity_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "parsesheet/ambiguity_list.h"
#include "workbench/prompter.h"
#include "workbench/widget_factory.h"

namespace gramarbor {

namespace {

// Each item keeps the number of its line of the list.
constexpr int LineRole = Qt::UserRole;

} // namespace

TAmbiguityPanel::TAmbiguityPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Ambiguities"), parent) {
    setObjectName(QStringLiteral("AmbiguityPanel"));
    AmbiguityList = new QTreeWidget(this);
    AmbiguityList->setObjectName(QStringLiteral("AmbiguityList"));
    AmbiguityList->setHeaderHidden(true);
    AmbiguityList->setColumnCount(1);
    AmbiguityList->setRootIsDecorated(true);
    AmbiguityList->setUniformRowHeights(true);
    AmbiguityList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    AmbiguityList->header()->setStretchLastSection(false);
    AmbiguityNote = MakeLabel(QString(), "AmbiguityNote", this);
    AmbiguityNote->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(AmbiguityNote);
    layout->addWidget(AmbiguityList, 1);
    connect(AmbiguityList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ItemChosen(item); });
    connect(AmbiguityList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { ItemChosen(item); });
}

void TAmbiguityPanel::ShowList(const TAmbiguityList& list) {
    AmbiguityList->clear();
    QTreeWidgetItem* span = nullptr;
    const auto& lines = list.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool top = lines[i].Kind == TAmbiguityLineKind::Span || !span;
        auto* item = top ? new QTreeWidgetItem(AmbiguityList) : new QTreeWidgetItem(span);
        item->setText(0, FromCore(lines[i].Text));
        item->setData(0, LineRole, static_cast<qulonglong>(i));
        if (lines[i].Kind == TAmbiguityLineKind::Span) span = item;
        if (lines[i].Kind != TAmbiguityLineKind::Reading) {
            QFont font = item->font(0);
            font.setItalic(lines[i].Kind == TAmbiguityLineKind::More);
            item->setFont(0, font);
        }
    }
    AmbiguityList->expandAll();
    ShowNote(list.Note());
}

void TAmbiguityPanel::ShowNote(const std::string& note) {
    AmbiguityNote->setText(FromCore(note));
}

QTreeWidgetItem* TAmbiguityPanel::ItemOfLine(std::size_t line) const {
    for (QTreeWidgetItemIterator it(AmbiguityList); *it; ++it)
        if ((*it)->data(0, LineRole).toULongLong() == line) return *it;
    return nullptr;
}

void TAmbiguityPanel::ItemChosen(QTreeWidgetItem* item) {
    if (item && ReadingChosen) ReadingChosen(item->data(0, LineRole).toULongLong());
}

} // namespace gramarbor
