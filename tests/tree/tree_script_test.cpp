// Scenario scripts of trees under tests/data/tree_scripts: bracket text in every
// format and its errors, layout, plane trees, pushes, movement arrow markers and
// picture sizes, one test per case.
#include <gtest/gtest.h>

#include "script_cases.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

class TreeScript : public ::testing::TestWithParam<ScriptCase> {
protected:
    RecordingSink Sink;
    TTree Tree{true, Sink};
    RecordingCanvas Screen;
    std::size_t Seen = 0; // messages already checked

    // "root" or child indices separated by dots.
    TNode* At(const std::string& path) {
        TNode* node = Tree.GetRoot();
        if (!node) throw std::invalid_argument("no tree");
        for (std::size_t at = 0, dot = 0; path != "root" && dot != std::string::npos;
             at = dot + 1) {
            dot = path.find('.', at);
            node = node->Children.at(ScriptNumber(path.substr(at, dot - at))).get();
        }
        return node;
    }
    // The node's path and the rest of the argument.
    std::pair<TNode*, std::string> AtAnd(const std::string& arg) {
        const std::size_t blank = arg.find(' ');
        return {At(arg.substr(0, blank)), blank == std::string::npos ? "" : arg.substr(blank + 1)};
    }
    void Message(MessageKind kind, const std::string& text) {
        ASSERT_LT(Seen, Sink.Entries().size()) << "no further message";
        EXPECT_EQ(Sink.Entries()[Seen].Text, Unescape(text));
        EXPECT_EQ(Sink.Entries()[Seen++].Kind, kind);
    }
    static uint8_t Options(const std::string& arg) {
        static const std::map<std::string, uint8_t> bits = {
            {"frames", toFrames},      {"plane", toPlane},   {"planeok", toPlaneOK},
            {"tidy", toTidy},          {"arrows", toArrows}, {"bold", toBoldLines},
            {"triangles", toTriangles}};
        uint8_t options = 0;
        for (const std::string& word : Words(arg))
            options |= bits.at(word);
        return options;
    }
};

TEST_P(TreeScript, Runs) {
    const ScriptCommands commands = {
        {"format",
         [&](const std::string& arg) {
             const std::vector<std::string> w = Words(arg);
             const auto has = [&](const char* word) {
                 return std::find(w.begin() + 2, w.end(), word) != w.end();
             };
             if (w.size() < 2 || (w[0] != "blank" && w[0] != "comma"))
                 throw std::invalid_argument(
                     "format blank|comma BRACKETS [outside] [vertical] [labelled]");
             Tree.SetConvOpts(w[1], w[0] == "blank" ? ' ' : ',', has("outside"), has("vertical"),
                              has("labelled"));
         }},
        {"read", [&](const std::string& arg) { EXPECT_TRUE(Tree.StrToTree(Unescape(arg))); }},
        {"refuse", [&](const std::string& arg) { EXPECT_FALSE(Tree.StrToTree(Unescape(arg))); }},
        {"text", [&](const std::string& arg) { EXPECT_EQ(WriteTree(Tree), Unescape(arg)); }},
        {"no-text",
         [&](const std::string&) {
             std::string text = "old";
             EXPECT_FALSE(Tree.TreeToStr(text));
             EXPECT_EQ(text, "");
         }},
        {"message", [&](const std::string& arg) { Message(MessageKind::Error, arg); }},
        {"warning", [&](const std::string& arg) { Message(MessageKind::Warning, arg); }},
        {"code", [&](const std::string& arg) { EXPECT_EQ(Tree.ErrorCode, ScriptNumber(arg)); }},
        {"reset", [&](const std::string&) { Tree.ResetError(); }},
        {"empty", [&](const std::string&) { EXPECT_EQ(Tree.GetRoot(), nullptr); }},
        {"name",
         [&](const std::string& arg) {
             const auto [node, name] = AtAnd(arg);
             EXPECT_EQ(node->Name, Unescape(name));
         }},
        {"id",
         [&](const std::string& arg) {
             const auto [node, id] = AtAnd(arg);
             EXPECT_EQ(node->ID, ScriptNumber(id));
         }},
        {"children",
         [&](const std::string& arg) {
             const auto [node, count] = AtAnd(arg);
             EXPECT_EQ(node->Children.size(), std::size_t(ScriptNumber(count)));
         }},
        {"defaults", [&](const std::string& arg) { EXPECT_EQ(At(arg)->Attr, Tree.NodeDefaults); }},
        {"annotate",
         [&](const std::string& arg) {
             const auto [node, lines] = AtAnd(arg);
             node->Cont = {};
             for (std::size_t at = 0, bar; at <= lines.size(); at = bar + 1)
                 node->Cont.push_back(
                     lines.substr(at, (bar = std::min(lines.find('|', at), lines.size())) - at));
         }},
        {"add",
         [&](const std::string& arg) {
             const auto [node, name] = AtAnd(arg);
             node->Children.push_back(Tree.CreateNode(name));
         }},
        {"options",
         [&](const std::string& arg) { Tree.SetParams(64, 64, "", Options(arg), TNodeAttr{}); }},
        {"layout", [&](const std::string&) { EXPECT_TRUE(Tree.Positions()); }},
        {"plane",
         [&](const std::string& arg) {
             if (arg != "chains" && arg != "plain") throw std::invalid_argument("chains|plain");
             EXPECT_TRUE(Tree.PlaneTree(Tree.GetRoot(), arg == "chains"));
         }},
        {"unplane",
         [&](const std::string&) { EXPECT_TRUE(Tree.RemovePlaneChains(Tree.GetRoot())); }},
        {"places", [&](const std::string& arg) { EXPECT_EQ(Places(Tree), arg); }},
        {"show", [&](const std::string&) { EXPECT_TRUE(Tree.Show(Screen.Canvas, 4, 4)); }},
        {"no-show", [&](const std::string&) { EXPECT_FALSE(Tree.Show(Screen.Canvas, 4, 4)); }},
        {"size",
         [&](const std::string& arg) {
             EXPECT_EQ(std::to_string(Tree.Metafile.Width) + " " +
                           std::to_string(Tree.Metafile.Height),
                       arg);
         }},
        {"rect",
         [&](const std::string& arg) {
             const auto [node, box] = AtAnd(arg);
             const TRect& r = node->Rect;
             EXPECT_EQ(std::to_string(r.Left) + " " + std::to_string(r.Top) + " " +
                           std::to_string(r.Right) + " " + std::to_string(r.Bottom),
                       box);
         }},
        {"x",
         [&](const std::string& arg) {
             const auto [node, x] = AtAnd(arg);
             node->X = int16_t(ScriptNumber(x));
         }},
        {"column",
         [&](const std::string& arg) {
             const auto [node, x] = AtAnd(arg);
             EXPECT_EQ(node->X, ScriptNumber(x));
         }},
        {"push",
         [&](const std::string& arg) {
             const std::vector<std::string> w = Words(arg);
             if (w.size() != 3 || (w[0] != "left" && w[0] != "right") ||
                 (w[2] != "ok" && w[2] != "refused"))
                 throw std::invalid_argument("push left|right PATH ok|refused");
             TNode* node = At(w[1]);
             EXPECT_EQ(w[0] == "left" ? Tree.PushLeft(node) : Tree.PushRight(node), w[2] == "ok");
         }},
        {"arrows",
         [&](const std::string& arg) {
             std::string list;
             for (const TMoveArrow& a : Tree.MoveArrows(Tree.GetRoot()))
                 list += (list.empty() ? "" : " ") + a.From->Name + "->" + a.To->Name;
             EXPECT_EQ(list, arg);
         }},
    };
    RunScript(GetParam(), commands);
    std::vector<std::string> unchecked;
    for (std::size_t i = Seen; i < Sink.Entries().size(); ++i)
        unchecked.push_back(Sink.Entries()[i].Text);
    EXPECT_EQ(unchecked, std::vector<std::string>{}) << "messages the script does not expect";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeScript,
    ::testing::ValuesIn(ReadScriptCases({"tree_scripts/bracket_text.txt", "tree_scripts/layout.txt",
                                         "tree_scripts/arrows_and_labels.txt"})),
    [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
