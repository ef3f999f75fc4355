// Commands of the trees sheet on its two trees, driven through a scripted host: the
// dialogs' answers here, every other command in scenario scripts.
#include "treesheet/tree_sheet.h"

#include <filesystem>
#include <functional>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/file_io.h"
#include "picture/text_measurer.h"
#include "tree/canvas_measurer.h"
#include "tree/script_cases.h"

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
}

// Scenario scripts of the sheet's commands under tests/data/tree_sheet_scripts, one
// test per case; paths are "root" or child indices of the active tree like 1.0.
class TreeSheetScript : public TreeSheetTest,
                        public ::testing::WithParamInterface<testing::ScriptCase> {
protected:
    std::size_t Seen = 0; // messages already checked
    std::map<std::string, std::string> Snapshots;

    TNode* At(const std::string& path) {
        TNode* node = Root();
        if (!node) throw std::invalid_argument("no tree");
        for (std::size_t at = 0, dot = 0; path != "root" && dot != std::string::npos;
             at = dot + 1) {
            dot = path.find('.', at);
            node = node->Children.at(testing::ScriptNumber(path.substr(at, dot - at))).get();
        }
        return node;
    }
    // The argument with $TMP/ standing for the folder of the test files.
    std::string Subst(std::string text) {
        for (std::size_t at; (at = text.find("$TMP/")) != std::string::npos;)
            text.replace(at, 5, TempFile(""));
        return testing::Unescape(text);
    }
    static std::pair<std::string, std::string> Split(const std::string& arg) {
        const std::size_t blank = arg.find(' ');
        return {arg.substr(0, blank), blank == std::string::npos ? "" : arg.substr(blank + 1)};
    }
    // The active tree's file without its next serial number, which undo leaves.
    std::string NodeBytes() {
        TTree& tree = Sheet.ActiveTree();
        const int32_t next = std::exchange(tree.NextID, 1);
        std::string bytes;
        EXPECT_TRUE(tree.SaveTreeBytes(Root(), 1, bytes));
        tree.NextID = next;
        return bytes;
    }
    static bool OnOff(const std::string& arg) {
        if (arg != "on" && arg != "off") throw std::invalid_argument("on|off expected");
        return arg == "on";
    }
};

TEST_P(TreeSheetScript, Runs) {
    using testing::ScriptNumber;
    testing::ScriptCommands commands;
    const std::pair<const char*, void (TTreeSheet::*)()> buttons[] = {
        {"copy", &TTreeSheet::CopyTreeBtnClick},
        {"cut", &TTreeSheet::CutTreeBtnClick},
        {"delete", &TTreeSheet::DelTreeBtnClick},
        {"paste", &TTreeSheet::PasteTreeBtnClick},
        {"push-left", &TTreeSheet::PushLeftBtnClick},
        {"push-right", &TTreeSheet::PushRghtBtnClick},
        {"insert-parent", &TTreeSheet::InsertParentNode},
        {"undo", &TTreeSheet::Undo},
        {"redo", &TTreeSheet::Redo},
        {"new-tree", &TTreeSheet::NewTreeBtnClick},
        {"load", &TTreeSheet::LoadTreeBtnClick},
        {"save", &TTreeSheet::SaveTreeBtnClick},
        {"preview", &TTreeSheet::PreviewBtnClick},
        {"clear-highlight", &TTreeSheet::ClearHighlight}};
    for (const auto& [word, button] : buttons)
        commands[word] = [&, button = button](const std::string&) { (Sheet.*button)(); };
    const std::pair<const char*, void (TTreeSheet::*)(bool)> switches[] = {
        {"split", &TTreeSheet::SplitScreenCBClick},
        {"optimal", &TTreeSheet::OptimalTreeCBClick},
        {"plane", &TTreeSheet::PlaneTreeCBClick}};
    for (const auto& [word, click] : switches)
        commands[word] = [&, click = click](const std::string& arg) { (Sheet.*click)(OnOff(arg)); };
    commands.insert({
        {"repeat",
         [&](const std::string& arg) {
             const auto [count, line] = Split(arg);
             for (long long i = ScriptNumber(count); i > 0; --i)
                 for (std::size_t at = 0, end = 0; end != std::string::npos; at = end + 3) {
                     const auto [word, rest] =
                         Split(line.substr(at, (end = line.find(" ; ", at)) - at));
                     commands.at(word)(rest);
                 }
         }},
        {"build", [&](const std::string& arg) { Build(arg); }},
        {"annotate",
         [&](const std::string& arg) {
             const auto [path, lines] = Split(arg);
             At(path)->Cont.clear();
             for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 1)
                 At(path)->Cont.push_back(lines.substr(at, (bar = lines.find('|', at)) - at));
         }},
        {"point", [&](const std::string& arg) { Point(At(arg)); }},
        {"right-click",
         [&](const std::string&) {
             const TRect& r = Sheet.HighlightRect;
             Sheet.MouseDown(Sheet.ActiveTreeIndex, true, (r.Left + r.Right) / 2,
                             (r.Top + r.Bottom) / 2);
         }},
        {"paste-mode",
         [&](const std::string& arg) {
             Sheet.PasteMode = arg == "replace" ? TPasteMode::Replace : TPasteMode::Append;
             if (arg != "replace" && arg != "append") throw std::invalid_argument("append|replace");
         }},
        {"active", [&](const std::string& arg) { Sheet.SetActiveTree(int(ScriptNumber(arg))); }},
        {"plane-ok", [&](const std::string&) { Sheet.TreeOptions |= toPlaneOK; }},
        {"new-tree-name", [&](const std::string& arg) { Sheet.NewTreeName = Subst(arg); }},
        {"layers",
         [&](const std::string& arg) { Sheet.BinaryLayers = int32_t(ScriptNumber(arg)); }},
        {"io-format",
         [&](const std::string& arg) {
             Sheet.IOFormat = ShortcutFormat(int(ScriptNumber(arg)));
             Sheet.ApplyIOFormat();
         }},
        {"max-text", [&](const std::string& arg) { Sheet.MaxTextLength = int(ScriptNumber(arg)); }},
        {"list-add", [&](const std::string& arg) { Sheet.TreeList.push_back(Subst(arg)); }},
        {"list-line",
         [&](const std::string& arg) {
             const auto [result, line] = Split(arg);
             EXPECT_EQ(Sheet.ParseTreeListLine(Subst(line)), ScriptNumber(result));
         }},
        {"set-hotkey",
         [&](const std::string& arg) {
             const auto [digit, text] = Split(arg);
             Sheet.HotKeys.at(ScriptNumber(digit)) = Subst(text);
         }},
        {"hotkey",
         [&](const std::string& arg) {
             const auto [digit, used] = Split(arg);
             EXPECT_EQ(Sheet.HotKey(int(ScriptNumber(digit))), used == "used") << used;
         }},
        {"hotkey-text",
         [&](const std::string& arg) {
             const auto [digit, text] = Split(arg);
             EXPECT_EQ(Sheet.HotKeys.at(ScriptNumber(digit)), Subst(text));
         }},
        {"binary",
         [&](const std::string& arg) {
             const auto [layers, rest] = Split(arg);
             const auto [shape, text] = Split(rest);
             const std::map<std::string, TBinaryShape> shapes = {{"full", TBinaryShape::Full},
                                                                 {"left", TBinaryShape::Left},
                                                                 {"right", TBinaryShape::Right}};
             EXPECT_EQ(TTreeSheet::BuildBinaryTree(int(ScriptNumber(layers)), shapes.at(shape)),
                       text);
         }},
        {"to-tree", [&](const std::string& arg) { Sheet.TextToTree(Subst(arg)); }},
        {"file",
         [&](const std::string& arg) {
             const auto [name, bytes] = Split(arg);
             ASSERT_EQ(AtomicSave(TempFile(name), Subst(bytes)), FileError::None);
         }},
        {"open", [&](const std::string& arg) { Host.OpenName = TempFile(arg); }},
        {"save-as", [&](const std::string& arg) { Host.SaveName = TempFile(arg); }},
        {"step", [&](const std::string& arg) { Sheet.StepTreebank(int(ScriptNumber(arg))); }},
        {"picture-size",
         [&](const std::string& arg) {
             const auto [width, height] = Split(arg);
             Sheet.ActiveTree().Metafile.Width = int32_t(ScriptNumber(width));
             Sheet.ActiveTree().Metafile.Height = int32_t(ScriptNumber(height));
         }},
        {"snapshot", [&](const std::string& arg) { Snapshots[arg] = NodeBytes(); }},
        // Checks.
        {"tree", [&](const std::string& arg) { EXPECT_EQ(Text(), Subst(arg)); }},
        {"window",
         [&](const std::string& arg) {
             const auto [index, text] = Split(arg);
             EXPECT_EQ(Text(int(ScriptNumber(index))), Subst(text));
         }},
        {"same",
         [&](const std::string& arg) {
             EXPECT_EQ(NodeBytes(), Snapshots.at(arg)) << "not the tree of snapshot " << arg;
         }},
        {"message",
         [&](const std::string& arg) {
             ASSERT_LT(Seen, Sink.Entries().size()) << "no further message";
             EXPECT_EQ(Sink.Entries()[Seen++].Text, Subst(arg));
         }},
        {"highlight",
         [&](const std::string& arg) {
             TNode* node = arg == "none" ? nullptr : At(arg);
             EXPECT_EQ(Sheet.HighlightedNode, node);
             EXPECT_EQ(Sheet.HighlightRect, node ? node->Rect : (TRect{-1, -1, -1, -1}));
         }},
        {"name",
         [&](const std::string& arg) {
             const auto [path, name] = Split(arg);
             EXPECT_EQ(At(path)->Name, name);
         }},
        {"column",
         [&](const std::string& arg) {
             const auto [path, x] = Split(arg);
             EXPECT_EQ(At(path)->X, ScriptNumber(x));
         }},
        {"text",
         [&](const std::string& arg) {
             std::string text = "old";
             EXPECT_EQ(Sheet.TreeToText(text), arg != "none");
             if (arg != "none") {
                 EXPECT_EQ(text, Subst(arg));
             }
         }},
        {"position", [&](const std::string& arg) { EXPECT_EQ(Sheet.TreebankPosition(), arg); }},
        {"brackets",
         [&](const std::string& arg) { EXPECT_EQ(Sheet.ActiveTree().ConvOpts.Brackets, arg); }},
        {"in-out-format-standard",
         [&](const std::string&) { EXPECT_EQ(Sheet.ActiveTree().ConvOpts, TConvOpts{}); }},
        {"drawn", [&](const std::string&) { EXPECT_GT(Sheet.ActiveTree().Metafile.Width, 0); }},
        {"preview",
         [&](const std::string& arg) {
             const TTreePrevDlg& p = Host.Preview;
             EXPECT_EQ(p.CMX + "/" + p.InchX + "/" + p.CMY + "/" + p.InchY, arg);
         }},
    });
    RunScript(GetParam(), commands);
    std::vector<std::string> unchecked;
    for (std::size_t i = Seen; i < Sink.Entries().size(); ++i)
        unchecked.push_back(Sink.Entries()[i].Text);
    EXPECT_EQ(unchecked, std::vector<std::string>{}) << "messages the script does not expect";
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeSheetScript,
                         ::testing::ValuesIn(testing::ReadScriptCases(
                             {"tree_sheet_scripts/commands.txt", "tree_sheet_scripts/files.txt"})),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
