// Commands of the trees sheet on its two trees, driven through a scripted host.
#include "treesheet/tree_sheet.h"

#include <filesystem>
#include <functional>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/file_io.h"
#include "picture/text_measurer.h"
#include "tree/canvas_measurer.h"

namespace gramarbor {
namespace {

using ::testing::ElementsAre;

class ScriptedHost : public TTreeSheetHost {
public:
    // Each answer edits the model and says whether OK was pressed; run out = Cancel.
    std::vector<std::function<bool(TTreeListDlg&)>> ListAnswers;
    std::vector<int> CaretLines;
    std::function<bool(TDefNodeDlg&)> DefNode;
    std::string OpenName, SaveName;
    TTreePrevDlg Preview;

    bool ShowTreeListDlg(TTreeListDlg& dlg, int caret) override {
        CaretLines.push_back(caret);
        if (CaretLines.size() > ListAnswers.size()) return false;
        return ListAnswers[CaretLines.size() - 1](dlg);
    }
    bool ShowDefNodeDlg(TDefNodeDlg& dlg) override { return DefNode ? DefNode(dlg) : false; }
    std::string OpenFileName(const std::string&, const std::string&, const std::string&) override {
        return OpenName;
    }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override {
        return SaveName;
    }
    void ShowTreePrevDlg(TTreePrevDlg& dlg) override { Preview = dlg; }
};

class TreeSheetTest : public ::testing::Test {
protected:
    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    MeasuringCanvas Screen{Measurer};
    ScriptedHost Host;
    TTreeSheet Sheet{Sink, Screen, Host};

    // The active (or given) tree in the standard bracket format.
    std::string Text(int index = -1) {
        TTree& tree = index < 0 ? Sheet.ActiveTree() : Sheet.TreeAt(index);
        std::string text;
        if (!tree.GetRoot()) return "";
        tree.SetConvOpts("[]", ' ', false, false);
        tree.TreeToStr(text);
        Sheet.ApplyIOFormat();
        return text;
    }
    void Build(const std::string& definition) {
        Sheet.ActiveTree().SetConvOpts("[]", ' ', false, false);
        ASSERT_TRUE(Sheet.ActiveTree().StrToTree(definition));
        Sheet.ApplyIOFormat();
        Sheet.ShowTree(Sheet.ActiveTreeIndex);
    }
    // Highlights the node by moving the mouse to the centre of its box.
    void Point(TNode* node) {
        const TRect& r = node->Rect;
        Sheet.MouseMove(Sheet.ActiveTreeIndex, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        ASSERT_EQ(Sheet.HighlightedNode, node);
    }
    TNode* Root() { return Sheet.ActiveTree().GetRoot(); }
    TNode* Child(std::size_t i) { return Root()->Children[i].get(); }
    std::string TempFile(const std::string& name) {
        return (std::filesystem::temp_directory_path() / ("treesheet_" + name)).string();
    }
};

TEST_F(TreeSheetTest, TreeListLinesGiveHotKeysOrMessages) {
    EXPECT_EQ(Sheet.ParseTreeListLine("(1)Standard tree@[S [NP] [VP]]"), 17);
    EXPECT_EQ(Sheet.HotKeys[1], "[S [NP] [VP]]");
    EXPECT_EQ(Sheet.ParseTreeListLine("( 7 )X@ [A]"), 7);
    EXPECT_EQ(Sheet.HotKeys[7], " [A]");
    EXPECT_EQ(Sheet.ParseTreeListLine("A [B]"), 0);
    EXPECT_TRUE(Sink.Empty());
    for (const char* line : {"(x)A@[A]", "(12)A@[A]", "(1A@[A]"})
        EXPECT_EQ(Sheet.ParseTreeListLine(line), -1) << line;
    const std::string digit = "Digit between 0 and 9 expected in \"(_)\".";
    EXPECT_THAT(Sink.Texts(), ElementsAre(digit, digit,
                                          "The definition of a hot-key is not correct: use "
                                          "\"(digit)description@[definition]\"."));
}

// The dialog comes back, on the faulty line and with the lines as typed, until every
// line is valid.
TEST_F(TreeSheetTest, TreeListDialogLoopsUntilEveryLineIsValid) {
    Host.ListAnswers = {
        [](TTreeListDlg& dlg) {
            dlg.Lines = {"(1)Standard tree@[S [NP] [VP]]", "  B @ [B] ", "(x)A@[A]"};
            return true;
        },
        [](TTreeListDlg& dlg) {
            EXPECT_EQ(dlg.Lines[1], "  B @ [B] ");
            dlg.Lines[2] = "A [B]";
            return true;
        },
        [](TTreeListDlg& dlg) {
            dlg.Lines[2] = "C@[C]";
            return true;
        },
        [](TTreeListDlg& dlg) {
            dlg.NewListBtnClick();
            return true;
        }};
    Sheet.EditTreeListBtnClick();
    EXPECT_THAT(Host.CaretLines, ElementsAre(0, 2, 2));
    EXPECT_THAT(Sink.Texts(), ElementsAre("Digit between 0 and 9 expected in \"(_)\".",
                                          "Couldn`t find separator \"@\" in line 3."));
    EXPECT_THAT(Sheet.TreeNames, ElementsAre("(1)Standard tree", "B", "C"));
    EXPECT_THAT(Sheet.TreeList, ElementsAre("(1)Standard tree@[S [NP] [VP]]", "B@[B]", "C@[C]"));
    EXPECT_EQ(Sheet.NewTreeName, "(1)Standard tree");
    // ALT-1 inserts the hot-key tree into the empty tree.
    EXPECT_TRUE(Sheet.HotKey(1));
    EXPECT_EQ(Text(), "[S [NP] [VP]]");
    EXPECT_FALSE(Sheet.HotKey(2));

    // An empty memo gives the minimal tree.
    Sheet.EditTreeListBtnClick();
    EXPECT_THAT(Sheet.TreeList, ElementsAre("Minimal tree@[Start]"));
    EXPECT_THAT(Sheet.TreeNames, ElementsAre("Minimal tree"));
    EXPECT_TRUE(Sheet.HotKeys[1].empty());
}

TEST_F(TreeSheetTest, NewTreeBuildsEachKindOfDefinition) {
    using T = TTreeSheet;
    EXPECT_EQ(T::BuildBinaryTree(2, TBinaryShape::Left), "[Node%_1 [Node%_2] [Node%_3]]");
    EXPECT_EQ(T::BuildBinaryTree(3, TBinaryShape::Full),
              "[Node%_1 [Node%_2 [Node%_3] [Node%_4]] [Node%_5 [Node%_6] [Node%_7]]]");
    EXPECT_EQ(T::BuildBinaryTree(3, TBinaryShape::Left),
              "[Node%_1 [Node%_2 [Node%_3] [Node%_4]] [Node%_5]]");
    EXPECT_EQ(T::BuildBinaryTree(3, TBinaryShape::Right),
              "[Node%_1 [Node%_2] [Node%_3 [Node%_4] [Node%_5]]]");
    Sheet.NewTreeBtnClick(); // the first of the default list
    EXPECT_EQ(Text(), "[Start]");
    Sheet.BinaryLayers = 2;
    Sheet.NewTreeName = "Right binary tree";
    Sheet.NewTreeBtnClick();
    EXPECT_EQ(Text(), "[Node%_1 [Node%_2] [Node%_3]]");
    EXPECT_GT(Sheet.ActiveTree().Metafile.Width, 0);

    // Tree-list definitions are read in the standard format whatever IOFormat says.
    Sheet.IOFormat = ShortcutFormat(2);
    Sheet.ApplyIOFormat();
    Sheet.TreeList.push_back("S@[S [NP] [VP]]");
    Sheet.NewTreeName = "S";
    Sheet.NewTreeBtnClick();
    EXPECT_EQ(Text(), "[S [NP] [VP]]");
    EXPECT_EQ(Sheet.ActiveTree().ConvOpts.Brackets, "()");

    // A tree file in double quotation marks is loaded.
    const std::string file = TempFile("new.tre");
    ASSERT_TRUE(Sheet.ActiveTree().SaveTree(file, Root(), 1));
    Sheet.TreeList.push_back("File@\"" + file + "\"");
    Sheet.NewTreeName = "Clear tree";
    Sheet.NewTreeBtnClick();
    EXPECT_EQ(Root(), nullptr);
    Sheet.NewTreeName = "File";
    Sheet.NewTreeBtnClick();
    EXPECT_EQ(Text(), "[S [NP] [VP]]");
    std::filesystem::remove(file);
    EXPECT_TRUE(Sink.Empty()) << Sink.Last();
}

TEST_F(TreeSheetTest, TextAndHotKeysUseTheInOutFormat) {
    std::string text;
    EXPECT_FALSE(Sheet.TreeToText(text));
    EXPECT_EQ(Sink.Last(), "An empty tree can not be translated.");
    Sheet.IOFormat = ShortcutFormat(2);
    Sheet.ApplyIOFormat();
    Sheet.HotKeys[3] = "s(np,vp)";
    EXPECT_TRUE(Sheet.HotKey(3));
    EXPECT_EQ(Text(), "[s [np] [vp]]");
    Sheet.TextToTree("x(y,z(w))");
    EXPECT_EQ(Text(), "[x [y] [z [w]]]");
    Sheet.TextToTree("");
    EXPECT_EQ(Sink.Last(), "There is no text in \"Input text\" to translate into a tree.");
    // Tree to text is cut to the maximal length.
    Sheet.MaxTextLength = 7;
    ASSERT_TRUE(Sheet.TreeToText(text));
    EXPECT_EQ(text, "x(y,z(w");
}

TEST_F(TreeSheetTest, DefineNodeRenamesCreatesAndRefusesDuplicateIndices) {
    Build("[S [NP] [VP]]");
    Point(Root());
    int shown = 0;
    Host.DefNode = [&](TDefNodeDlg& dlg) {
        if (++shown == 1) {
            EXPECT_EQ(dlg.Rows[1].Name, "VP");
            EXPECT_FALSE(dlg.Rows[2].Used);
            dlg.NodeText = ""; // refused: the dialog comes again
        } else {
            dlg.NodeText = "Sentence";
            dlg.AnnoLines = {"a note"};
            dlg.Rows = {
                TChildRow{true, 2, "NP2"}, {true, 1, "VP2"}, {true, 4, "X"}, {true, 3, "Y"}};
        }
        dlg.OkClick(Sink);
        return dlg.Result == 1;
    };
    Sheet.MouseDown(0, false, (Root()->Rect.Left + Root()->Rect.Right) / 2, Root()->Rect.Top + 2);
    EXPECT_EQ(shown, 2);
    EXPECT_THAT(Sink.Texts(), ElementsAre("An empty node name is not allowed."));
    EXPECT_EQ(Text(), "[Sentence [VP2] [NP2] [Y] [X]]");
    EXPECT_THAT(Root()->Cont, ElementsAre("a note"));
    EXPECT_EQ(Sheet.HighlightRect, Root()->Rect);

    // Rows 2 and 4 both want index 1: the message names the later row, nothing changes.
    Host.DefNode = [&](TDefNodeDlg& dlg) {
        dlg.Rows[0].Used = false;
        dlg.Rows[1].Index = 1;
        dlg.Rows[3].Index = 1;
        dlg.OkClick(Sink);
        return true;
    };
    Sheet.DefineNode();
    EXPECT_EQ(Sink.Last(), "Manyfold occupation of child-position (index) 4.");
    EXPECT_EQ(Text(), "[Sentence [VP2] [NP2] [Y] [X]]");

    // Cancel changes nothing; unused rows free their subtrees.
    Host.DefNode = [&](TDefNodeDlg& dlg) {
        dlg.NodeText = "changed";
        return false;
    };
    Sheet.DefineNode();
    EXPECT_EQ(Root()->Name, "Sentence");
    Host.DefNode = [&](TDefNodeDlg& dlg) {
        dlg.Rows[0].Used = dlg.Rows[2].Used = false;
        dlg.Rows[1].Index = 2;
        dlg.Rows[3].Index = 1;
        dlg.OkClick(Sink);
        return true;
    };
    Sheet.DefineNode();
    EXPECT_EQ(Text(), "[Sentence [X] [NP2]]");
}

TEST_F(TreeSheetTest, InsertParentPutsANewNodeAboveTheHighlightedOne) {
    Build("[S [NP] [VP]]");
    Point(Child(1));
    Sheet.MouseDown(0, true, (Sheet.HighlightRect.Left + Sheet.HighlightRect.Right) / 2,
                    (Sheet.HighlightRect.Top + Sheet.HighlightRect.Bottom) / 2);
    EXPECT_EQ(Text(), "[S [NP] [? [VP]]]");
    EXPECT_EQ(Sheet.HighlightedNode, Child(1));
    EXPECT_EQ(Sheet.HighlightRect, Child(1)->Rect);
    Point(Root());
    Sheet.InsertParentNode();
    EXPECT_EQ(Text(), "[? [S [NP] [? [VP]]]]");
}

TEST_F(TreeSheetTest, CopyCutDeleteAndPasteInBothModes) {
    Build("[S [NP [D] [N]] [VP]]");
    Point(Root());
    Sheet.DelTreeBtnClick();
    Sheet.CutTreeBtnClick();
    EXPECT_THAT(Sink.Texts(), ElementsAre("You are not allowed to delete the root node.",
                                          "You are not allowed to delete the root node."));
    Sink.Clear();

    Point(Child(0));
    Sheet.CopyTreeBtnClick();
    Point(Child(1));
    for (int i = 0; i < 4; ++i)
        Sheet.PasteTreeBtnClick();
    EXPECT_EQ(Text(), "[S [NP [D] [N]] [VP [NP [D] [N]] [NP [D] [N]] [NP [D] [N]] [NP [D] [N]]]]");
    EXPECT_TRUE(Sink.Empty());
    Sheet.PasteTreeBtnClick();
    EXPECT_EQ(Sink.Last(), "The maximum number of children is 4.");
    EXPECT_EQ(Child(1)->Children.size(), 4u);

    // Replace mode: the highlighted subtree becomes a copy of the internal tree.
    Sheet.PasteMode = TPasteMode::Replace;
    Point(Child(0)->Children[1].get());
    Sheet.CutTreeBtnClick();
    EXPECT_EQ(Sheet.HighlightedNode, nullptr);
    Point(Child(1));
    Sheet.PasteTreeBtnClick();
    EXPECT_EQ(Text(), "[S [NP [D]] [N]]");
    EXPECT_EQ(Sheet.HighlightedNode, Child(1));

    // Into an empty tree: Replace does nothing, Append makes the root.
    Sheet.SetActiveTree(1);
    Sheet.ClearHighlight();
    Sheet.PasteTreeBtnClick();
    EXPECT_EQ(Root(), nullptr);
    Sheet.PasteMode = TPasteMode::Append;
    Sheet.PasteTreeBtnClick();
    EXPECT_EQ(Text(), "[N]");
    // Pasted copies get identities of their own tree.
    EXPECT_NE(Root(), Sheet.InternalCopy.get());
}

TEST_F(TreeSheetTest, UndoAndRedoRestoreTheExactTree) {
    Build("[S [NP] [VP]]");
    Child(0)->Cont = {"3sg", "nom"};
    Child(0)->Attr.Flags |= naRound;
    Sheet.OptimalTree = false;
    Sheet.DrawTree(0);
    Point(Child(1));
    Sheet.PushRghtBtnClick();
    const auto nodes = [&] {
        std::vector<std::tuple<std::string, std::vector<std::string>, uint16_t, int, int, int>> out;
        std::vector<const TNode*> stack{Root()};
        while (!stack.empty()) {
            const TNode* n = stack.back();
            stack.pop_back();
            out.emplace_back(n->Name, n->Cont, n->Attr.Flags, n->X, n->Y, n->ID);
            for (const auto& c : n->Children)
                stack.push_back(c.get());
        }
        return out;
    };
    const auto pushed = nodes();
    Point(Child(0));
    Sheet.CutTreeBtnClick();
    Point(Root());
    Sheet.InsertParentNode();
    EXPECT_EQ(Text(), "[? [S [VP]]]");
    Sheet.Undo();
    Sheet.Undo();
    EXPECT_EQ(nodes(), pushed);
    EXPECT_EQ(Sheet.HighlightedNode, nullptr);
    Sheet.Redo();
    Sheet.Redo();
    EXPECT_EQ(Text(), "[? [S [VP]]]");
    for (int i = 0; i < 4; ++i)
        Sheet.Undo(); // one more than there are steps
    EXPECT_EQ(Text(), "[S [NP] [VP]]");
    // The other window keeps its own history.
    Sheet.SetActiveTree(1);
    Sheet.Undo();
    EXPECT_EQ(Root(), nullptr);
    Sheet.SetActiveTree(0);
    Sheet.Redo();
    EXPECT_EQ(nodes(), pushed);

    // At least 100 steps are kept.
    for (int i = 0; i < 120; ++i) {
        Point(Root());
        Sheet.InsertParentNode();
    }
    for (int i = 0; i < 120; ++i)
        Sheet.Undo();
    EXPECT_EQ(Text(), "[S [NP] [VP]]");
}

TEST_F(TreeSheetTest, TreebankFilesAreSteppedThroughTreeByTree) {
    const std::string file = TempFile("bank.mrg");
    ASSERT_EQ(AtomicSave(file, "( (S (NP I) (VP ran)) )\n(X a b)\r\n(Y (Z c))\n"), FileError::None);
    Host.OpenName = file;
    Sheet.LoadTreeBtnClick();
    EXPECT_TRUE(Sink.Empty()) << Sink.Last();
    EXPECT_EQ(Sheet.TreebankPosition(), "Tree 1 of 3");
    EXPECT_EQ(Text(), "[S [NP [I]] [VP [ran]]]");
    EXPECT_EQ(Sheet.ActiveTree().ConvOpts, TConvOpts{}); // the in/out format stays
    for (int i = 0; i < 3; ++i)
        Sheet.StepTreebank(1);
    EXPECT_EQ(Sheet.TreebankPosition(), "Tree 3 of 3");
    EXPECT_EQ(Text(), "[Y [Z [c]]]");
    Sheet.Undo();
    EXPECT_EQ(Text(), "[X [a] [b]]");

    ASSERT_EQ(AtomicSave(file, "(A x)\n(B y))"), FileError::None);
    Sheet.LoadTreeBtnClick();
    EXPECT_EQ(Sink.Last(), "Opening bracket expected in >)<. Line 2, column 6.");
    EXPECT_EQ(Sheet.TreebankPosition(), "Tree 3 of 3");
    std::filesystem::remove(file);
}

TEST_F(TreeSheetTest, FilesAreCheckedByExtensionAndBringTheirSettings) {
    const std::string file = TempFile("settings.tre");
    Build("[S [NP] [VP]]");
    Sheet.ActiveTree().SetParams(100, 120, "Times", toFrames | toPlane,
                                 TNodeAttr{20, 2, 1, naRight});
    Host.SaveName = file;
    Sheet.SaveTreeBtnClick();
    Sheet.SetActiveTree(1);
    Sheet.SaveTreeBtnClick();
    EXPECT_EQ(Sink.Last(), "An empty tree will not be saved.");
    EXPECT_FALSE(Sheet.HasPicture(true));
    EXPECT_EQ(Sink.Last(), "There is no tree or metafile to save by now.");

    Host.OpenName = TempFile("settings.doc");
    Sheet.LoadTreeBtnClick();
    EXPECT_EQ(Sink.Last(), "Wrong file type: extension \"*.TRE\" expected.");
    EXPECT_EQ(Root(), nullptr);
    Sink.Clear();
    Host.OpenName = file;
    Sheet.LoadTreeBtnClick();
    EXPECT_TRUE(Sink.Empty()) << Sink.Last();
    EXPECT_EQ(Text(), "[S [NP] [VP]]");
    EXPECT_EQ(std::tie(Sheet.HDist, Sheet.VDist, Sheet.FontName, Sheet.PlaneTree),
              std::make_tuple(100, 120, std::string("Times"), true));
    EXPECT_EQ(Sheet.NodeDefaults, (TNodeAttr{20, 2, 1, naRight}));
    std::filesystem::remove(file);
}

TEST_F(TreeSheetTest, PreviewLabelsGiveCentimetresAndInches) {
    std::string cmX, inchX, cmY, inchY;
    PictureSizeLabels(25400, 12700, cmX, inchX, cmY, inchY);
    EXPECT_EQ(cmX + inchX + cmY + inchY, "25.4 cm10 Inch12.7 cm5 Inch");
    EXPECT_EQ(FormatSize(1.005001), "1.01");
    EXPECT_EQ(FormatSize(0.5), "0.5");
    // 96 pixels are one inch on the screen.
    Build("[S]");
    Sheet.ActiveTree().Metafile.Width = 960;
    Sheet.ActiveTree().Metafile.Height = 96;
    Sheet.PreviewBtnClick();
    EXPECT_EQ(Host.Preview.CMX, "25.4 cm");
    EXPECT_EQ(Host.Preview.InchY, "1 Inch");
}

TEST_F(TreeSheetTest, LeavingThePlaneLayoutDropsAHighlightedChainNode) {
    Build("[S [A [B]] [C]]");
    Sheet.TreeOptions |= toPlaneOK;
    Sheet.PlaneTreeCBClick(true);
    ASSERT_EQ(Child(1)->Name, "$");
    Point(Child(1));
    Sheet.PlaneTreeCBClick(false);
    EXPECT_EQ(Sheet.HighlightedNode, nullptr);
    EXPECT_EQ(Text(), "[S [A [B]] [C]]");
    Point(Child(1));
    Sheet.PlaneTreeCBClick(true);
    EXPECT_EQ(Sheet.HighlightedNode->Name, "C");
}

TEST_F(TreeSheetTest, SplitScreenAndOptimalTreeSwitchTheWindows) {
    Build("[A [B] [C]]");
    Sheet.SplitScreenCBClick(true);
    EXPECT_EQ(Sheet.ActiveTreeIndex, 1);
    Build("[X]");
    Sheet.SplitScreenCBClick(false);
    EXPECT_EQ(Sheet.ActiveTreeIndex, 0);
    EXPECT_EQ(Text(1), "[X]");

    Sheet.OptimalTreeCBClick(false);
    Point(Child(1));
    const int16_t x = Child(1)->X;
    Sheet.PushRghtBtnClick();
    Sheet.PushRghtBtnClick();
    Sheet.PushLeftBtnClick();
    EXPECT_EQ(Child(1)->X, x + 1);
    EXPECT_EQ(Sheet.HighlightRect, Child(1)->Rect);
    Sheet.OptimalTreeCBClick(true);
    EXPECT_EQ(Child(1)->X, x);
    EXPECT_EQ(Sheet.HighlightRect, Child(1)->Rect);
    EXPECT_TRUE(Sink.Empty()) << Sink.Last();
}

} // namespace
} // namespace gramarbor
