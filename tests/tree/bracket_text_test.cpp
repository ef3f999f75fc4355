// Bracketed tree text: reading, vertical writing, errors and deep nesting (the round
// trips of every format are among the golden command lines).
#include <gtest/gtest.h>

#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using BracketText = testing::TreeTest;

struct Format {
    char Separator;
    const char* Brackets;
    bool Outside;
};

void SetFormat(TTree& tree, const Format& format, bool vertical = false) {
    tree.SetConvOpts(format.Brackets, format.Separator, format.Outside, vertical);
}

struct RoundTrip {
    Format Fmt;
    const char* Text;
};

TEST_F(BracketText, FormatsReadTheSameTree) {
    NullSink sink;
    TTree blank(true, sink), comma(true, sink);
    ASSERT_TRUE(blank.StrToTree("[S [NP] [VP]]"));
    SetFormat(comma, {',', "[]", false});
    ASSERT_TRUE(comma.StrToTree("  [S,[NP],\t[VP]]  "));
    EXPECT_EQ(testing::WriteTree(comma), "[S,[NP],[VP]]");
    comma.SetConvOpts("[]", ' ', false, false);
    EXPECT_EQ(testing::WriteTree(comma), testing::WriteTree(blank));

    TTree outside(true, sink);
    SetFormat(outside, {',', "()", true});
    ASSERT_TRUE(outside.StrToTree("v(w(x),y(z))"));
    EXPECT_EQ(NodeAt(outside, {1, 0})->Name, "z");
    ASSERT_TRUE(outside.StrToTree("v()"));
    EXPECT_TRUE(outside.GetRoot()->Children.empty());
    // The text of a one-node tree keeps its brackets: a bare name would not read back.
    EXPECT_EQ(testing::WriteTree(outside), "v()");
    ASSERT_TRUE(outside.StrToTree("X(,Y)"));
    ASSERT_EQ(outside.GetRoot()->Children.size(), 1u);
    EXPECT_EQ(NodeAt(outside, {0})->Name, "Y");

    // With commas, blanks inside unquoted names stay; quotes are removed.
    comma.SetConvOpts("[]", ',', false, false);
    ASSERT_TRUE(comma.StrToTree("[New York,[\"a,b\"]]"));
    EXPECT_EQ(NodeAt(comma, {})->Name, "New York");
    EXPECT_EQ(NodeAt(comma, {0})->Name, "a,b");

    // Nodes read from text get the defaults and serial numbers.
    EXPECT_EQ(NodeAt(comma, {0})->Attr, comma.NodeDefaults);
    EXPECT_GT(NodeAt(comma, {0})->ID, NodeAt(comma, {})->ID);

    ASSERT_TRUE(blank.StrToTree("[]"));
    EXPECT_EQ(blank.GetRoot()->Name, "");
}

TEST_F(BracketText, VerticalOutputAlignsChildren) {
    tree.SetConvOpts("[]", ' ', false, true);
    ASSERT_TRUE(tree.StrToTree("[S [NP] [VP]]"));
    EXPECT_EQ(testing::WriteTree(tree), "[S [NP]\r\n   [VP]]");
    // Vertical text reads back in every format.
    const RoundTrip trips[] = {{{' ', "[]", false}, "[a [b [c] [d] [e]] [f [g]]]"},
                               {{',', "[]", false}, "[a,[b,[c],[d],[e]],[f,[g]]]"},
                               {{' ', "()", true}, "a(b(c d e) f(g))"},
                               {{',', "<>", true}, "a<b<c,d,e>,f<g>>"}};
    for (const RoundTrip& trip : trips) {
        SetFormat(tree, trip.Fmt, true);
        ASSERT_TRUE(tree.StrToTree(trip.Text));
        const std::string vertical = testing::WriteTree(tree);
        EXPECT_NE(vertical.find("\r\n"), std::string::npos);
        ASSERT_TRUE(tree.StrToTree(vertical)) << vertical;
        SetFormat(tree, trip.Fmt);
        EXPECT_EQ(testing::WriteTree(tree), trip.Text);
    }
}

struct ErrorCase {
    Format Fmt;
    const char* Text;
    int Code;
    const char* Message;
};

TEST_F(BracketText, ReportsEveryParseError) {
    const Format inside{' ', "[]", false};
    const Format commaInside{',', "[]", false};
    const Format outside{',', "()", true};
    const ErrorCase cases[] = {
        {inside, "   ", 10, "Can`t translate an empty string into a tree."},
        {outside, "v", 11, "Opening or closing bracket expected in >v<."},
        {outside, "v x", 11, "Opening or closing bracket expected in >v x<."},
        {outside, "v(w", 11, "Opening or closing bracket expected in >w<."},
        {inside, "[S [NP]x]", 12, "Separator or closing bracket expected in >x]<."},
        {inside, "[S", 12, "Separator or closing bracket expected in >S<."},
        {outside, "v(w(x)y)", 12, "Separator or closing bracket expected in >y)<."},
        {inside, "[S [NP]", 13, "Unallowed end of input: separator expected."},
        {commaInside, "[S ", 12, "Separator or closing bracket expected in >S<."},
        {commaInside, "[S,", 13, "Unallowed end of input: opening or closing bracket expected."},
        {inside, "[S [NP] x]", 15, "Opening bracket expected in >x]<."},
        {inside, "[X [A] [B] [C] [D] [E]]", 14, "Too many children in node >X<."},
        {outside, "x(a,b,c,d,e)", 14, "Too many children in node >x<."},
        {inside, "NP]", 15, "Opening bracket expected in >NP]<."},
        {inside, "[", 16, "An empty node name is not allowed."},
        {inside, "[\"open [A]]", 17,
         "Quotation mark expected: the node name must be included in \"..\"."},
    };
    for (const ErrorCase& c : cases) {
        RecordingSink sink;
        TTree tree(true, sink);
        ASSERT_TRUE(tree.StrToTree("[old]"));
        SetFormat(tree, c.Fmt);
        EXPECT_FALSE(tree.StrToTree(c.Text)) << c.Text;
        EXPECT_EQ(tree.ErrorCode, c.Code) << c.Text;
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{c.Message}) << c.Text;
        EXPECT_EQ(tree.GetRoot()->Name, "old") << c.Text;
    }
}

TEST_F(BracketText, WarnsAboutTheUnreadRemainder) {
    EXPECT_TRUE(tree.StrToTree("[S [NP]] extra"));
    ASSERT_EQ(sink.Entries().size(), 1u);
    EXPECT_EQ(sink.Entries()[0].Kind, MessageKind::Warning);
    EXPECT_EQ(sink.Last(), "Warning: not all characters of the input string have been consumed: "
                           "remainder is > extra<.");
    EXPECT_EQ(tree.ErrorCode, 0);
    EXPECT_EQ(NodeAt(tree, {0})->Name, "NP");

    // An empty item with parent outside reads no node and keeps the tree.
    tree.SetConvOpts("()", ',', true, false);
    EXPECT_TRUE(tree.StrToTree(",x"));
    EXPECT_EQ(tree.GetRoot()->Name, "S");
}

TEST_F(BracketText, ParseNodeLeavesTheRestOfTheText) {
    std::string text = "[A [B]] [C]";
    TNodePtr node;
    ASSERT_TRUE(tree.ParseNode(text, node));
    EXPECT_EQ(node->Children[0]->Name, "B");
    EXPECT_EQ(text, " [C]");
    EXPECT_EQ(tree.GetRoot(), nullptr);
}

TEST_F(BracketText, EmptyTreeAndQuotedNames) {
    std::string text = "junk";
    EXPECT_FALSE(tree.TreeToStr(text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(sink.Last(), "Can`t translate an empty tree into a string.");

    tree.Init(tree.CreateNode("a b"));
    EXPECT_EQ(testing::WriteTree(tree), "[\"a b\"]");
    tree.SetConvOpts("[]", ',', false, false);
    EXPECT_EQ(testing::WriteTree(tree), "[a b]");
}

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "[x ";
    text += "[leaf]";
    text += std::string(depth, ']');
    return text;
}

TEST_F(BracketText, DeepNestingUpToTheGridIsReadAndBeyondRefused) {
    // The leaf stands at level 32767, the deepest the grid holds.
    ASSERT_TRUE(tree.StrToTree(Nested(MaxGridPosition)));
    std::string text;
    ASSERT_TRUE(tree.TreeToStr(text));
    EXPECT_EQ(text.size(), Nested(MaxGridPosition).size());
    ASSERT_TRUE(tree.Positions());
    TNode* node = tree.GetRoot();
    while (!node->Children.empty())
        node = node->Children[0].get();
    EXPECT_EQ(node->Y, MaxGridPosition);
    EXPECT_TRUE(sink.Empty());

    // Deeper text is valid but cannot be laid out: it is refused as too deep, not as
    // a lack of memory, closed or not.
    std::string unclosed;
    for (int i = 0; i < 100000; ++i)
        unclosed += "[x ";
    for (const std::string& deep : {Nested(MaxGridPosition + 1), unclosed}) {
        sink.Clear();
        tree.ResetError();
        EXPECT_FALSE(tree.StrToTree(deep));
        EXPECT_EQ(tree.ErrorCode, TreeLimitError);
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{"The tree is too deep: no node can lie "
                                                         "more than 32767 levels below the root."});
        EXPECT_EQ(tree.GetRoot()->Name, "x");
    }
}

} // namespace
} // namespace gramarbor
