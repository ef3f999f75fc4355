// Commands of the trees sheet on its two trees, driven through a scripted host: the
// dialogs' answers here, every other command in scenario scripts.
#include "treesheet/tree_sheet.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <utility>

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "common/script_cases.h"
#include "picture/text_measurer.h"
#include "tree/canvas_measurer.h"

namespace gramarbor {
namespace {

template <typename Dlg>
using Answers = std::deque<std::function<bool(Dlg&)>>;

class ScriptedHost : public TTreeSheetHost {
public:
    // Each answer edits the model and says whether OK was pressed; run out = Cancel.
    Answers<TTreeListDlg> ListAnswers;
    Answers<TDefNodeDlg> DefineAnswers;
    std::string Carets;                  // the caret line of each showing, after a '|'
    std::vector<std::string> ShownLists; // the lines of each showing, joined by '|'
    std::string OpenName, SaveName;
    TTreePrevDlg Preview;

    template <typename Dlg>
    static bool Answer(Answers<Dlg>& answers, Dlg& dlg) {
        if (answers.empty()) return false;
        const auto answer = std::move(answers.front());
        answers.pop_front();
        return answer(dlg);
    }
    bool ShowTreeListDlg(TTreeListDlg& dlg, int caret) override {
        Carets += "|" + std::to_string(caret);
        ShownLists.push_back(testing::JoinBars(dlg.Lines));
        return Answer(ListAnswers, dlg);
    }
    bool ShowDefNodeDlg(TDefNodeDlg& dlg) override { return Answer(DefineAnswers, dlg); }
    std::string OpenFileName(const std::string&, const std::string&, const std::string&) override {
        return OpenName;
    }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override {
        return SaveName;
    }
    void ShowTreePrevDlg(TTreePrevDlg& dlg) override { Preview = dlg; }
};

// Scenario scripts of the sheet's commands under tests/data/tree_sheet_scripts, one
// test per case.
class TreeSheetScript : public ::testing::TestWithParam<testing::ScriptCase> {
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
    // Files of this test alone, removed with it: the cases run side by side.
    const std::filesystem::path Folder = std::filesystem::temp_directory_path() /
                                         ("gramarbor-treesheet-" + std::to_string(::getpid()));
    TreeSheetScript() { std::filesystem::create_directories(Folder); }
    ~TreeSheetScript() override {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }
    std::string TempFile(const std::string& name) { return (Folder / name).string(); }
    std::map<std::string, std::string> Snapshots;

    // The argument with $TMP/ standing for the folder of the test files.
    std::string Subst(std::string text) {
        for (std::size_t at; (at = text.find("$TMP/")) != std::string::npos;)
            text.replace(at, 5, TempFile(""));
        return testing::Unescape(text);
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
    // Whether the argument is yes rather than no, which are the only words allowed.
    static bool Choice(const std::string& arg, const std::string& yes, const std::string& no) {
        if (arg != yes && arg != no) throw std::invalid_argument(yes + "|" + no + " expected");
        return arg == yes;
    }
    // Rows of the node dialog: "=" keeps a row, "off" clears Used, "I" sets the index,
    // "I:NAME" uses the row with index and name.
    static void EditRows(TDefNodeDlg& dlg, const std::string& rows) {
        std::size_t k = 0;
        for (std::size_t at = 0, comma = 0; comma != std::string::npos; at = comma + 1, ++k) {
            const std::string row = rows.substr(at, (comma = rows.find(',', at)) - at);
            const std::size_t colon = row.find(':');
            if (row == "off") dlg.Rows.at(k).Used = false;
            if (row == "=" || row == "off") continue;
            dlg.Rows.at(k).Index = int(testing::ScriptNumber(row.substr(0, colon)));
            if (colon != std::string::npos)
                dlg.Rows.at(k) = {true, dlg.Rows[k].Index, row.substr(colon + 1)};
        }
    }
};

TEST_P(TreeSheetScript, Runs) {
    using testing::ScriptNumber;
    using testing::SplitWord;
    testing::ScriptMessages messages{Sink};
    testing::ScriptCommands commands;
    const std::pair<const char*, void (TTreeSheet::*)()> buttons[] = {
        {"copy", &TTreeSheet::CopyTreeBtnClick},
        {"cut", &TTreeSheet::CutTreeBtnClick},
        {"delete", &TTreeSheet::DelTreeBtnClick},
        {"paste", &TTreeSheet::PasteTreeBtnClick},
        {"push-left", &TTreeSheet::PushLeftBtnClick},
        {"push-right", &TTreeSheet::PushRghtBtnClick},
        {"insert-parent", &TTreeSheet::InsertParentNode},
        {"define", &TTreeSheet::DefineNode},
        {"undo", &TTreeSheet::Undo},
        {"redo", &TTreeSheet::Redo},
        {"new-tree", &TTreeSheet::NewTreeBtnClick},
        {"edit-list", &TTreeSheet::EditTreeListBtnClick},
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
        commands[word] = [&, click = click](const std::string& arg) {
            (Sheet.*click)(Choice(arg, "on", "off"));
        };
    commands.insert({
        {"repeat",
         [&](const std::string& arg) {
             const auto [count, line] = SplitWord(arg);
             for (long long i = ScriptNumber(count); i > 0; --i)
                 for (std::size_t at = 0, end = 0; end != std::string::npos; at = end + 3) {
                     const auto [word, rest] =
                         SplitWord(line.substr(at, (end = line.find(" ; ", at)) - at));
                     commands.at(word)(rest);
                 }
         }},
        {"build", [&](const std::string& arg) { Build(arg); }},
        {"annotate",
         [&](const std::string& arg) {
             const auto [path, lines] = SplitWord(arg);
             testing::NodeAtPath(Root(), path)->Cont = testing::SplitBars(lines);
         }},
        {"point", [&](const std::string& arg) { Point(testing::NodeAtPath(Root(), arg)); }},
        {"click",
         [&](const std::string& arg) {
             // Left on the top of the highlighted box, right on its centre.
             const TRect& r = Sheet.HighlightRect;
             const bool right = Choice(arg, "right", "left");
             Sheet.MouseDown(Sheet.ActiveTreeIndex, right, (r.Left + r.Right) / 2,
                             right ? (r.Top + r.Bottom) / 2 : r.Top + 2);
         }},
        {"answer-list",
         [&](const std::string& arg) {
             // No argument: an emptied memo.
             Host.ListAnswers.push_back(
                 [lines = testing::SplitBars(Subst(arg)), empty = arg.empty()](TTreeListDlg& dlg) {
                     dlg.Lines = empty ? std::vector<std::string>{} : lines;
                     return true;
                 });
         }},
        {"answer-define",
         [&](const std::string& arg) {
             const auto [rows, text] = SplitWord(arg);
             Host.DefineAnswers.push_back(
                 [&, rows = rows, lines = testing::SplitBars(text)](TDefNodeDlg& dlg) {
                     if (rows != "cancel") EditRows(dlg, rows);
                     if (lines[0] != "=") dlg.NodeText = lines[0];
                     if (lines.size() > 1) dlg.AnnoLines.assign(lines.begin() + 1, lines.end());
                     dlg.OkClick(Sink);
                     return rows != "cancel";
                 });
         }},
        {"paste-mode",
         [&](const std::string& arg) {
             Sheet.PasteMode =
                 Choice(arg, "replace", "append") ? TPasteMode::Replace : TPasteMode::Append;
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
        {"set-hotkey",
         [&](const std::string& arg) {
             const auto [digit, text] = SplitWord(arg);
             Sheet.HotKeys.at(ScriptNumber(digit)) = Subst(text);
         }},
        {"to-tree", [&](const std::string& arg) { Sheet.TextToTree(Subst(arg)); }},
        {"file",
         [&](const std::string& arg) {
             const auto [name, bytes] = SplitWord(arg);
             ASSERT_EQ(AtomicSave(TempFile(name), Subst(bytes)), FileError::None);
         }},
        {"open", [&](const std::string& arg) { Host.OpenName = TempFile(arg); }},
        {"save-as", [&](const std::string& arg) { Host.SaveName = TempFile(arg); }},
        {"step", [&](const std::string& arg) { Sheet.StepTreebank(int(ScriptNumber(arg))); }},
        {"picture-size",
         [&](const std::string& arg) {
             const auto [width, height] = SplitWord(arg);
             Sheet.ActiveTree().Metafile.Width = int32_t(ScriptNumber(width));
             Sheet.ActiveTree().Metafile.Height = int32_t(ScriptNumber(height));
         }},
        {"snapshot", [&](const std::string& arg) { Snapshots[arg] = NodeBytes(); }},
        {"tree-params",
         [&](const std::string& arg) {
             // H V FONT OPTIONS SIZE|LINES|STYLE|FLAGS of the active tree
             const std::vector<std::string> w = testing::Words(arg);
             const std::vector<std::string> a = testing::SplitBars(w.at(4));
             const auto n = [](const std::string& text) { return int32_t(ScriptNumber(text)); };
             Sheet.ActiveTree().SetParams(n(w.at(0)), n(w.at(1)), w.at(2), uint8_t(n(w.at(3))),
                                          TNodeAttr{uint16_t(n(a.at(0))), uint16_t(n(a.at(1))),
                                                    uint8_t(n(a.at(2))), uint16_t(n(a.at(3)))});
         }},
        {"message", [&](const std::string& arg) { messages.Expect(Subst(arg)); }},
    });
    commands["list-line"] = [&](const std::string& arg) {
        const auto [result, line] = SplitWord(arg);
        EXPECT_EQ(Sheet.ParseTreeListLine(Subst(line)), ScriptNumber(result));
    };
    // WORD KEY TEXT: the text of the sheet for the key.
    const std::pair<const char*, std::function<std::string(int)>> keyed[] = {
        {"hotkey", [&](int digit) { return Sheet.HotKey(digit) ? "used" : "unused"; }},
        {"hotkey-text", [&](int digit) { return Sheet.HotKeys.at(digit); }},
        {"window", [&](int index) { return Text(index); }},
        {"shown-list", [&](int n) { return Host.ShownLists.at(n - 1); }},
    };
    for (const auto& [word, text] : keyed)
        commands[word] = [&, text = text](const std::string& arg) {
            const auto [key, expected] = SplitWord(arg);
            EXPECT_EQ(text(int(ScriptNumber(key))), Subst(expected));
        };
    const testing::ScriptChecks checks = {
        {"tree", [&] { return Text(); }},
        {"text",
         [&] {
             std::string text = "old";
             return Sheet.TreeToText(text) ? text : "none";
         }},
        {"position", [&] { return Sheet.TreebankPosition(); }},
        {"brackets", [&] { return Sheet.ActiveTree().ConvOpts.Brackets; }},
        {"in-out-format-standard",
         [&] { return std::string(Sheet.ActiveTree().ConvOpts == TConvOpts{} ? "" : "no"); }},
        {"drawn", [&] { return std::string(Sheet.ActiveTree().Metafile.Width > 0 ? "" : "no"); }},
        {"preview-labels",
         [&] {
             const TTreePrevDlg& p = Host.Preview;
             return p.CMX + "/" + p.InchX + "/" + p.CMY + "/" + p.InchY;
         }},
        {"carets", [&] { return Host.Carets; }},
        {"tree-list", [&] { return testing::JoinBars(Sheet.TreeList); }},
        {"picture", [&] { return std::string(Sheet.HasPicture(true) ? "yes" : "no"); }},
        {"settings",
         [&] {
             const TNodeAttr& a = Sheet.NodeDefaults;
             return std::to_string(Sheet.HDist) + " " + std::to_string(Sheet.VDist) + " " +
                    Sheet.FontName + (Sheet.PlaneTree ? " plane " : " ") +
                    std::to_string(a.FontSize) + "|" + std::to_string(a.LineDist) + "|" +
                    std::to_string(a.FontStyle) + "|" + std::to_string(a.Flags);
         }},
        {"tree-names",
         [&] { return testing::JoinBars(Sheet.TreeNames) + " new " + Sheet.NewTreeName; }},
        {"highlight",
         [&] {
             // No node goes with no box.
             const TNode* node = Sheet.HighlightedNode;
             if (Sheet.HighlightRect != (node ? node->Rect : TRect{-1, -1, -1, -1}))
                 return std::string("a box not its own");
             return node ? node->Name : "none";
         }},
    };
    const testing::ScriptNodeChecks<TNode> nodeChecks = {
        {"name", [](TNode& n) { return n.Name; }},
        {"column", [](TNode& n) { return std::to_string(n.X); }},
        {"notes", [](TNode& n) { return testing::JoinBars(n.Cont); }},
    };
    testing::AddChecks(commands, checks, nodeChecks, [&] { return Root(); });
    commands["same"] = [&](const std::string& arg) {
        EXPECT_EQ(NodeBytes(), Snapshots.at(arg)) << "not the tree of snapshot " << arg;
    };
    RunScript(GetParam(), commands);
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeSheetScript,
                         ::testing::ValuesIn(testing::ReadScriptFolder("tree_sheet_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
