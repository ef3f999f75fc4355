#include "tree/latex_export.h"

#include <algorithm>
#include <new>
#include <utility>

#include "picture/canvas.h"
#include "text/cp1252.h"
#include "text/text_utils.h"
#include "tree/latex_move_arrows.h"

namespace gramarbor {

namespace {

// LaTeX for the bytes 0x80..0x9F of Windows-1252; empty for the five it leaves
// undefined. Commands rather than UTF-8, since inputenc knows only some of them.
const char* const HighCommands[32] = {
    "\\texteuro{}",
    "",
    "\\quotesinglbase{}",
    "\\textflorin{}",
    "\\quotedblbase{}",
    "\\dots{}",
    "\\textdagger{}",
    "\\textdaggerdbl{}",
    "\\textasciicircum{}",
    "\\textperthousand{}",
    "\\v{S}",
    "\\guilsinglleft{}",
    "\\OE{}",
    "",
    "\\v{Z}",
    "",
    "",
    "\\textquoteleft{}",
    "\\textquoteright{}",
    "\\textquotedblleft{}",
    "\\textquotedblright{}",
    "\\textbullet{}",
    "\\textendash{}",
    "\\textemdash{}",
    "\\textasciitilde{}",
    "\\texttrademark{}",
    "\\v{s}",
    "\\guilsinglright{}",
    "\\oe{}",
    "",
    "\\v{z}",
    "\\\"{Y}",
};

// Markup state of a piece of text.
struct TStyle {
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    bool Upper = false, Lower = false;
};

std::string Styled(const std::string& text, const TStyle& style) {
    if (text.empty()) return text;
    std::string out = text;
    if (style.Strike) out = "\\gbstrike{" + out + "}";
    if (style.Underline) out = "\\underline{" + out + "}";
    if (style.Italic) out = "\\textit{" + out + "}";
    if (style.Bold) out = "\\textbf{" + out + "}";
    if (style.Upper) out = "\\textsuperscript{" + out + "}";
    if (style.Lower) out = "\\textsubscript{" + out + "}";
    return out;
}

TStyle BaseStyle(uint8_t fontStyle) {
    TStyle style;
    style.Bold = (fontStyle & fsBold) != 0;
    style.Italic = (fontStyle & fsItalic) != 0;
    style.Underline = (fontStyle & fsUnderline) != 0;
    style.Strike = (fontStyle & fsStrikeOut) != 0;
    return style;
}

// A line break in a node; the empty group keeps a "[" on the next line from being
// read as the break's optional argument.
const char* const LineBreak = "\\\\{}";

// The text of one node: its name lines and, below them, its annotation lines.
std::string NodeContent(const TTree& tree, const TNode& node, std::vector<std::string>& fonts) {
    std::vector<std::string> lines;
    SplitString(node.Name, "|", &lines);
    std::string content;
    for (const std::string& line : lines) {
        if (!content.empty()) content += LineBreak;
        content += MarkupToLatex(line, node.Attr.FontStyle, fonts);
    }
    if (tree.WithAnnotations && !node.Cont.empty()) {
        const bool brackets = (node.Attr.Flags & naAnnoBrackets) != 0;
        for (std::size_t i = 0; i < node.Cont.size(); ++i) {
            content += LineBreak;
            if (brackets && i == 0) content += "[";
            content += MarkupToLatex(node.Cont[i], node.Attr.FontStyle, fonts);
            if (brackets && i + 1 == node.Cont.size()) content += "]";
        }
    }
    return content;
}

// Two blanks a level, up to a depth of 20: deep trees must not grow the code by
// the square of their depth.
std::string Indent(std::size_t depth) {
    return std::string(2 * std::min<std::size_t>(depth, 20), ' ');
}

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : ",") + item;
    return out;
}

// Options of a node's own box, and of the edge from its parent.
void NodeStyle(const TTree& tree, const TNode& node, std::vector<std::string>& box,
               std::vector<std::string>& edge, bool& roof) {
    const uint16_t flags = node.Attr.Flags;
    if ((flags & naCenter) != 0 || (flags & (naLeft | naRight)) == 0)
        box.push_back("align=center");
    else
        box.push_back((flags & naLeft) != 0 ? "align=left" : "align=right");
    if ((tree.Options & toFrames) != 0) {
        if ((flags & naRound) != 0)
            box.insert(box.end(), {"draw", "rounded corners"});
        else if ((flags & (naAngular | naBrackets)) != 0)
            box.push_back("draw");
    }
    if ((tree.Options & toBoldLines) != 0) edge.push_back("thick");
    roof = (tree.Options & toTriangles) != 0 && (flags & naTriangle) != 0;
    if (!roof && (tree.Options & toArrows) != 0 && (flags & naArrow) != 0) edge.push_back("->");
}

const char* const Preamble = "\\documentclass{article}\n"
                             "\\usepackage[T1]{fontenc}\n"
                             "\\usepackage[utf8]{inputenc}\n"
                             "\\usepackage{textcomp}\n";

const char* const Macros =
    "\\pagestyle{empty}\n"
    "% Strike-out: a rule across the text.\n"
    "\\newcommand{\\gbstrike}[1]{\\setbox0\\hbox{#1}\\rlap{\\rule[0.6ex]{\\wd0}{0.4pt}}\\box0}\n";

} // namespace

void AddLatexNodeExtras(const TTree& tree, const TLatexArrowPlan& arrows, const TNode& node,
                        int number, TLatexNodeExtras& extras) {
    AddLatexArrowCommands(tree, arrows, node, number, extras.AfterTree);
}

std::string EscapeLatex(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '#':
        case '$':
        case '%':
        case '&':
        case '_':
        case '{':
        case '}':
            out += '\\';
            out += c;
            continue;
        case '~':
            out += "\\textasciitilde{}";
            continue;
        case '^':
            out += "\\textasciicircum{}";
            continue;
        case '\\':
            out += "\\textbackslash{}";
            continue;
        default:
            break;
        }
        if (byte < 32 || byte == 127)
            out += ' ';
        else if (byte >= 0x80 && byte <= 0x9F)
            out += HighCommands[byte - 0x80];
        else if (byte >= 0xA0)
            out += Cp1252ToUtf8(std::string_view(&c, 1));
        else
            out += c;
    }
    return out;
}

std::string MarkupToLatex(std::string_view line, uint8_t fontStyle,
                          std::vector<std::string>& fonts) {
    const TStyle base = BaseStyle(fontStyle);
    TStyle style = base;
    std::string out, piece;
    std::size_t p = 0;
    const auto flush = [&] {
        out += Styled(EscapeLatex(piece), style);
        piece.clear();
    };
    while (p < line.size()) {
        const char c = line[p];
        if (c != '%') {
            piece += c;
            ++p;
            continue;
        }
        if (p + 1 >= line.size()) break; // a "%" at the end is dropped
        const char tag = static_cast<char>(UpCaseChar(line[p + 1]));
        switch (tag) {
        case '%':
            flush();
            style = base;
            break;
        case 'B':
            flush();
            style.Bold = !style.Bold;
            break;
        case 'I':
            flush();
            style.Italic = !style.Italic;
            break;
        case 'U':
            flush();
            style.Underline = !style.Underline;
            break;
        case 'S':
            flush();
            style.Strike = !style.Strike;
            break;
        case '^':
            flush();
            style.Upper = !style.Upper;
            if (style.Upper) style.Lower = false;
            break;
        case '_':
            flush();
            style.Lower = !style.Lower;
            if (style.Lower) style.Upper = false;
            break;
        case '\'': {
            flush();
            const std::size_t q = line.find('\'', p + 2);
            if (q == std::string_view::npos) return out;
            const std::string font(line.substr(p + 2, q - p - 2));
            if (!font.empty()) fonts.push_back(font);
            p = q + 1;
            continue;
        }
        default:
            // Not a tag: the "%" is dropped and the character is text.
            ++p;
            continue;
        }
        p += 2;
    }
    flush();
    return out;
}

bool TreeToLatex(TTree& tree, TLatexStyle style, std::string& latex) {
    latex.clear();
    const TNode* root = tree.GetRoot();
    if (!root) {
        tree.ReportError(teEmptyTree, "");
        return false;
    }
    try {
        const bool forest = style == TLatexStyle::Forest;
        std::string body;
        std::vector<std::string> after;
        const TLatexArrowPlan arrows = PlanLatexArrows(tree);
        // Pre-order walk; a frame closes its bracket when its children are written.
        struct Frame {
            const TNode* Node;
            int32_t Level; // placeholder of a chain node
            std::size_t Next;
            std::size_t Depth;
        };
        const auto childCount = [](const TNode* node, int32_t level) -> std::size_t {
            return level + 1 < node->Levels ? 1 : node->Children.size();
        };
        int number = 0;
        std::size_t maxLines = 1;
        std::vector<Frame> stack;
        const auto enter = [&](const TNode* node, int32_t level, std::size_t depth, bool isRoot) {
            std::vector<std::string> fonts, box, edge;
            bool roof = false;
            const std::string content = NodeContent(tree, *node, fonts);
            std::size_t lines = 1;
            for (std::size_t at = content.find(LineBreak); at != std::string::npos;
                 at = content.find(LineBreak, at + 1))
                ++lines;
            maxLines = std::max(maxLines, lines);
            NodeStyle(tree, *node, box, edge, roof);
            TLatexNodeExtras extras;
            ++number;
            AddLatexNodeExtras(tree, arrows, *node, number, extras);
            box.insert(box.end(), extras.NodeOptions.begin(), extras.NodeOptions.end());
            after.insert(after.end(), extras.AfterTree.begin(), extras.AfterTree.end());
            const std::string indent = Indent(depth);
            for (const std::string& font : fonts)
                body += indent + "% font: " + EscapeLatex(font) + "\n";
            const std::string name = "n" + std::to_string(number);
            const bool leaf = childCount(node, level) == 0;
            if (forest) {
                if (!isRoot) {
                    if (roof) box.push_back("roof");
                    if (!edge.empty()) box.push_back("edge={" + Joined(edge) + "}");
                }
                body += indent + "[{" + content + "}, name=" + name + "," + Joined(box);
                if (leaf) {
                    body += "]\n";
                    return;
                }
                body += "\n";
            } else {
                body += indent;
                if (!isRoot && roof) edge.push_back("roof");
                if (!isRoot && !edge.empty()) body += "\\edge[" + Joined(edge) + "]; ";
                const std::string tikzNode =
                    "\\node[" + Joined(box) + "](" + name + "){" + content + "};";
                if (leaf && !isRoot) {
                    body += tikzNode + "\n";
                    return;
                }
                body += "[." + tikzNode + "\n";
            }
            stack.push_back({node, level, 0, depth});
        };

        enter(root, 0, 1, true);
        while (!stack.empty()) {
            if (body.size() > tree.MaxOutputBytes) {
                tree.ReportLimit(TreeOutputTooLargeText(tree.MaxOutputBytes));
                return false;
            }
            Frame& frame = stack.back();
            if (frame.Next >= childCount(frame.Node, frame.Level)) {
                body += Indent(frame.Depth) + "]\n";
                stack.pop_back();
                continue;
            }
            const bool placeholder = frame.Level + 1 < frame.Node->Levels;
            const TNode* child = placeholder ? frame.Node : frame.Node->Children[frame.Next].get();
            ++frame.Next;
            if (!child) {
                tree.ReportError(teUninitializedNode, "\"TreeToLatex\".");
                return false;
            }
            enter(child, placeholder ? frame.Level + 1 : 0, frame.Depth + 1, false);
        }

        latex = "% A tree drawn by Gramarbor; compile it with pdflatex.\n";
        latex += "% Tree font: " + EscapeLatex(tree.FontName) + " (the document keeps its own).\n";
        latex += Preamble;
        latex += forest ? "\\usepackage{forest}\n\\useforestlibrary{linguistics}\n"
                        : "\\usepackage{tikz-qtree}\n";
        if (!arrows.Routes.empty()) latex += "\\usetikzlibrary{calc}\n";
        latex += Macros;
        latex += "\\begin{document}\n";
        if (forest) {
            latex += "\\begin{forest}\n" + body;
            for (const std::string& command : after)
                latex += command + "\n";
            latex += "\\end{forest}\n";
        } else {
            // Levels far enough apart for the tallest node.
            const std::size_t levelEm = 2 + (12 * maxLines + 9) / 10;
            latex += "\\begin{tikzpicture}[every tree node/.style={anchor=north},\n"
                     "  level distance=" +
                     std::to_string(levelEm) +
                     "em,\n"
                     "  edge from parent path={(\\tikzparentnode.south) -- "
                     "(\\tikzchildnode.north)}]\n\\Tree\n" +
                     body;
            for (const std::string& command : after)
                latex += command + "\n";
            latex += "\\end{tikzpicture}\n";
        }
        latex += "\\end{document}\n";
        if (latex.size() > tree.MaxOutputBytes) {
            latex.clear();
            tree.ReportLimit(TreeOutputTooLargeText(tree.MaxOutputBytes));
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        latex.clear();
        tree.ReportError(teNoMemory, "");
        return false;
    }
}

} // namespace gramarbor
