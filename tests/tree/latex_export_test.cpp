// LaTeX code of trees: node options, and documents that pdflatex compiles with every
// label on the page (escaping and markup of single lines are tree scripts).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "base/file_io.h"
#include "tree/latex_export.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

// The tree of the render test: every markup tag, frame kind, a triangle, an arrow,
// annotation lines, characters LaTeX treats specially, and two movement arrows:
// "old" (n7) to "Det" (n3) below the leaves, VP (n5) to NP (n2) between inner nodes.
void BuildMarkupTree(TTree& tree) {
    tree.SetParams(64, 64, "Arial", toFrames | toTriangles | toArrows, TNodeAttr{});
    ASSERT_TRUE(tree.StrToTree(
        "[\"%bS%b|[+pst]\" [NP%_i [%iDet%i] [N%^2]] [VP [%uV%u] "
        "[%sold%s] [\"%'Courier New'PP%''|x\"] [\"50% & $5 #1 ~a_b{c}\xE4\x80\"]]]"));
    TNode* root = tree.GetRoot();
    root->Attr.Flags = naCenter | naRound | naAnnoBrackets;
    root->Cont = {"annotation", "second line"};
    TNode* np = root->Children[0].get();
    np->Attr.Flags = naLeft | naAngular;
    np->Children[0]->Attr.Flags = naLeft | naArrow;
    TNode* vp = root->Children[1].get();
    vp->Attr.Flags = naRight | naBrackets;
    vp->Children[2]->Attr.Flags = naCenter | naTriangle;
    vp->Children[1]->MoveTarget = np->Children[0]->Key;
    vp->MoveTarget = np->Key;
}

// Both styles of the tree above, of a chain with an arrow (written as n2..n4, its
// arrow leaving the lowest placeholder once), and of the tree with its options off
// (no frames, triangles or arrow-ended lines) are kept in tests/data/tree/latex.txt.
TEST(LatexExport, DocumentsMatchTheirFile) {
    std::string all;
    for (const TLatexStyle style : {TLatexStyle::Forest, TLatexStyle::Qtree}) {
        const std::string name = style == TLatexStyle::Forest ? "forest" : "qtree";
        RecordingSink sink;
        TTree tree(true, sink);
        BuildMarkupTree(tree);
        std::string latex;
        ASSERT_TRUE(TreeToLatex(tree, style, latex));
        all += "%%%% " + name + ": the markup tree\n" + latex;
        tree.Options = 0;
        ASSERT_TRUE(TreeToLatex(tree, style, latex));
        all += "%%%% " + name + ": its options off\n" + latex;
        tree.Options = toFrames | toTriangles | toArrows;
        ASSERT_TRUE(tree.StrToTree("[S [$ [a]] [b]]"));
        TNode* chain = tree.GetRoot()->Children[0].get();
        chain->Levels = 3;
        chain->MoveTarget = tree.GetRoot()->Children[1]->Key;
        ASSERT_TRUE(TreeToLatex(tree, style, latex));
        all += "%%%% " + name + ": a chain with an arrow\n" + latex;
        EXPECT_TRUE(sink.Empty()) << sink.Last();
    }
    testing::ExpectGolden("tree/latex.txt", all);
    NullSink sink;
    TTree empty(true, sink);
    std::string latex;
    EXPECT_FALSE(TreeToLatex(empty, TLatexStyle::Forest, latex));
}

bool HasTexFile(const char* name) {
    const std::string command = std::string("kpsewhich ") + name + " > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string RunCommand(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

class LatexCompile : public ::testing::TestWithParam<TLatexStyle> {};

TEST_P(LatexCompile, DocumentCompilesAndShowsTheLabels) {
    const bool forest = GetParam() == TLatexStyle::Forest;
    // forest needs environ, elocalloc and inlinedef, which only the large
    // texlive-latex-extra brings.
    if (forest &&
        !(HasTexFile("environ.sty") && HasTexFile("elocalloc.sty") && HasTexFile("inlinedef.sty")))
        GTEST_SKIP() << "forest's own packages (texlive-latex-extra) are not installed";
    RecordingSink sink;
    TTree tree(true, sink);
    BuildMarkupTree(tree);
    std::string latex;
    ASSERT_TRUE(TreeToLatex(tree, GetParam(), latex));

    const auto dir = std::filesystem::temp_directory_path() /
                     (std::string("gramarbor-latex-") + (forest ? "forest-" : "qtree-") +
                      std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ASSERT_EQ(AtomicSave((dir / "tree.tex").string(), latex), FileError::None);
    const std::string log =
        RunCommand("cd " + dir.string() +
                   " && pdflatex -interaction=nonstopmode -halt-on-error tree.tex 2>&1");
    ASSERT_TRUE(std::filesystem::exists(dir / "tree.pdf")) << log << "\n" << latex;
    const std::string text = RunCommand("pdftotext " + (dir / "tree.pdf").string() + " - 2>&1");
    std::filesystem::remove_all(dir);
    for (const char* label :
         {"S", "[+pst]", "annotation", "Det", "old", "PP", "second line", "50 & $5 #1", "\xC3\xA4"})
        EXPECT_NE(text.find(label), std::string::npos) << label << "\n" << text;
}

INSTANTIATE_TEST_SUITE_P(Styles, LatexCompile,
                         ::testing::Values(TLatexStyle::Forest, TLatexStyle::Qtree),
                         [](const auto& info) {
                             return info.param == TLatexStyle::Forest ? "Forest" : "Qtree";
                         });

} // namespace
} // namespace gramarbor
