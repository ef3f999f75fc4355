// LaTeX documents of trees that pdflatex compiles with every label on the page (the
// documents themselves, escaping and markup are tree scripts).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "base/file_io.h"
#include "tree/latex_export.h"

namespace gramarbor {
namespace {

// The document of the markup tree in STYLE, as kept in the golden file that the tree
// scripts check: every markup tag, frame kind, a triangle, an arrow, annotation lines,
// characters LaTeX treats specially and two movement arrows.
std::string MarkupTreeDocument(const std::string& style) {
    std::string all;
    EXPECT_EQ(ReadFileBytes(std::string(GRAMARBOR_TEST_DATA) + "/tree/latex.txt", all),
              FileError::None);
    const std::string title = "%%%% " + style + ": the markup tree\n";
    const std::size_t start = all.find(title) + title.size();
    return all.substr(start, all.find("%%%% ", start) - start);
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
    const std::string found = RunCommand("kpsewhich environ.sty elocalloc.sty inlinedef.sty");
    if (forest && std::count(found.begin(), found.end(), '\n') < 3)
        GTEST_SKIP() << "forest's own packages (texlive-latex-extra) are not installed";
    const std::string latex = MarkupTreeDocument(forest ? "forest" : "qtree");
    ASSERT_NE(latex.find("\\end{document}"), std::string::npos);
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
