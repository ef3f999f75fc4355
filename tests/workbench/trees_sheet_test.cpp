// The trees sheet as a user drives it: the option controls, the tree windows under
// the mouse, the editing buttons with undo and redo by button and key, hot keys,
// transfer, the picture save dialog and the dialogs with their help.
#include <QGuiApplication>
#include <QScrollArea>
#include <QSpinBox>

#include "workbench/help_texts.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

class TreesSheetTest : public test::ShownWindow {
protected:
    void SetUp() override {
        ShownWindow::SetUp();
        View = Form->Trees;
        ShowPage(Form->GlobalPC, Form->TreeSheet);
    }

    TTreeSheet& Sheet() { return View->Sheet(); }
    static std::string Text(TTree& tree) {
        std::string text;
        if (tree.GetRoot()) tree.TreeToStr(text);
        return text;
    }
    std::string Active() { return Text(Sheet().ActiveTree()); }
    // Types the bracket text into the in/out field and presses Text > tree.
    void MakeTree(const char* text) {
        TypeSentence(QString::fromLatin1(text));
        Click(View->TextToTreeBtn);
    }
    // The node of the active tree with this name (depth first).
    TNode* Find(const std::string& name) {
        std::function<TNode*(TNode*)> find = [&](TNode* node) -> TNode* {
            if (!node || node->Name == name) return node;
            for (auto& child : node->Children)
                if (TNode* found = find(child.get())) return found;
            return nullptr;
        };
        return find(Sheet().ActiveTree().GetRoot());
    }
    // The mouse over the node of that name in the active window, with a click of
    // button when one is given.
    void OnNode(const std::string& name, Qt::MouseButton button = Qt::NoButton) {
        TNode* node = Find(name);
        ASSERT_NE(node, nullptr) << name;
        TPictureBox* box = Sheet().ActiveTreeIndex == 0 ? View->TreePaint1 : View->TreePaint2;
        const QPoint at((node->Rect.Left + node->Rect.Right) / 2,
                        (node->Rect.Top + node->Rect.Bottom) / 2);
        QTest::mouseMove(box, at);
        ASSERT_EQ(Sheet().HighlightedNode, node) << name;
        if (button != Qt::NoButton) QTest::mouseClick(box, button, Qt::NoModifier, at);
    }
    // A key pressed on the window: the window system hands it to the focus widget
    // (which may claim it before any shortcut does).
    void KeyOnWindow(Qt::Key key, Qt::KeyboardModifiers keys = Qt::ControlModifier) {
        QTest::keyClick(Form->windowHandle(), key, keys);
    }

    TTreesSheetView* View = nullptr;
};

TEST_F(TreesSheetTest, OptionControlsFollowTheirClicks) {
    const struct {
        std::function<void()> Act;
        std::function<bool()> Holds;
        const char* What;
    } clicks[] = {
        {[&] { Click(View->OptimalTreeCB); },
         [&] { return View->PushLeftBtn->isEnabled() && View->PushRghtBtn->isEnabled(); },
         "push buttons enabled without the optimal layout"},
        {[&] { Click(View->PlaneTreeCB); },
         [&] { return View->PlaneTreeRG->isEnabled() && (Sheet().TreeOptions & toPlane); },
         "plane type enabled"},
        {[&] { ClickArrow(View->BinLayUD, true); },
         [&] { return Sheet().BinaryLayers == 6 && View->BinLayLab->text() == "6"; },
         "binary layers up by one"},
        // The distances move in steps of four, between 16 and 996.
        {[&] { ClickArrow(View->HoriDistUD, true); },
         [&] { return Sheet().HDist == 68 && View->HoriDistLab->text() == "68"; },
         "horizontal distance up by four"},
        {[&] {
             for (int i = 0; i < 20; ++i)
                 ClickArrow(View->VertDistUD, false);
         },
         [&] { return Sheet().VDist == 16 && !View->VertDistUD->DownButton()->isEnabled(); },
         "vertical distance down to 16"},
        {[&] { Click(View->FrameCB); }, [&] { return !(Sheet().TreeOptions & toFrames); },
         "frames off"},
    };
    for (const auto& click : clicks) {
        click.Act();
        EXPECT_TRUE(click.Holds()) << click.What;
    }
}

TEST_F(TreesSheetTest, SplitScreenSwitchesTheActiveTreeAndTheSecondWindow) {
    Click(View->NewTreeBtn);
    EXPECT_EQ(Text(Sheet().Tree1), "[Start]");
    EXPECT_FALSE(View->TreeScroll2->isVisible());
    Click(View->SplitScreenCB);
    EXPECT_TRUE(View->TreeScroll2->isVisible());
    EXPECT_EQ(Sheet().ActiveTreeIndex, 1);
    TypeInto(View->NewTreeCB->lineEdit(), QStringLiteral("Full binary tree"));
    Click(View->NewTreeBtn);
    EXPECT_EQ(Sheet().Tree2.GetRoot()->Name, "Node%_1");
    EXPECT_EQ(View->TreePaint2->width(), Sheet().Tree2.Metafile.Width);
    ClickItem(View->ActiveTreeRG, 0);
    EXPECT_EQ(Sheet().ActiveTreeIndex, 0);
    Click(View->SplitScreenCB);
    EXPECT_FALSE(View->TreeScroll2->isVisible());
    EXPECT_NE(Sheet().Tree2.GetRoot(), nullptr);
}

TEST_F(TreesSheetTest, MouseMarksNodesInsertsParentsAndOpensTheDefinition) {
    MakeTree("[A [B]]");
    MakeTree("[S [NP] [VP]]");
    EXPECT_EQ(Items(), (std::vector<std::string>{"[S [NP] [VP]]", "[A [B]]"}));
    QTest::mouseMove(View->TreePaint1, QPoint(1, 1)); // empty space: nothing
    EXPECT_EQ(Sheet().HighlightedNode, nullptr);
    OnNode("VP", Qt::RightButton);
    EXPECT_EQ(Text(Sheet().Tree1), "[S [NP] [? [VP]]]");
    // The left button opens the definition; Cancel changes nothing.
    WhenShown<TDefNodeDlgView>([&](TDefNodeDlgView& dialog) {
        EXPECT_EQ(dialog.NodeTextEdit->text(), "S");
        Click(dialog.BitBtn1);
    });
    OnNode("S", Qt::LeftButton);
    Click(View->TreeToTextBtn);
    EXPECT_EQ(Form->InputText->currentText(), "[S [NP] [? [VP]]]");
}

TEST_F(TreesSheetTest, UndoAndRedoByButtonAndByKey) {
    const char* const full = "[S [NP [D] [N]] [VP [V] [O]]]";
    MakeTree(full);
    OnNode("NP");
    Click(View->DelTreeBtn);
    OnNode("O");
    Click(View->CutTreeBtn);
    EXPECT_EQ(Text(Sheet().Tree1), "[S [VP [V]]]");
    EXPECT_FALSE(View->RedoBtn->isEnabled());

    // Three steps back (the tree came from Text > tree) and forth again.
    const struct {
        std::function<void()> Act;
        const char* Tree;
        bool CanUndo;
        bool CanRedo;
    } steps[] = {
        {[&] { KeyOnWindow(Qt::Key_Z); }, "[S [VP [V] [O]]]", true, true},
        {[&] { Click(View->UndoBtn); }, full, true, true},
        {[&] { KeyOnWindow(Qt::Key_Z); }, "", false, true},
        // Nothing left to undo: the key changes nothing.
        {[&] { KeyOnWindow(Qt::Key_Z); }, "", false, true},
        {[&] { KeyOnWindow(Qt::Key_Y); }, full, true, true},
        {[&] { Click(View->RedoBtn); }, "[S [VP [V] [O]]]", true, true},
        {[&] { KeyOnWindow(Qt::Key_Y); }, "[S [VP [V]]]", true, false},
        {[&] { KeyOnWindow(Qt::Key_Z); }, "[S [VP [V] [O]]]", true, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        s.Act();
        EXPECT_EQ(Text(Sheet().Tree1), s.Tree);
        EXPECT_EQ(View->UndoBtn->isEnabled(), s.CanUndo);
        EXPECT_EQ(View->RedoBtn->isEnabled(), s.CanRedo);
    }

    // While the in/out text is being edited, Ctrl+Z is that field's own undo.
    TypeSentence(QStringLiteral("abc"));
    KeyOnWindow(Qt::Key_Z);
    EXPECT_EQ(Form->InputText->currentText(), full);
    EXPECT_EQ(Text(Sheet().Tree1), "[S [VP [V] [O]]]");
    // On the parsing sheet the keys leave the trees alone.
    ShowPage(Form->GlobalPC, Form->Parsing);
    Click(Form->Parsing->Check);
    KeyOnWindow(Qt::Key_Z);
    EXPECT_EQ(Text(Sheet().Tree1), "[S [VP [V] [O]]]");
}

TEST_F(TreesSheetTest, MovementArrowsFromTheDefinitionThroughCutPasteAndUndo) {
    MakeTree("[S [NP [who]] [VP [V [saw]] [NP [t]]]]");
    const int32_t plainHeight = Sheet().Tree1.Metafile.Height;
    // Node t is number 8; its arrow goes to node 3, "who".
    WhenShown<TDefNodeDlgView>([&](TDefNodeDlgView& dialog) {
        EXPECT_EQ(dialog.NodeNumberLab->text(), "This is node 8 of 8.");
        TypeInto(dialog.MoveArrowSB, QStringLiteral("3"));
        Click(dialog.BitBtn2);
    });
    OnNode("t", Qt::LeftButton);
    const std::string arrowed = "[S [NP [who<1]] [VP [V [saw]] [NP [t>1]]]]";
    EXPECT_EQ(Text(Sheet().Tree1), arrowed);
    EXPECT_GT(Sheet().Tree1.Metafile.Height, plainHeight);

    // Cut of the VP takes the arrow's source away from its target: a message says so.
    OnNode("VP");
    Click(View->CutTreeBtn);
    EXPECT_EQ(
        Prompts.Last(),
        "1 movement arrow goes to a node outside the copied subtree; the copy leaves it out.");
    OnNode("S");
    Click(View->PasteTreeBtn);
    EXPECT_EQ(Text(Sheet().Tree1), "[S [NP [who]] [VP [V [saw]] [NP [t]]]]");
    // Undo brings the arrow back with the cut subtree.
    Click(View->UndoBtn);
    Click(View->UndoBtn);
    EXPECT_EQ(Text(Sheet().Tree1), arrowed);

    // "Tidy layout" off: the plain layout's columns, on again: the tidy ones.
    const int16_t tidyX = Find("VP")->X;
    Click(View->TidyLayoutCB);
    EXPECT_FALSE(Sheet().TreeOptions & toTidy);
    EXPECT_NE(Find("VP")->X, tidyX);
    Click(View->TidyLayoutCB);
    EXPECT_EQ(Find("VP")->X, tidyX);
}

TEST_F(TreesSheetTest, HotKeysOfTheTreeListWorkWhileTheSheetIsInFront) {
    WhenShown<TTreeListDlgView>([&](TTreeListDlgView& dialog) {
        TypeInto(dialog.TreeListMemo, QStringLiteral("Start node@[Start]\n(4) Small@[X [Y]]"));
        Click(dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")));
    });
    Click(View->EditTreeListBtn);
    EXPECT_EQ(View->NewTreeCB->count(), 2);
    ShowPage(Form->GlobalPC, Form->Parsing);
    KeyOnWindow(Qt::Key_4, Qt::AltModifier);
    EXPECT_EQ(Sheet().Tree1.GetRoot(), nullptr);
    ShowPage(Form->GlobalPC, Form->TreeSheet);
    KeyOnWindow(Qt::Key_4, Qt::AltModifier);
    EXPECT_EQ(Text(Sheet().Tree1), "[X [Y]]");
}

TEST_F(TreesSheetTest, TransferPutsTheParseTreeIntoTheActiveWindow) {
    Click(View->SplitScreenCB);
    ShowPage(Form->GlobalPC, Form->Parsing);
    Parse(QStringLiteral("S = NP VP\nNP = \"the\" \"cat\"\nVP = \"sleeps\""),
          QStringLiteral("the cat sleeps"));
    Click(Form->Parsing->TransferBtn);
    EXPECT_EQ(Form->GlobalPC->currentWidget(), Form->TreeSheet);
    EXPECT_EQ(Text(Sheet().Tree2), "[S [NP [the] [cat]] [VP [sleeps]]]");
    EXPECT_EQ(Sheet().Tree1.GetRoot(), nullptr);
    EXPECT_GT(View->TreePaint2->width(), 0);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
}

TEST_F(TreesSheetTest, SaveWmfWritesTheChosenFileType) {
    Click(View->SaveWMFBtn);
    EXPECT_EQ(Prompts.Last(), "There is no tree or metafile to save by now.");
    Click(View->NewTreeBtn);
    const char* const wmf = "\xD7\xCD\xC6\x9A";
    const struct {
        const char* Typed;
        int Filter;
        const char* Written;
        const char* Head;
    } saves[] = {
        {"tree_a", 1, "tree_a.svg", "<?xml"},
        {"tree_b", 0, "tree_b.wmf", wmf},
        {"tree_c", 2, "tree_c.png", "\x89PNG"},
        {"tree_c3", 4, "tree_c3.png", "\x89PNG"},
        {"tree_d", 6, "tree_d.pdf", "%PDF"},
        {"tree_e", 9, "tree_e.wmf", wmf},
        {"tree_g", 7, "tree_g.tex", "% A tree drawn by Gramarbor"},
        {"tree_h", 8, "tree_h.tex", "% A tree drawn by Gramarbor"},
        // A typed extension decides the format whatever the chosen type.
        {"tree_f.svg", 0, "tree_f.svg", "<?xml"},
    };
    for (const auto& save : saves) {
        Prompts.AnswerWith(Path(save.Typed), save.Filter);
        Click(View->SaveWMFBtn);
        EXPECT_EQ(test::ReadAll(Dir / save.Written).substr(0, std::string(save.Head).size()),
                  save.Head)
            << save.Written;
    }
    EXPECT_FALSE(std::filesystem::exists(Dir / "tree_a.WMF"));
    // The 3x image is three times as large; LaTeX comes with the package chosen.
    const auto image = [&](const char* name) { return QImage(QString::fromStdString(Path(name))); };
    EXPECT_EQ(image("tree_c3.png").size(), image("tree_c.png").size() * 3);
    EXPECT_NE(test::ReadAll(Dir / "tree_g.tex").find("\\begin{forest}"), std::string::npos);
    EXPECT_NE(test::ReadAll(Dir / "tree_h.tex").find("\\Tree"), std::string::npos);
}

TEST_F(TreesSheetTest, TreebankFilesAndLabelledBracketsAsUsersMeetThem) {
    EXPECT_FALSE(View->NextTreeBtn->isVisible());
    std::ofstream(Dir / "bank.mrg") << "( (S (NP I) (VP ran)) )\n(X a b)\n(Y (Z c))\n";
    Prompts.AnswerWith(Path("bank.mrg"));
    Click(View->LoadTreeBtn);
    ASSERT_TRUE(View->NextTreeBtn->isVisible());
    EXPECT_EQ(View->TreebankLab->text(), "Tree 1 of 3");
    EXPECT_FALSE(View->PrevTreeBtn->isEnabled());
    Click(View->NextTreeBtn);
    Click(View->NextTreeBtn);
    EXPECT_EQ(View->TreebankLab->text(), "Tree 3 of 3");
    EXPECT_FALSE(View->NextTreeBtn->isEnabled());
    EXPECT_EQ(Active(), "[Y [Z [c]]]");
    Click(View->PrevTreeBtn);
    EXPECT_EQ(Active(), "[X [a] [b]]");

    // The "Labelled brackets" shortcut reads and writes the in/out text as treebanks do.
    WhenShown<TIOFormDlgView>([&](TIOFormDlgView& dialog) {
        ClickItem(dialog.ShortcutsRG, 3);
        EXPECT_EQ(dialog.ParentPositionRG->ItemIndex(), 2);
        Click(dialog.OkBtn);
    });
    Click(View->InputFormatBtn);
    MakeTree("(S (NP the dog) (VP barks))");
    EXPECT_EQ(Sheet().ActiveTree().GetRoot()->Children[0]->Children.size(), 2u);
    Click(View->TreeToTextBtn);
    EXPECT_EQ(Form->InputText->currentText(), "(S (NP the dog) (VP barks))");
    // The clipboard holds the picture and, as text, the forest code.
    Click(View->Button4);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->text().contains("\\begin{forest}"));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
}

TEST_F(TreesSheetTest, DialogsShowTheirFullHelp) {
    MakeTree("[S]");
    std::string defNodeHelp, ioFormHelp;
    const auto read = [&](QAbstractButton* help, QPlainTextEdit* memo, std::string& text) {
        Click(help);
        EXPECT_TRUE(memo->isVisible());
        text = memo->toPlainText().toStdString();
        Click(help);
    };
    WhenShown<TDefNodeDlgView>([&](TDefNodeDlgView& dialog) {
        read(dialog.BitBtn3, dialog.HelpMemo, defNodeHelp);
        Click(dialog.BitBtn1);
    });
    OnNode("S", Qt::LeftButton);
    WhenShown<TIOFormDlgView>([&](TIOFormDlgView& dialog) {
        read(dialog.HelpBtn, dialog.HelpMemo, ioFormHelp);
        Click(dialog.CancelBtn);
    });
    Click(View->InputFormatBtn);
    EXPECT_EQ(defNodeHelp, DefNodeHelpText());
    EXPECT_EQ(ioFormHelp, IOFormHelpText());
}

} // namespace
} // namespace gramarbor
