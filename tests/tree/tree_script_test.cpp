// Scenario scripts of trees under tests/data/tree_scripts: the model, bracket text in
// every format and its errors, layout, plane trees, pushes, movement arrow markers,
// boxes, picture sizes and drawings call by call, one test per case.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "common/script_cases.h"
#include "tree/canvas_measurer.h"
#include "tree/latex_export.h"
#include "tree/node_geometry.h"
#include "tree/tree.h"
#include "tree/tree_changes.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

class TreeScript : public ::testing::TestWithParam<ScriptCase> {
protected:
    RecordingSink Sink;
    TTree Tree{true, Sink};
    std::optional<RecordingCanvas> Screen{std::in_place};
    std::size_t OpsSeen = 0;            // calls of Screen that "op" has checked
    TNodeAttr Attr = DefaultNodeAttr(); // of markup and boxes drawn alone
    std::string Rest;
    std::vector<std::string> Fonts; // named by the last line made LaTeX
    std::string Bytes;              // of the last tree file saved by save-bytes
    std::string Latex[2];           // forest and qtree documents made by latex
};

std::string AttrText(const TNodeAttr& a) {
    return std::to_string(a.FontSize) + "/" + std::to_string(a.LineDist) + "/" +
           std::to_string(a.FontStyle) + "/" + std::to_string(a.Flags);
}

// "default", "none" (all zero) or a font size alone.
TNodeAttr AttrOf(const std::string& word) {
    if (word == "default") return DefaultNodeAttr();
    return TNodeAttr{uint16_t(word == "none" ? 0 : ScriptNumber(word)), 0, 0, 0};
}

const std::map<std::string, uint16_t> OptionBits = {
    {"frames", toFrames}, {"plane", toPlane},    {"planeok", toPlaneOK},    {"tidy", toTidy},
    {"arrows", toArrows}, {"bold", toBoldLines}, {"triangles", toTriangles}};
const std::map<std::string, uint16_t> FlagBits = {
    {"left", naLeft},         {"right", naRight},       {"center", naCenter},
    {"angular", naAngular},   {"round", naRound},       {"brackets", naBrackets},
    {"anno", naAnnoBrackets}, {"triangle", naTriangle}, {"arrow", naArrow}};

// The bits of the words of an argument.
uint16_t Bits(const std::map<std::string, uint16_t>& bits, const std::string& arg) {
    uint16_t result = 0;
    for (const std::string& word : Words(arg))
        result |= bits.at(word);
    return result;
}

// The argument with every {N*PART} in it (innermost first) written out as N copies of
// PART, for very deep, long or wide trees (\x7b and \x7d are braces once unescaped).
std::string Repeat(std::string text) {
    for (std::size_t close; (close = text.find('}')) != std::string::npos;) {
        const std::size_t open = text.rfind('{', close), star = text.find('*', open);
        if (open == std::string::npos || star > close) throw std::invalid_argument("{N*PART}");
        std::string copies;
        for (long long n = ScriptNumber(text.substr(open + 1, star - open - 1)); n > 0; --n)
            copies += text.substr(star + 1, close - star - 1);
        text.replace(open, close - open + 1, copies);
    }
    return text;
}

// The tidy layout keeps the distance between the boxes (name and annotation) of a
// level and stands every parent over the middle of its first and last child.
void ExpectTidy(TTree& tree, RecordingCanvas& rc) {
    std::map<int, std::vector<std::pair<int64_t, int64_t>>> levels; // the boxes' reach
    for (const TNode* node : Nodes(tree)) {
        EXPECT_TRUE(node->Children.empty() ||
                    2 * node->X == node->Children.front()->X + node->Children.back()->X)
            << node->Name << " stands off the middle of its children";
        if (node->Name == "$") continue;
        auto& [left, right] = levels[node->Y].emplace_back(node->Rect.Left, node->Rect.Right);
        if (node->Cont.empty()) continue;
        const int64_t w = tree.LinesWidth(rc.Canvas, node->Attr, node->Cont);
        const int64_t margin = BoxMargin(node->Attr.FontSize) + 1;
        const int64_t x = (node->Rect.Left + node->Rect.Right) / 2 - w / 2 - margin;
        left = std::min(left, x);
        right = std::max(right, x + w + 2 * margin);
    }
    for (auto& [level, spans] : levels) {
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 1; i < spans.size(); ++i)
            EXPECT_GE(spans[i].first - spans[i - 1].second, 2 * tree.HalfHDist - 2) << level;
    }
}

std::string Box(const TRect& r) {
    return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " + std::to_string(r.Right) +
           " " + std::to_string(r.Bottom);
}

TEST_P(TreeScript, Runs) {
    ScriptMessages messages{Sink};
    const auto at = [&](const std::string& arg) {
        const auto [path, rest] = SplitWord(arg);
        return std::pair{NodeAtPath(Tree.GetRoot(), path), rest};
    };
    // "CALL => RESULT": the call and its expected result.
    const auto result = [](const std::string& arg) {
        const std::size_t arrow = arg.find(" => ");
        return std::pair{arg.substr(0, arrow),
                         arrow == std::string::npos ? "" : arg.substr(arrow + 4)};
    };
    const auto number = [](const std::string& text) { return int32_t(ScriptNumber(text)); };
    const auto rect = [&](const std::string& text) {
        const std::vector<std::string> w = Words(text);
        return TRect{number(w.at(0)), number(w.at(1)), number(w.at(2)), number(w.at(3))};
    };
    ScriptCommands commands = {
        {"format",
         [&](const std::string& arg) {
             const std::vector<std::string> w = Words(arg);
             if (w.size() < 2 || (w[0] != "blank" && w[0] != "comma"))
                 throw std::invalid_argument("blank|comma BRACKETS [outside vertical labelled]");
             const auto has = [&](const char* word) {
                 return std::find(w.begin() + 2, w.end(), word) != w.end();
             };
             Tree.SetConvOpts(w[1], w[0] == "blank" ? ' ' : ',', has("outside"), has("vertical"),
                              has("labelled"));
         }},
        {"read",
         [&](const std::string& arg) { EXPECT_TRUE(Tree.StrToTree(Unescape(Repeat(arg)))); }},
        {"refuse",
         [&](const std::string& arg) { EXPECT_FALSE(Tree.StrToTree(Unescape(Repeat(arg)))); }},
        {"message", [&](const std::string& arg) { messages.Expect(Unescape(arg)); }},
        {"warning",
         [&](const std::string& arg) { messages.Expect(Unescape(arg), MessageKind::Warning); }},
        {"reset", [&](const std::string&) { Tree.ResetError(); }},
        {"add",
         [&](const std::string& arg) {
             // PATH NAME [ANNOTATIONS]
             const auto [node, rest] = at(arg);
             const auto [name, lines] = SplitWord(rest);
             node->Children.push_back(Tree.CreateNode(name, lines));
         }},
        {"init",
         [&](const std::string& arg) {
             const auto [name, result] = SplitWord(arg);
             EXPECT_EQ(Tree.Init(name == "none" ? nullptr : Tree.CreateNode(name)), result == "ok");
         }},
        {"quiet", [&](const std::string&) { Tree.ShowErrors = false; }},
        {"annotations", [&](const std::string& arg) { Tree.WithAnnotations = arg == "on"; }},
        {"clear", [&](const std::string&) { EXPECT_TRUE(Tree.Clear()); }},
        {"at",
         [&](const std::string& arg) {
             // X Y => the name and box of the node found there
             const auto [call, found] = result(arg);
             const std::vector<std::string> w = Words(call);
             TRect box;
             const TNode* node = Tree.NodeAtXY(number(w.at(0)), number(w.at(1)), box);
             EXPECT_EQ((node ? node->Name : "none") + " " + Box(box), found);
         }},
        {"parent-of-none",
         [&](const std::string&) { EXPECT_EQ(Tree.SearchParent(nullptr, nullptr), nullptr); }},
        {"parent-elsewhere",
         [&](const std::string& arg) {
             TTree empty(true, Sink);
             EXPECT_EQ(empty.ParentOf(NodeAtPath(Tree.GetRoot(), arg)), nullptr);
             EXPECT_EQ(empty.ErrorCode, 0);
         }},
        {"parse-node",
         [&](const std::string& arg) {
             // Reads the first subtree into the tree; the text left is checked by rest.
             Rest = Unescape(arg);
             TNodePtr node;
             EXPECT_TRUE(Tree.ParseNode(Rest, node));
             EXPECT_EQ(Tree.GetRoot(), nullptr);
             Tree.SetRoot(std::move(node));
         }},
        {"push",
         [&](const std::string& arg) {
             const std::vector<std::string> w = Words(arg);
             if (w.size() != 3 || (w[0] != "left" && w[0] != "right") ||
                 (w[2] != "ok" && w[2] != "refused"))
                 throw std::invalid_argument("left|right PATH ok|refused");
             TNode* node = w[1] == "none" ? nullptr : NodeAtPath(Tree.GetRoot(), w[1]);
             EXPECT_EQ(w[0] == "left" ? Tree.PushLeft(node) : Tree.PushRight(node), w[2] == "ok");
         }},
        {"changed",
         [&](const std::string& arg) {
             // BEFORE | AFTER => the names of the nodes of BEFORE that AFTER lacks
             const std::size_t bar = arg.find(" | "), arrow = arg.find(" => ");
             TTree after(true, Sink);
             ASSERT_TRUE(Tree.StrToTree(arg.substr(0, bar)) &&
                         after.StrToTree(arg.substr(bar + 3, arrow - bar - 3)));
             std::string names;
             for (const TNode* node : TNodeShapes(Tree.GetRoot()).NodesNotIn(after.GetRoot()))
                 names += (names.empty() ? "" : " ") + node->Name;
             EXPECT_EQ(names, arrow == std::string::npos ? "" : arg.substr(arrow + 4));
         }},
        {"copy",
         [&](const std::string& arg) {
             // PATH|none keep|renumber: the copy of the subtree becomes the tree
             const auto [path, how] = SplitWord(arg);
             TNode* node = path == "none" ? nullptr : NodeAtPath(Tree.GetRoot(), path);
             TNodePtr copy = std::make_unique<TNode>();
             EXPECT_EQ(Tree.CopyTree(node, copy, how == "keep"), node != nullptr);
             Tree.SetRoot(std::move(copy));
         }},
        {"half-distance", [&](const std::string& arg) { Tree.HalfHDist = number(arg); }},
        {"vertical-distance", [&](const std::string& arg) { Tree.VDist = number(arg); }},
        {"next-id", [&](const std::string& arg) { Tree.NextID = int32_t(ScriptNumber(arg)); }},
        {"options",
         [&](const std::string& arg) {
             Tree.SetParams(64, 64, "", uint8_t(Bits(OptionBits, arg)), TNodeAttr{});
         }},
        {"set-params",
         [&](const std::string& arg) {
             // H V FONT|- ATTR OPTIONS...
             const std::vector<std::string> w = Words(arg);
             const std::size_t skip =
                 w.at(0).size() + w.at(1).size() + w.at(2).size() + w.at(3).size() + 4;
             Tree.SetParams(number(w[0]), number(w[1]), w[2] == "-" ? "" : Unescape(w[2]),
                            uint8_t(Bits(OptionBits, arg.size() > skip ? arg.substr(skip) : "")),
                            AttrOf(w[3]));
         }},
        {"set-node-defaults",
         [&](const std::string& arg) {
             const auto [font, attr] = SplitWord(arg);
             Tree.SetNodeDefaults(font == "-" ? "" : font, AttrOf(attr));
         }},
        {"save-bytes",
         [&](const std::string& arg) {
             const auto [flag, refused] = SplitWord(arg);
             EXPECT_EQ(Tree.SaveTreeBytes(Tree.GetRoot(), uint8_t(number(flag)), Bytes),
                       refused != "refused");
         }},
        {"same-bytes",
         [&](const std::string&) {
             std::string again;
             EXPECT_TRUE(Tree.SaveTreeBytes(Tree.GetRoot(), 1, again));
             EXPECT_EQ(again, Bytes) << "saved again, the file differs";
         }},
        {"max-output", [&](const std::string& arg) { Tree.MaxOutputBytes = number(arg); }},
        {"grid-extent", [&](const std::string& arg) { Tree.GridExtent = rect(arg); }},
        {"load-bytes",
         [&](const std::string& arg) {
             const auto [name, refused] = SplitWord(arg);
             EXPECT_EQ(Tree.LoadTreeBytes(Bytes, name), refused != "refused");
         }},
        {"save-file",
         [&](const std::string& arg) {
             // GOLDEN|none: the file on disk holds the golden bytes; no tree writes no file.
             const std::string path = (std::filesystem::temp_directory_path() /
                                       ("gramarbor-tree-" + std::to_string(::getpid()) + ".tre"))
                                          .string();
             std::filesystem::remove(path);
             EXPECT_TRUE(Tree.SaveTree(path, arg == "none" ? nullptr : Tree.GetRoot(), 1));
             std::string bytes;
             EXPECT_EQ(ReadFileBytes(path, bytes) == FileError::None, arg != "none");
             if (arg != "none") ExpectGolden(arg, bytes);
             std::filesystem::remove(path);
         }},
        {"refuse-truncated",
         [&](const std::string& arg) {
             // MESSAGE: every truncation of the last file saved is refused with it
             for (std::size_t size = 0; size < Bytes.size(); ++size) {
                 EXPECT_FALSE(Tree.LoadTreeBytes(std::string_view(Bytes).substr(0, size), "f.tre"));
                 messages.Expect(Unescape(arg));
             }
         }},
        {"append-bytes", [&](const std::string& arg) { Bytes += Unescape(arg); }},
        {"wrap",
         [&](const std::string& arg) {
             // A new root NAME above the tree.
             TNodePtr root = Tree.CreateNode(arg), copy;
             ASSERT_TRUE(Tree.CopyTree(Tree.GetRoot(), copy, true));
             root->Children.push_back(std::move(copy));
             Tree.SetRoot(std::move(root));
         }},
        {"layout", [&](const std::string& arg) { EXPECT_EQ(Tree.Positions(), arg != "refused"); }},
        {"plane",
         [&](const std::string& arg) {
             const auto [how, refused] = SplitWord(arg);
             if (how != "chains" && how != "plain") throw std::invalid_argument("chains|plain");
             EXPECT_EQ(Tree.PlaneTree(Tree.GetRoot(), how == "chains"), refused != "refused");
         }},
        {"unplane",
         [&](const std::string& arg) {
             EXPECT_EQ(Tree.RemovePlaneChains(arg == "none" ? nullptr : Tree.GetRoot()),
                       arg != "none");
         }},
        {"chain",
         [&](const std::string& arg) {
             // new|PATH LEVELS: a chain node as the tree or as the last child at PATH
             const auto [path, levels] = SplitWord(arg);
             TNodePtr chain = Tree.NewChainNode();
             chain->Levels = number(levels);
             if (path == "new") return Tree.SetRoot(std::move(chain));
             NodeAtPath(Tree.GetRoot(), path)->Children.push_back(std::move(chain));
         }},
        {"latex",
         [&](const std::string& arg) {
             // TITLE|refused: the tree's documents in both styles, each under its title
             for (const int i : {0, 1}) {
                 std::string latex;
                 EXPECT_EQ(TreeToLatex(Tree, i ? TLatexStyle::Qtree : TLatexStyle::Forest, latex),
                           arg != "refused");
                 Latex[i] +=
                     std::string("%%%% ") + (i ? "qtree: " : "forest: ") + arg + "\n" + latex;
             }
         }},
        {"golden", [&](const std::string& arg) { ExpectGolden(arg, Latex[0] + Latex[1]); }},
        {"align", [&](const std::string& arg) { SetAlignIndex(Attr, number(arg)); }},
        {"latex-escape",
         [&](const std::string& arg) {
             const auto [text, latex] = result(arg);
             EXPECT_EQ(EscapeLatex(Unescape(text)), Unescape(latex));
         }},
        {"latex-markup",
         [&](const std::string& arg) {
             const auto [call, latex] = result(arg);
             const auto [style, text] = SplitWord(call);
             Fonts.clear();
             EXPECT_EQ(MarkupToLatex(Unescape(text), uint8_t(number(style)), Fonts),
                       Unescape(latex));
         }},
        {"show",
         [&](const std::string& arg) {
             // On a new canvas, which records what the picture holds.
             Screen.emplace();
             OpsSeen = 0;
             EXPECT_EQ(Tree.Show(Screen->Canvas, 4, 4), arg != "refused");
             EXPECT_TRUE(arg == "refused" || Screen->Recorded.Calls() == Tree.Metafile.Calls())
                 << "the screen shows another picture";
         }},
        {"show-in-arial",
         [&](const std::string& arg) {
             // Measured with Arial's widths on a canvas that draws nothing.
             ApproxTextMeasurer arial;
             MeasuringCanvas screen(arial);
             EXPECT_EQ(Tree.Show(screen, 4, 4), arg != "refused");
         }},
        {"tidy-kept",
         [&](const std::string&) {
             // Drawn twice (plane chains in place the second time), with the same places.
             ASSERT_TRUE(Tree.Show(Screen->Canvas, 4, 4));
             ExpectTidy(Tree, *Screen);
             const std::string before = Places(Tree);
             ASSERT_TRUE(Tree.Show(Screen->Canvas, 4, 4));
             EXPECT_EQ(Places(Tree), before);
         }},
        {"canvas",
         [&](const std::string&) {
             Screen.emplace();
             OpsSeen = 0;
         }},
        {"tree-font", [&](const std::string& arg) { Tree.FontName = arg; }},
        {"style", [&](const std::string& arg) { Attr.FontStyle = uint8_t(number(arg)); }},
        {"flags", [&](const std::string& arg) { Attr.Flags = Bits(FlagBits, arg); }},
        {"frame", [&](const std::string& arg) { SetFrameIndex(Attr, number(arg)); }},
        {"markup",
         [&](const std::string& arg) {
             // X Y TEXT [=> WIDTH]
             const auto [x, rest] = SplitWord(arg);
             const auto [y, call] = SplitWord(rest);
             const auto [text, width] = result(call);
             const int32_t drawn =
                 Tree.MarkupTextOut(Screen->Canvas, number(x), number(y), text, Attr);
             EXPECT_TRUE(width.empty() || std::to_string(drawn) == width) << drawn;
         }},
        {"markup-width",
         [&](const std::string& arg) {
             const auto [text, width] = result(arg);
             EXPECT_EQ(std::to_string(Tree.MarkupWidth(Screen->Canvas, Attr, text)), width);
         }},
        {"lines-width",
         [&](const std::string& arg) {
             const auto [lines, width] = result(arg);
             EXPECT_EQ(std::to_string(Tree.LinesWidth(Screen->Canvas, Attr, SplitBars(lines))),
                       width);
         }},
        {"nodebox",
         [&](const std::string& arg) {
             // LEFT TOP WIDTH LINES draw|measure => the box
             const auto [call, box] = result(arg);
             const std::vector<std::string> w = Words(call);
             EXPECT_EQ(
                 Box(Tree.NodeBox(Screen->Canvas, number(w.at(0)), number(w.at(1)), number(w.at(2)),
                                  SplitBars(w.at(3)), Attr, w.at(4) == "draw")),
                 box);
         }},
        {"op",
         [&](const std::string& arg) {
             const std::vector<PictureOp>& calls = Screen->Recorded.Calls();
             ASSERT_LT(OpsSeen, calls.size()) << "no further call";
             EXPECT_EQ(DumpOp(calls[OpsSeen++]), arg + "\n");
         }},
    };
    const ScriptChecks checks = {
        {"text",
         [&] {
             std::string text = "old";
             return Tree.TreeToStr(text) ? text
                                         : "refused" + (text.empty() ? "" : ", left " + text);
         }},
        {"code", [&] { return std::to_string(Tree.ErrorCode); }},
        {"text-size",
         [&] {
             std::string text;
             return std::to_string(Tree.TreeToStr(text) ? text.size() : 0);
         }},
        {"nodes", [&] { return std::to_string(Nodes(Tree).size()); }},
        {"last",
         [&] {
             const TNode* n = Nodes(Tree).back();
             return n->Name + ":" + std::to_string(n->X) + "," + std::to_string(n->Y);
         }},
        {"next", [&] { return std::to_string(Tree.NextID); }},
        {"dropped", [&] { return std::to_string(Tree.DroppedArrows); }},
        {"empty", [&] { return std::string(Tree.GetRoot() ? "no" : "yes"); }},
        {"grid", [&] { return Box(Tree.GridExtent); }},
        {"ops", [&] { return std::to_string(Screen->Recorded.Calls().size()); }},
        {"canvas-font", [&] { return Screen->Canvas.State.Font.Name; }},
        {"latex-fonts", [&] { return JoinBars(Fonts); }},
        {"bytes", [&] { return std::to_string(Bytes.size()); }},
        {"with-annotations", [&] { return std::string(Tree.WithAnnotations ? "on" : "off"); }},
        {"params",
         [&] {
             int32_t hDist = 0, vDist = 0;
             std::string font;
             uint8_t options = 0xFF;
             TNodeAttr defaults;
             Tree.GetParams(hDist, vDist, font, options, defaults);
             return std::to_string(hDist) + " " + std::to_string(vDist) + " " + font + " " +
                    std::to_string(options) + " " + AttrText(defaults);
         }},
        {"indices",
         [&] {
             return "align " + std::to_string(AlignIndex(Attr)) + " frame " +
                    std::to_string(FrameIndex(Attr)) + " flags " + std::to_string(Attr.Flags);
         }},
        {"rest", [&] { return Rest; }},
        {"places", [&] { return Places(Tree); }},
        {"size",
         [&] {
             return std::to_string(Tree.Metafile.Width) + " " +
                    std::to_string(Tree.Metafile.Height);
         }},
        {"extent",
         [&] {
             TRect extent, grid;
             return Tree.Extension(Screen->Canvas, Tree.GetRoot(), extent, grid)
                        ? Box(extent) + " grid " + Box(grid)
                        : "refused";
         }},
        {"arrows", [&] { return ArrowList(Tree); }},
    };
    const ScriptNodeChecks<TNode> nodeChecks = {
        {"name", [](TNode& n) { return n.Name; }},
        {"id", [](TNode& n) { return std::to_string(n.ID); }},
        {"children", [](TNode& n) { return std::to_string(n.Children.size()); }},
        {"placeholders", [](TNode& n) { return std::to_string(n.Levels); }},
        {"column", [](TNode& n) { return std::to_string(n.X); }},
        {"row", [](TNode& n) { return std::to_string(n.Y); }},
        {"rect", [](TNode& n) { return Box(n.Rect); }},
        {"font", [](TNode& n) { return std::to_string(n.Attr.FontSize); }},
        {"lines", [](TNode& n) { return JoinBars(n.Cont); }},
        {"attr", [](TNode& n) { return AttrText(n.Attr); }},
        {"defaults",
         [&](TNode& n) { return std::string(n.Attr == Tree.NodeDefaults ? "yes" : "no"); }},
        {"parent",
         [&](TNode& n) {
             const TNode* parent = Tree.ParentOf(&n);
             return parent ? parent->Name : "none";
         }},
    };
    AddChecks(commands, checks, nodeChecks, [&] { return Tree.GetRoot(); });
    // PATH VALUE: sets a field of the node at PATH.
    const std::pair<const char*, std::function<void(TNode&, const std::string&)>> setters[] = {
        {"x", [&](TNode& n, const std::string& v) { n.X = int16_t(number(v)); }},
        {"level", [&](TNode& n, const std::string& v) { n.Y = int16_t(number(v)); }},
        {"box", [&](TNode& n, const std::string& v) { n.Rect = rect(v); }},
        {"font-size",
         [&](TNode& n, const std::string& v) { n.Attr.FontSize = uint16_t(number(v)); }},
        {"line-distance",
         [&](TNode& n, const std::string& v) { n.Attr.LineDist = uint16_t(number(v)); }},
        {"node-style",
         [&](TNode& n, const std::string& v) { n.Attr.FontStyle = uint8_t(number(v)); }},
        {"node-flags", [&](TNode& n, const std::string& v) { n.Attr.Flags |= Bits(FlagBits, v); }},
        {"set-flags", [&](TNode& n, const std::string& v) { n.Attr.Flags = Bits(FlagBits, v); }},
        {"levels", [&](TNode& n, const std::string& v) { n.Levels = int32_t(number(v)); }},
        {"serial", [&](TNode& n, const std::string& v) { n.ID = int32_t(number(v)); }},
        {"move-to",
         [&](TNode& n, const std::string& v) {
             n.MoveTarget = NodeAtPath(Tree.GetRoot(), v)->Key;
         }},
        {"annotate",
         [&](TNode& n, const std::string& v) {
             n.Cont = SplitBars(Repeat(v));
             for (std::string& line : n.Cont)
                 line = Unescape(line);
         }},
    };
    for (const auto& [word, set] : setters)
        commands[word] = [&, set = set](const std::string& arg) {
            const auto [node, value] = at(arg);
            set(*node, value);
        };
    RunScript(GetParam(), commands);
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeScript, ::testing::ValuesIn(ReadScriptFolder("tree_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
