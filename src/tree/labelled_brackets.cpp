// Labelled brackets, the text of treebanks and parsers: "(S (NP (DT the) (NN dog)))"
// or "[S [NP the dog] [VP barks]]". A bracket holds a label and items; an item is a
// bracket or a bare word, and every word is a leaf of its own.
#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "tree/tree.h"

namespace gramarbor {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Longest piece of the remaining input that a message shows.
constexpr std::size_t MaxExcerpt = 40;

class LabelledReader {
public:
    LabelledReader(TTree& tree, const std::string& text, std::size_t pos)
        : Tree(tree), Text(text), Pos(pos) {
        const std::string& b = tree.ConvOpts.Brackets;
        Open = b.size() > 0 ? b[0] : '(';
        Close = b.size() > 1 ? b[1] : ')';
        Sep = tree.ConvOpts.Separator;
    }

    bool Parse(TNodePtr& result);
    std::size_t Position() const { return Pos; }

private:
    struct Frame {
        TNodePtr Node;
        bool Items = false; // a label or an item was read: a comma must come next
        bool Unlabelled = false;
    };

    bool Empty() const { return Pos >= Text.size(); }
    char Front() const { return Text[Pos]; }
    void SkipBlanks() {
        while (!Empty() && IsBlankOrControl(Front()))
            ++Pos;
    }
    bool EndsWord(char c) const {
        return c == Open || c == Close || (Sep == ' ' ? IsBlankOrControl(c) : c == Sep);
    }
    // "Line L, column C." of the reading position.
    std::string Where() const;
    // The remaining input as a message shows it, with its line and column.
    std::string Here() const;
    void Fail(TTreeError code, const std::string& context) { Tree.ReportError(code, context); }
    bool ReadWord(std::string& word, bool& quoted);
    bool Attach(std::vector<Frame>& open, TNodePtr node);

    TTree& Tree;
    const std::string& Text;
    std::size_t Pos;
    char Open;
    char Close;
    char Sep;
};

std::string LabelledReader::Where() const {
    std::size_t line = 1, lineStart = 0;
    for (std::size_t i = 0; i < Pos && i < Text.size(); ++i)
        if (Text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    return "Line " + std::to_string(line) + ", column " + std::to_string(Pos - lineStart + 1) + ".";
}

std::string LabelledReader::Here() const {
    const std::size_t at = std::min(Pos, Text.size());
    std::string rest = Text.substr(at, MaxExcerpt);
    if (Text.size() - at > MaxExcerpt) rest += "...";
    return ">" + rest + "<. " + Where();
}

bool LabelledReader::ReadWord(std::string& word, bool& quoted) {
    quoted = !Empty() && Front() == '"';
    if (quoted) {
        const std::size_t q = Text.find('"', Pos + 1);
        if (q == std::string::npos) {
            Fail(teQuoteExpected, "");
            return false;
        }
        word = Text.substr(Pos + 1, q - Pos - 1);
        Pos = q + 1;
        return true;
    }
    const std::size_t start = Pos;
    while (!Empty() && !EndsWord(Front()))
        ++Pos;
    std::size_t end = Pos;
    while (end > start && IsBlankOrControl(Text[end - 1]))
        --end;
    word = Text.substr(start, end - start);
    if (word.empty()) {
        Fail(teEmptyName, "");
        return false;
    }
    return true;
}

bool LabelledReader::Attach(std::vector<Frame>& open, TNodePtr node) {
    Frame& parent = open.back();
    if (parent.Node->Children.size() >= 4) {
        Fail(teTooManyChildren, ">" + parent.Node->Name + "<. " + Where());
        return false;
    }
    parent.Node->Children.push_back(std::move(node));
    parent.Items = true;
    return true;
}

bool LabelledReader::Parse(TNodePtr& result) {
    result.reset();
    SkipBlanks();
    if (Empty()) {
        Fail(teUnexpectedEnd, "opening or closing bracket expected.");
        return false;
    }
    if (Front() != Open) {
        Fail(teOpeningBracketExpected, Here());
        return false;
    }
    std::vector<Frame> open;
    for (;;) {
        // At an opening bracket: read the label and open the node.
        if (open.size() >= static_cast<std::size_t>(MaxGridPosition)) {
            Tree.ReportLimit(TreeTooDeepText());
            return false;
        }
        ++Pos;
        SkipBlanks();
        if (Empty()) {
            Fail(teUnexpectedEnd, "separator or closing bracket expected.");
            return false;
        }
        std::string label;
        bool quoted = false;
        const bool unlabelled = Front() == Open || Front() == Close || Front() == Sep;
        if (!unlabelled && !ReadWord(label, quoted)) return false;
        TNodePtr node = Tree.CreateNode(label);
        if (!node) return false;
        // A comma right after the bracket separates an empty label from the first item.
        open.push_back({std::move(node), !unlabelled || Front() == Sep, unlabelled});

        // Items until the next opening bracket, or until the whole tree is closed.
        for (;;) {
            SkipBlanks();
            if (Empty()) {
                Fail(teUnexpectedEnd, "separator expected.");
                return false;
            }
            Frame& frame = open.back();
            if (Front() == Close) {
                ++Pos;
                Frame done = std::move(open.back());
                open.pop_back();
                if (open.empty()) {
                    // Penn's unlabelled outer bracket around the sentence.
                    if (done.Unlabelled && done.Node->Children.size() == 1)
                        result = std::move(done.Node->Children.front());
                    else
                        result = std::move(done.Node);
                    return true;
                }
                if (!Attach(open, std::move(done.Node))) return false;
                continue;
            }
            if (Sep != ' ' && frame.Items) {
                if (Front() != Sep && Front() != Open) {
                    Fail(teSeparatorExpected, Here());
                    return false;
                }
                if (Front() == Sep) {
                    ++Pos;
                    SkipBlanks();
                    if (Empty()) {
                        Fail(teUnexpectedEnd, "separator expected.");
                        return false;
                    }
                }
            }
            if (Front() == Open) break;
            std::string word;
            if (!ReadWord(word, quoted)) return false;
            TNodePtr leaf = Tree.CreateNode(word);
            if (!leaf || !Attach(open, std::move(leaf))) return false;
        }
    }
}

// Whether a name must be quoted to read back as itself.
bool NeedsQuotes(const std::string& name, char open, char close, char sep) {
    if (name.empty()) return true;
    if (name.front() == '"' || IsBlankOrControl(name.front()) || IsBlankOrControl(name.back()))
        return true;
    for (char c : name)
        if (c == open || c == close || c == sep || (sep == ' ' && IsBlankOrControl(c))) return true;
    return false;
}

} // namespace

bool TTree::ParseLabelledAt(const std::string& text, std::size_t& pos, TNodePtr& node) {
    node.reset();
    try {
        LabelledReader reader(*this, text, pos);
        if (!reader.Parse(node)) return false;
        pos = reader.Position();
        return true;
    } catch (const std::bad_alloc&) {
        node.reset();
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::LabelledTreeToStr(std::string& text) {
    try {
        const char open = ConvOpts.Brackets.size() > 0 ? ConvOpts.Brackets[0] : '(';
        const char close = ConvOpts.Brackets.size() > 1 ? ConvOpts.Brackets[1] : ')';
        const char sep = ConvOpts.Separator;
        const auto shown = [&](const std::string& name) {
            return NeedsQuotes(name, open, close, sep) ? '"' + name + '"' : name;
        };
        // A chain node stands for its placeholders, each the only child of the one above.
        struct Frame {
            const TNode* Node;
            int32_t Level;
            std::size_t Indent; // column of the first item, for vertical text
            std::size_t Next;
            bool Break; // vertical text: items after the first on lines of their own
        };
        const auto childCount = [](const TNode* node, int32_t level) -> std::size_t {
            return level + 1 < node->Levels ? 1 : node->Children.size();
        };
        const auto childAt = [](const TNode* node, int32_t level,
                                std::size_t i) -> std::pair<const TNode*, int32_t> {
            if (level + 1 < node->Levels) return {node, level + 1};
            return {node->Children[i].get(), 0};
        };
        const auto allLeaves = [&](const TNode* node, int32_t level) {
            for (std::size_t i = 0; i < childCount(node, level); ++i) {
                const auto [child, childLevel] = childAt(node, level, i);
                if (!child || childCount(child, childLevel) > 0) return false;
            }
            return true;
        };

        std::vector<Frame> stack;
        std::size_t column = 0;
        const auto add = [&](const std::string& piece) {
            text += piece;
            column += piece.size();
        };
        // Writes a node: a bracket with its label, or a bare word for a leaf.
        const auto enter = [&](const TNode* node, int32_t level) {
            if (!stack.empty() && childCount(node, level) == 0) {
                add(shown(node->Name));
                return;
            }
            add(std::string(1, open) + shown(node->Name));
            stack.push_back(
                {node, level, column + 1, 0, ConvOpts.Vertical && !allLeaves(node, level)});
        };

        enter(Root.get(), 0);
        while (!stack.empty()) {
            if (text.size() > MaxOutputBytes) {
                text.clear();
                ReportLimit(TreeOutputTooLargeText(MaxOutputBytes));
                return false;
            }
            Frame& frame = stack.back();
            if (frame.Next >= childCount(frame.Node, frame.Level)) {
                add(std::string(1, close));
                stack.pop_back();
                continue;
            }
            const auto [child, childLevel] = childAt(frame.Node, frame.Level, frame.Next);
            if (!child) {
                text.clear();
                ReportError(teUninitializedNode, "\"TreeToStr\".");
                return false;
            }
            if (frame.Next > 0 && frame.Break) {
                if (sep != ' ') text += sep;
                text += "\r\n" + std::string(frame.Indent, ' ');
                column = frame.Indent;
            } else {
                add(std::string(1, sep));
            }
            ++frame.Next;
            enter(child, childLevel);
        }
        if (text.size() > MaxOutputBytes) {
            text.clear();
            ReportLimit(TreeOutputTooLargeText(MaxOutputBytes));
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        text.clear();
        ReportError(teNoMemory, "");
        return false;
    }
}

} // namespace gramarbor
