// A tree as a LaTeX document that pdflatex compiles: `forest` or `tikz-qtree` code
// with the node markup mapped to LaTeX and the special characters escaped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tree/tree.h"

namespace gramarbor {

enum class TLatexStyle { Forest, Qtree };

// Extra drawing of one node. Every node is named n<k> in the LaTeX code, k its
// number in pre-order from 1, so that TikZ code after the tree can refer to any node.
struct TLatexNodeExtras {
    std::vector<std::string> NodeOptions; // TikZ options of the node itself
    std::vector<std::string> AfterTree;   // TikZ commands drawn after the whole tree
};

struct TLatexArrowPlan;

// The one place where per-node extra drawing (such as arrows between two nodes)
// is added to the LaTeX code; arrows is the tree's movement arrows, planned once.
void AddLatexNodeExtras(const TTree& tree, const TLatexArrowPlan& arrows, const TNode& node,
                        int number, TLatexNodeExtras& extras);

// One line of node text with its markup as LaTeX (UTF-8). Fonts named by the markup
// are added to fonts, since the document keeps its own font; the rest of a line
// whose font name is not closed is dropped, as in the drawing.
std::string MarkupToLatex(std::string_view line, uint8_t fontStyle,
                          std::vector<std::string>& fonts);

// Windows-1252 text with LaTeX's special characters escaped, as UTF-8.
std::string EscapeLatex(std::string_view text);

// The whole tree as a complete document (UTF-8). False with a message through the
// tree for an empty tree or code beyond the tree's MaxOutputBytes.
bool TreeToLatex(TTree& tree, TLatexStyle style, std::string& latex);

} // namespace gramarbor
