// Drives the trees sheet of the real main window: its controls, split screen,
// the highlight under the mouse, hot keys and the transfer of a parse tree.
#include "workbench/trees_sheet.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "workbench/fake_prompter.h"
#include "workbench/main_window.h"
#include "workbench/tree_dialogs.h"
#include "workbench/widgets.h"

namespace gramarbor {
namespace {

using test::FakePrompter;

class TreesSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm1>(&Prompts);
        Form->GlobalPC->setCurrentWidget(Form->TreeSheet);
        Form->show();
        View = Form->Trees;
        View->SetDialogHost(&Dialogs);
    }
    void TearDown() override { Form.reset(); }

    TTreeSheet& Sheet() { return View->Sheet(); }
    std::string Text(TTree& tree) {
        std::string text;
        if (tree.GetRoot()) tree.TreeToStr(text);
        return text;
    }
    void MoveOver(TPictureBox* box, int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), box->mapToGlobal(QPointF(x, y)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    }
    void ClickOn(TPictureBox* box, Qt::MouseButton button, int x, int y) {
        MoveOver(box, x, y);
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, y), box->mapToGlobal(QPointF(x, y)),
                          button, button, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    }
    static QPoint Centre(const TNode* node) {
        return {(node->Rect.Left + node->Rect.Right) / 2, (node->Rect.Top + node->Rect.Bottom) / 2};
    }

    FakePrompter Prompts;
    TTreeSheetHost Dialogs; // answers every dialog with Cancel
    std::unique_ptr<TForm1> Form;
    TTreesSheetView* View = nullptr;
};

TEST_F(TreesSheetTest, ControlsStartFromTheSettings) {
    for (const char* name :
         {"TreePaint1",    "TreePaint2",  "NewTreeCB",   "ActiveTreeRG",  "BinLayUD",
          "FrameCB",       "TriangleCB",  "ArrowCB",     "SplitScreenCB", "PasteModeRG",
          "OptimalTreeCB", "PlaneTreeCB", "PlaneTreeRG", "BoldLineCB",    "HoriDistUD",
          "VertDistUD",    "HoriDistLab", "VertDistLab", "BinLayLab",     "PushLeftBtn",
          "PushRghtBtn",   "SaveWMFBtn",  "Button4",     "PreviewBtn"})
        EXPECT_NE(Form->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(View->NewTreeCB->count(), 5);
    EXPECT_EQ(View->NewTreeCB->currentText(), "Start node");
    EXPECT_FALSE(View->PushLeftBtn->isEnabled());
    EXPECT_FALSE(View->ActiveTreeRG->isEnabled());
    EXPECT_FALSE(View->PlaneTreeRG->isEnabled());
    EXPECT_EQ(View->BinLayLab->text(), "5");
    EXPECT_EQ(View->BinLayUD->Max(), 9);
    EXPECT_EQ(View->HoriDistLab->text(), "64");
    EXPECT_EQ(View->HoriDistUD->Min(), 16);
    EXPECT_EQ(View->HoriDistUD->Max(), 996);
    EXPECT_TRUE(View->FrameCB->isChecked());
    EXPECT_EQ(View->Button4->text(), "Clip&board");
    EXPECT_EQ(View->TreeToTextBtn->text(), "Tr&ee > text");

    View->OptimalTreeCB->click();
    EXPECT_TRUE(View->PushLeftBtn->isEnabled());
    EXPECT_TRUE(View->PushRghtBtn->isEnabled());
    View->PlaneTreeCB->click();
    EXPECT_TRUE(View->PlaneTreeRG->isEnabled());
    EXPECT_TRUE(Sheet().TreeOptions & toPlane);
    View->BinLayUD->Step(1);
    EXPECT_EQ(Sheet().BinaryLayers, 6);
    EXPECT_EQ(View->BinLayLab->text(), "6");
}

TEST_F(TreesSheetTest, SplitScreenSwitchesTheActiveTreeAndTheSecondWindow) {
    View->NewTreeBtn->click();
    EXPECT_EQ(Text(Sheet().Tree1), "[Start]");
    EXPECT_FALSE(View->TreeScroll2->isVisible());
    View->SplitScreenCB->click();
    EXPECT_TRUE(View->TreeScroll2->isVisible());
    EXPECT_EQ(Sheet().ActiveTreeIndex, 1);
    EXPECT_EQ(View->ActiveTreeRG->ItemIndex(), 1);
    EXPECT_TRUE(View->ActiveTreeRG->isEnabled());
    View->NewTreeCB->setEditText(QStringLiteral("Full binary tree"));
    View->NewTreeBtn->click();
    EXPECT_EQ(Sheet().Tree2.GetRoot()->Name, "Node%_1");
    EXPECT_EQ(View->TreePaint2->width(), Sheet().Tree2.Metafile.Width);
    View->ActiveTreeRG->ClickItem(0);
    EXPECT_EQ(Sheet().ActiveTreeIndex, 0);
    View->SplitScreenCB->click();
    EXPECT_FALSE(View->TreeScroll2->isVisible());
    EXPECT_EQ(Sheet().ActiveTreeIndex, 0);
    EXPECT_NE(Sheet().Tree2.GetRoot(), nullptr);
}

TEST_F(TreesSheetTest, MouseHighlightsDefinesAndInsertsParents) {
    Form->InputText->setEditText(QStringLiteral("[S [NP] [VP]]"));
    View->TextToTreeBtn->click();
    TNode* vp = Sheet().Tree1.GetRoot()->Children[1].get();
    const QPoint at = Centre(vp);
    MoveOver(View->TreePaint1, 1, 1); // empty space: nothing
    EXPECT_EQ(Sheet().HighlightedNode, nullptr);
    MoveOver(View->TreePaint1, at.x(), at.y());
    EXPECT_EQ(Sheet().HighlightedNode, vp);
    EXPECT_EQ(Sheet().HighlightRect, vp->Rect);
    // The right button puts "?" above VP.
    ClickOn(View->TreePaint1, Qt::RightButton, at.x(), at.y());
    EXPECT_EQ(Text(Sheet().Tree1), "[S [NP] [? [VP]]]");
    // The left button opens the node definition (answered with Cancel here).
    ClickOn(View->TreePaint1, Qt::LeftButton, Centre(Sheet().Tree1.GetRoot()).x(),
            Centre(Sheet().Tree1.GetRoot()).y());
    EXPECT_EQ(Sheet().HighlightedNode, Sheet().Tree1.GetRoot());
    // Undo (Ctrl+Z) takes the insertion back.
    Sheet().Undo();
    EXPECT_EQ(Text(Sheet().Tree1), "[S [NP] [VP]]");

    View->TreeToTextBtn->click();
    EXPECT_EQ(Form->InputText->currentText(), "[S [NP] [VP]]");
}

TEST_F(TreesSheetTest, TransferPutsTheParseTreeIntoTheActiveWindow) {
    Form->GlobalPC->setCurrentWidget(Form->ParsingSheet);
    View->SplitScreenCB->click();
    ASSERT_TRUE(Form->ParseTree.StrToTree("[S [NP [the] [cat]] [VP [sleeps]]]"));
    Form->TransferBtn->click();
    EXPECT_EQ(Form->GlobalPC->currentWidget(), Form->TreeSheet);
    EXPECT_EQ(Text(Sheet().Tree2), "[S [NP [the] [cat]] [VP [sleeps]]]");
    EXPECT_EQ(Sheet().Tree1.GetRoot(), nullptr);
    EXPECT_GT(View->TreePaint2->width(), 0);
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(TreesSheetTest, HotKeysWorkOnlyWhileTheSheetIsInFront) {
    Sheet().HotKeys[4] = "[X [Y]]";
    Form->GlobalPC->setCurrentWidget(Form->ParsingSheet);
    EXPECT_FALSE(View->FormKeyDown(4));
    EXPECT_EQ(Sheet().Tree1.GetRoot(), nullptr);
    Form->GlobalPC->setCurrentWidget(Form->TreeSheet);
    EXPECT_TRUE(View->FormKeyDown(4));
    EXPECT_EQ(Text(Sheet().Tree1), "[X [Y]]");
}

TEST_F(TreesSheetTest, RestoredSettingsReachTheControls) {
    Sheet().TreeList = {"(2)Small@[A [B]]", "Other@[C]"};
    Sheet().HDist = 100;
    Sheet().SplitScreen = true;
    Sheet().RebuildTreeNames();
    View->ShowTrees();
    ASSERT_EQ(View->NewTreeCB->count(), 2);
    EXPECT_EQ(View->NewTreeCB->itemText(0), "(2)Small");
    EXPECT_EQ(View->HoriDistLab->text(), "100");
    EXPECT_TRUE(View->SplitScreenCB->isChecked());
    EXPECT_EQ(Sheet().HotKeys[2], "[A [B]]");
}

TEST_F(TreesSheetTest, SaveWmfWritesTheFormatOfTheExtension) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string svg = (dir / "trees_sheet_test.svg").string();
    const std::string wmf = (dir / "trees_sheet_test.wmf").string();
    View->SaveWMFBtn->click();
    EXPECT_EQ(Prompts.Last(), "There is no tree or metafile to save by now.");
    View->NewTreeBtn->click();
    Prompts.AnswerWith(svg);
    Prompts.AnswerWith(wmf);
    View->SaveWMFBtn->click();
    View->SaveWMFBtn->click();
    ASSERT_EQ(Prompts.Dialogs.size(), 2u);
    EXPECT_EQ(Prompts.Dialogs[0].Title, "Save as WMF");
    EXPECT_TRUE(Prompts.Dialogs[0].Filter.startsWith("Windows MetaFiles|*.WMF|"));
    EXPECT_TRUE(Prompts.Dialogs[0].Filter.contains("*.SVG"));
    std::ifstream in(svg);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "<?xml");
    EXPECT_GT(std::filesystem::file_size(wmf), 18u);
    std::filesystem::remove(svg);
    std::filesystem::remove(wmf);
}

TEST_F(TreesSheetTest, DialogViewsShowTheirModels) {
    TIOFormDlg format;
    format.ShortcutsRGClick(2);
    TTreePrevDlg preview;
    preview.Pict.Width = 200;
    preview.Pict.Height = 100;
    preview.CMX = "5.29 cm";
    View->TreePrevDlg->Fill(preview);
    EXPECT_EQ(View->TreePrevDlg->CMXLab->text(), "5.29 cm");
    EXPECT_EQ(View->TreePrevDlg->windowTitle(), "Tree preview");
    EXPECT_EQ(View->DefNodeDlg->windowTitle(), "Define node");
    EXPECT_EQ(View->IOFormDlg->windowTitle(), "Define input/output text formats");
    EXPECT_EQ(View->NodeDefDlg->windowTitle(), "Define node defaults");
    EXPECT_EQ(View->TreeListDlg->windowTitle(), "Edit tree list");
}

} // namespace
} // namespace gramarbor
