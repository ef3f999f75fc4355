// The "Ambiguities" panel of the parse-tree page as a user meets it: filled by a parse,
// a click on a reading shows its first tree, and steps mark what changed.
#include <QTreeWidget>

#include "parsesheet/ambiguity_list.h"
#include "workbench/ambiguity_panel.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

class AmbiguityPanelTest : public test::ShownWindow {
protected:
    void Parse(const QString& sentence) {
        TypeSentence(sentence);
        Click(Form->Parsing->ParseBtn);
    }
    TAmbiguityPanel* Panel() const { return Form->Parsing->Ambiguities; }
    QTreeWidgetItem* Item(const QString& text) const {
        const auto found =
            Panel()->AmbiguityList->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.front() : nullptr;
    }
    void ClickItem(QTreeWidgetItem* item) {
        ASSERT_NE(item, nullptr);
        QTreeWidget* list = Panel()->AmbiguityList;
        list->scrollToItem(item);
        Click(list->viewport(), Qt::LeftButton, Qt::NoModifier,
              list->visualItemRect(item).center());
    }
    QImage TreePicture() const { return Form->Parsing->ParseTreePB->grab().toImage(); }
    QString Note() const { return Panel()->AmbiguityNote->text(); }
};

TEST_F(AmbiguityPanelTest, AClickOnAReadingShowsItsFirstTree) {
    Prompts.AnswerWith(GRAMARBOR_EXAMPLES "/attachment.cfg");
    Click(Form->Parsing->LoadCFGButton);
    Parse(QStringLiteral("I saw the man in the park with a telescope"));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    ASSERT_EQ(Form->Parsing->ParsingPC->currentWidget(), Form->Parsing->ParseTreeSheet);
    EXPECT_EQ(Note().toStdString(), NoteSpansListed(3));
    EXPECT_EQ(Panel()->AmbiguityList->topLevelItemCount(), 3);

    const struct {
        const char* Reading;
        const char* Tree;
    } clicks[] = {
        {"VP = VP PP: \"saw the man in the park\" + \"with a telescope\", 2 readings", "4"},
        {"VP = VP PP: \"saw the man\" + \"in the park with a telescope\", 1 reading", "3"},
        {"NP = NP PP: \"the man in the park\" + \"with a telescope\", 1 reading", "2"},
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.Reading);
        const QImage before = TreePicture();
        ClickItem(Item(QString::fromLatin1(click.Reading)));
        EXPECT_EQ(Form->Parsing->PTCur->text(), click.Tree);
        EXPECT_EQ(Note().toStdString(), NoteFirstTree(click.Tree));
        EXPECT_NE(TreePicture(), before);
        EXPECT_GT(Form->Parsing->Sheet().ChangedNodes(), 0u);
    }
    // The arrows go on from the tree chosen; a span's own line chooses no tree.
    ClickArrow(Form->Parsing->PTUD, true);
    EXPECT_EQ(Form->Parsing->PTCur->text(), "3");
    ClickItem(Item(QStringLiteral(
        "\"the man in the park with a telescope\" (words 3 to 10): NP, 2 readings in 2 "
        "analyses")));
    EXPECT_EQ(Form->Parsing->PTCur->text(), "3");
    EXPECT_EQ(Note().toStdString(), NoteNotAReading);
    // Return on a reading reached with the keyboard.
    Press(Qt::Key_Home);
    Press(Qt::Key_Down);
    ASSERT_EQ(Panel()->AmbiguityList->currentItem(),
              Item(QStringLiteral(
                  "VP = V NP: \"saw\" + \"the man in the park with a telescope\", 2 readings")));
    Press(Qt::Key_Return);
    EXPECT_EQ(Form->Parsing->PTCur->text(), "1");
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();

    // One tree: nothing to list, and the panel says so.
    Parse(QStringLiteral("I saw the man"));
    EXPECT_EQ(Panel()->AmbiguityList->topLevelItemCount(), 0);
    EXPECT_EQ(Note().toStdString(), NoteOneParseTree);
}

} // namespace
} // namespace gramarbor
