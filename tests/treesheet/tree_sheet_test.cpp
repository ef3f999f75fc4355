// Commands of the trees sheet on its two trees, driven through a scripted host: the
// dialogs' answers here, every other command in scenario scripts.
#include "treesheet/tree_sheet.h"

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

class ScriptedHost : public TTreeSheetHost {
public:
    // Each answer edits the model and says whether OK was pressed; run out = Cancel.
    std::vector<std::function<bool(TTreeListDlg&)>> ListAnswers;
    std::vector<std::function<bool(TDefNodeDlg&)>> DefineAnswers;
    std::vector<int> CaretLines;
    std::vector<std::vector<std::string>> ShownLists; // the lines of each showing
    std::string OpenName, SaveName;
    TTreePrevDlg Preview;

    bool ShowTreeListDlg(TTreeListDlg& dlg, int caret) override {
        CaretLines.push_back(caret);
        ShownLists.push_back(dlg.Lines);
        if (ListAnswers.empty()) return false;
        const auto answer = ListAnswers.front();
        ListAnswers.erase(ListAnswers.begin());
        return answer(dlg);
    }
    bool ShowDefNodeDlg(TDefNodeDlg& dlg) override {
        if (DefineAnswers.empty()) return false;
        const auto answer = DefineAnswers.front();
        DefineAnswers.erase(DefineAnswers.begin());
        return answer(dlg);
    }
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
    // Files of this test alone, removed with it: the cases run side by side.
    const std::filesystem::path Folder = std::filesystem::temp_directory_path() /
                                         ("gramarbor-treesheet-" + std::to_string(::getpid()));
    TreeSheetTest() { std::filesystem::create_directories(Folder); }
    ~TreeSheetTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }
    std::string TempFile(const std::string& name) { return (Folder / name).string(); }
};

// Scenario scripts of the sheet's commands under tests/data/tree_sheet_scripts, one
// test per case.
class TreeSheetScript : public TreeSheetTest,
                        public ::testing::WithParamInterface<testing::ScriptCase> {
protected:
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
    static bool OnOff(const std::string& arg) {
        if (arg != "on" && arg != "off") throw std::invalid_argument("on|off expected");
        return arg == "on";
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
        commands[word] = [&, click = click](const std::string& arg) { (Sheet.*click)(OnOff(arg)); };
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
             const bool right = arg == "right";
             if (!right && arg != "left") throw std::invalid_argument("left|right");
             Sheet.MouseDown(Sheet.ActiveTreeIndex, right, (r.Left + r.Right) / 2,
                             right ? (r.Top + r.Bottom) / 2 : r.Top + 2);
         }},
        {"answer-list",
         [&](const std::string& arg) {
             Host.ListAnswers.push_back(
                 [lines = testing::SplitBars(Subst(arg))](TTreeListDlg& dlg) {
                     if (lines == std::vector<std::string>{"new list"})
                         dlg.NewListBtnClick();
                     else
                         dlg.Lines = lines;
                     return true;
                 });
         }},
        {"answer-line",
         [&](const std::string& arg) {
             const auto [number, line] = SplitWord(arg);
             Host.ListAnswers.push_back(
                 [n = ScriptNumber(number), line = Subst(line)](TTreeListDlg& dlg) {
                     dlg.Lines.at(n - 1) = line;
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
             if (arg != "replace" && arg != "append") throw std::invalid_argument("append|replace");
             Sheet.PasteMode = arg == "replace" ? TPasteMode::Replace : TPasteMode::Append;
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
             std::vector<uint16_t> a;
             for (const std::string& part : testing::SplitBars(w.at(4)))
                 a.push_back(uint16_t(ScriptNumber(part)));
             Sheet.ActiveTree().SetParams(int32_t(ScriptNumber(w.at(0))),
                                          int32_t(ScriptNumber(w.at(1))), w.at(2),
                                          uint8_t(ScriptNumber(w.at(3))),
                                          TNodeAttr{a.at(0), a.at(1), uint8_t(a.at(2)), a.at(3)});
         }},
        {"message", [&](const std::string& arg) { messages.Expect(Subst(arg)); }},
    });
    commands["list-line"] = [&](const std::string& arg) {
        const auto [result, line] = SplitWord(arg);
        EXPECT_EQ(Sheet.ParseTreeListLine(Subst(line)), ScriptNumber(result));
    };
    commands["binary"] = [&](const std::string& arg) {
        const auto [layers, rest] = SplitWord(arg);
        const auto [shape, text] = SplitWord(rest);
        const std::map<std::string, TBinaryShape> shapes = {{"full", TBinaryShape::Full},
                                                            {"left", TBinaryShape::Left},
                                                            {"right", TBinaryShape::Right}};
        EXPECT_EQ(TTreeSheet::BuildBinaryTree(int(ScriptNumber(layers)), shapes.at(shape)),
                  Subst(text));
    };
    // WORD KEY TEXT: the text of the sheet for the key.
    const std::pair<const char*, std::function<std::string(const std::string&)>> keyed[] = {
        {"hotkey",
         [&](const std::string& digit) {
             return std::string(Sheet.HotKey(int(ScriptNumber(digit))) ? "used" : "unused");
         }},
        {"hotkey-text",
         [&](const std::string& digit) { return Sheet.HotKeys.at(ScriptNumber(digit)); }},
        {"window", [&](const std::string& index) { return Text(int(ScriptNumber(index))); }},
        {"shown-list",
         [&](const std::string& n) {
             return testing::JoinBars(Host.ShownLists.at(ScriptNumber(n) - 1));
         }},
    };
    for (const auto& [word, text] : keyed)
        commands[word] = [&, text = text](const std::string& arg) {
            const auto [key, expected] = SplitWord(arg);
            EXPECT_EQ(text(key), Subst(expected));
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
        {"carets",
         [&] {
             std::string text;
             for (const int caret : Host.CaretLines)
                 text += (text.empty() ? "" : " ") + std::to_string(caret);
             return text;
         }},
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
             const TNode* node = Sheet.HighlightedNode;
             if (node && Sheet.HighlightRect != node->Rect) return std::string("a box not its own");
             if (!node)
                 return std::string(Sheet.HighlightRect == TRect{-1, -1, -1, -1} ? "none"
                                                                                 : "a box");
             return node->Name;
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
                         ::testing::ValuesIn(testing::ReadScriptCases(
                             {"tree_sheet_scripts/commands.txt", "tree_sheet_scripts/files.txt"})),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
