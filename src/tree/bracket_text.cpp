// The tree as bracketed text: writing (horizontal or vertical) and reading.
#include "tree/tree.h"

#include <new>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// One arrow marker at the end of a name: "<k" (the arrow's target) or ">k" (its source).
struct Marker {
    bool Target;
    int32_t Number;
    std::size_t At; // where it starts in the name
};

// The markers at the end of name, last first; digits limited so that numbers fit.
std::vector<Marker> TrailingMarkers(const std::string& name) {
    std::vector<Marker> found;
    std::size_t end = name.size();
    for (;;) {
        std::size_t p = end;
        while (p > 0 && name[p - 1] >= '0' && name[p - 1] <= '9')
            --p;
        if (p == end || end - p > 9 || p < 2 || (name[p - 1] != '<' && name[p - 1] != '>')) break;
        found.push_back({name[p - 1] == '<', std::stoi(name.substr(p, end - p)), p - 1});
        end = p - 1;
    }
    return found;
}

} // namespace

bool TTree::TreeToStr(std::string& text) {
    text.clear();
    if (!Root) {
        ReportError(teEmptyTree, "");
        return false;
    }
    if (ConvOpts.Labelled) return LabelledTreeToStr(text);
    try {
        const char sep = ConvOpts.Separator;
        const char open = ConvOpts.Brackets.size() > 0 ? ConvOpts.Brackets[0] : '[';
        const char close = ConvOpts.Brackets.size() > 1 ? ConvOpts.Brackets[1] : ']';
        const bool outside = ConvOpts.ParentOutside;
        const int k = outside ? 0 : 1;

        // A chain node is written as its placeholders, each the only child of the
        // one above; Level says which one a frame writes.
        struct Frame {
            const TNode* Node;
            int32_t Level;
            std::size_t Indent; // the indentation of this node's further children
            std::size_t Next;   // the next child to write
        };
        std::vector<Frame> stack;
        const auto childCount = [](const TNode* node, int32_t level) -> std::size_t {
            return level + 1 < node->Levels ? 1 : node->Children.size();
        };

        // Movement arrows become markers after the names: "<k" at the k-th target
        // (in pre-order) and ">k" at each node whose arrow goes there.
        std::unordered_map<const TNode*, std::string> markers;
        {
            const std::vector<TMoveArrow> arrows = MoveArrows(Root.get());
            std::unordered_map<const TNode*, int32_t> targets;
            for (const TMoveArrow& arrow : arrows)
                targets.emplace(arrow.To, 0);
            // Numbers that names already end in are skipped, so that those names
            // read back as they are.
            std::unordered_set<int32_t> taken;
            std::vector<const TNode*> order, pending{Root.get()};
            while (!pending.empty() && !targets.empty()) {
                const TNode* n = pending.back();
                pending.pop_back();
                order.push_back(n);
                for (const Marker& m : TrailingMarkers(n->Name))
                    taken.insert(m.Number);
                for (auto c = n->Children.rbegin(); c != n->Children.rend(); ++c)
                    pending.push_back(c->get());
            }
            int32_t k = 0;
            for (const TNode* n : order) {
                const auto it = targets.find(n);
                if (it == targets.end()) continue;
                while (taken.count(++k)) {
                }
                it->second = k;
            }
            for (const auto& [target, number] : targets)
                markers[target] = "<" + std::to_string(number);
            for (const TMoveArrow& arrow : arrows)
                markers[arrow.From] += ">" + std::to_string(targets[arrow.To]);
        }

        // Writes the start of a node and makes it the current frame.
        auto enter = [&](const TNode* node, int32_t level, std::size_t indent) {
            const auto marked = level == 0 ? markers.find(node) : markers.end();
            const std::string& name =
                marked == markers.end() ? node->Name : node->Name + marked->second;
            // Quoted also where the bare name would not read back: blanks or control
            // characters at its ends (trimmed when read), and an empty name that
            // stands before brackets or children (read as no name at all).
            const bool edgeBlank =
                !name.empty() && (IsBlankOrControl(name.front()) || IsBlankOrControl(name.back()));
            const bool quote = name.find(sep) != std::string::npos ||
                               name.find(open) != std::string::npos ||
                               name.find(close) != std::string::npos || edgeBlank ||
                               (name.empty() && (outside || childCount(node, level) > 0));
            const std::string shown = quote ? '"' + name + '"' : name;
            if (outside)
                text += shown + open;
            else
                text += open + shown;
            stack.push_back({node, level, indent + name.size() + 1, 0});
        };
        const auto tooLarge = [&] {
            if (text.size() <= MaxOutputBytes) return false;
            text.clear();
            ReportLimit(TreeOutputTooLargeText(MaxOutputBytes));
            return true;
        };

        enter(Root.get(), 0, 0);
        while (!stack.empty()) {
            if (tooLarge()) return false;
            Frame& frame = stack.back();
            const TNode* node = frame.Node;
            const std::size_t children = childCount(node, frame.Level);
            if (frame.Next < children) {
                const bool placeholder = frame.Level + 1 < node->Levels;
                const TNode* child = placeholder ? node : node->Children[frame.Next].get();
                if (!child) {
                    text.clear();
                    ReportError(teUninitializedNode, "\"TreeToStr\".");
                    return false;
                }
                ++frame.Next;
                if (!outside) text += sep;
                enter(child, placeholder ? frame.Level + 1 : 0, frame.Indent + k);
                continue;
            }
            // All children written: close this node.
            if (outside) {
                // A leaf is its bare name, except a tree of one node, which keeps
                // its empty brackets so that the text reads back.
                if (children == 0 && stack.size() == 1)
                    text += close;
                else {
                    text.pop_back();
                    if (children > 0) text += close;
                }
            } else {
                text += close;
            }
            stack.pop_back();
            if (stack.empty()) break;
            Frame& parent = stack.back();
            if (outside) text += sep;
            if (ConvOpts.Vertical && parent.Next < childCount(parent.Node, parent.Level))
                text += "\r\n" + std::string(parent.Indent, ' ');
        }
        if (tooLarge()) return false;
        return true;
    } catch (const std::bad_alloc&) {
        text.clear();
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::StrToTree(const std::string& text) {
    std::string input = TrimText(text);
    if (input.empty()) {
        ReportError(teEmptyString, "");
        return false;
    }
    TNodePtr node;
    if (!ParseNode(input, node)) return false;
    if (!input.empty())
        Messages.Warning(
            "Warning: not all characters of the input string have been consumed: remainder is >" +
            input + "<.");
    if (node) Root = std::move(node);
    return true;
}

namespace {

// Reads bracket text from a position that only moves forward.
class BracketReader {
public:
    BracketReader(TTree& tree, const std::string& text) : Tree(tree), Text(text) {
        const std::string& b = tree.ConvOpts.Brackets;
        Open = b.size() > 0 ? b[0] : '[';
        Close = b.size() > 1 ? b[1] : ']';
        Sep = tree.ConvOpts.Separator;
        Outside = tree.ConvOpts.ParentOutside;
    }

    bool Parse(TNodePtr& result);
    std::size_t Position() const { return Pos; }

private:
    enum class Head { Failed, Done, Open };

    // One node whose children are being read.
    struct Frame {
        TNodePtr Node;
        std::string Name;
    };

    bool Empty() const { return Pos >= Text.size(); }
    char Front() const { return Text[Pos]; }
    std::string Rest() const { return Text.substr(Pos); }
    void Trim() {
        while (Pos < Text.size() && IsBlankOrControl(Text[Pos]))
            ++Pos;
    }
    void TrimUnlessBlankSeparated() {
        if (Sep != ' ') Trim();
    }
    bool ReadName(std::string& token);
    bool ReadHead(TNodePtr& node, std::string& name, Head& head);
    Head ReadOutsideHead(TNodePtr& node, std::string& name);
    Head ReadInsideHead(TNodePtr& node, std::string& name);

    TTree& Tree;
    const std::string& Text;
    std::size_t Pos = 0;
    char Open;
    char Close;
    char Sep;
    bool Outside;
};

bool BracketReader::ReadName(std::string& token) {
    if (Empty()) {
        Tree.ReportError(teEmptyName, "");
        return false;
    }
    if (Front() == '"') {
        const std::size_t q = Text.find('"', Pos + 1);
        if (q == std::string::npos) {
            Tree.ReportError(teQuoteExpected, "");
            return false;
        }
        token = Text.substr(Pos, q - Pos + 1);
        return true;
    }
    for (std::size_t p = Pos; p < Text.size(); ++p) {
        const char c = Text[p];
        if (c == Close || c == Sep || (Outside && c == Open)) {
            token = TrimText(std::string_view(Text).substr(Pos, p - Pos));
            return true;
        }
    }
    Tree.ReportError(Outside ? teBracketExpected : teSeparatorExpected, ">" + Rest() + "<.");
    return false;
}

namespace {

std::string NameOfToken(const std::string& token) {
    if (!token.empty() && token[0] == '"') return token.substr(1, token.size() - 2);
    return token;
}

} // namespace

BracketReader::Head BracketReader::ReadOutsideHead(TNodePtr& node, std::string& name) {
    std::string token;
    if (!ReadName(token)) return Head::Failed;
    name = NameOfToken(token);
    Pos += token.size();
    TrimUnlessBlankSeparated();
    if (token.empty()) return Head::Done;
    if (Empty()) {
        Tree.ReportError(teUnexpectedEnd, "opening or closing bracket expected.");
        return Head::Failed;
    }
    node = Tree.CreateNode(name);
    if (!node) return Head::Failed;
    if (Front() == Open) {
        ++Pos;
        Trim();
        return Head::Open;
    }
    if (Front() == Sep || Front() == Close) return Head::Done;
    node.reset();
    Tree.ReportError(teBracketExpected, ">" + Rest() + "<.");
    return Head::Failed;
}

BracketReader::Head BracketReader::ReadInsideHead(TNodePtr& node, std::string& name) {
    if (Empty()) {
        Tree.ReportError(teUnexpectedEnd, "opening or closing bracket expected.");
        return Head::Failed;
    }
    if (Front() != Open) {
        Tree.ReportError(teOpeningBracketExpected, ">" + Rest() + "<.");
        return Head::Failed;
    }
    ++Pos;
    Trim();
    std::string token;
    if (!ReadName(token)) return Head::Failed;
    name = NameOfToken(token);
    Pos += token.size();
    TrimUnlessBlankSeparated();
    node = Tree.CreateNode(name);
    if (!node) return Head::Failed;
    if (Empty()) {
        Tree.ReportError(teUnexpectedEnd, "separator or closing bracket expected.");
        return Head::Failed;
    }
    if (Front() == Sep) {
        ++Pos;
        Trim();
        return Head::Open;
    }
    if (Front() == Close) {
        ++Pos;
        TrimUnlessBlankSeparated();
        return Head::Done;
    }
    Tree.ReportError(teSeparatorExpected, ">" + Rest() + "<.");
    return Head::Failed;
}

bool BracketReader::ReadHead(TNodePtr& node, std::string& name, Head& head) {
    node.reset();
    Trim();
    head = Outside ? ReadOutsideHead(node, name) : ReadInsideHead(node, name);
    return head != Head::Failed;
}

bool BracketReader::Parse(TNodePtr& result) {
    result.reset();
    std::vector<Frame> open;
    for (;;) {
        // Read the start of a node; a node that opens a child list becomes a frame
        // and its first child is read next.
        TNodePtr node;
        std::string name;
        Head head;
        if (!ReadHead(node, name, head)) return false;
        if (head == Head::Open) {
            if (open.size() >= static_cast<std::size_t>(MaxGridPosition)) {
                Tree.ReportLimit(TreeTooDeepText());
                return false;
            }
            open.push_back({std::move(node), name});
            continue;
        }
        // A complete node (or none, for an empty item): attach it and close every
        // frame that ends here.
        for (;;) {
            if (open.empty()) {
                result = std::move(node);
                return true;
            }
            Frame& parent = open.back();
            if (parent.Node->Children.size() >= 4) {
                Tree.ReportError(teTooManyChildren, ">" + parent.Name + "<.");
                return false;
            }
            if (node) parent.Node->Children.push_back(std::move(node));
            if (Empty()) {
                Tree.ReportError(teUnexpectedEnd, "separator expected.");
                return false;
            }
            if (Front() == Close) {
                ++Pos;
                TrimUnlessBlankSeparated();
                node = std::move(parent.Node);
                open.pop_back();
                continue;
            }
            // Vertical text puts a line break before the blank that separates two
            // children; a line break there counts as the separator.
            if (Front() == Sep || (Sep == ' ' && IsBlankOrControl(Front()))) {
                ++Pos;
                break;
            }
            Tree.ReportError(teSeparatorExpected, ">" + Rest() + "<.");
            return false;
        }
    }
}

} // namespace

bool TTree::ParseNode(std::string& text, TNodePtr& node) {
    node.reset();
    if (ConvOpts.Labelled) {
        std::size_t pos = 0;
        if (!ParseLabelledAt(text, pos, node)) return false;
        text.erase(0, pos);
        return true;
    }
    try {
        BracketReader reader(*this, text);
        bool ok = reader.Parse(node);
        if (ok && node && !TakeArrowMarkers(node.get())) {
            node.reset();
            ok = false;
        }
        if (ok) text.erase(0, reader.Position());
        return ok;
    } catch (const std::bad_alloc&) {
        node.reset();
        ReportError(teNoMemory, "");
        return false;
    }
}

bool TTree::TakeArrowMarkers(TNode* start) {
    // A number is a marker pair when some name ends in "<k" and another in ">k";
    // other texts that look like markers stay part of their names.
    std::vector<std::pair<TNode*, std::vector<Marker>>> marked;
    std::unordered_map<int32_t, std::pair<int32_t, int32_t>> counts; // targets, sources
    std::vector<TNode*> pending{start};
    while (!pending.empty()) {
        TNode* node = pending.back();
        pending.pop_back();
        std::vector<Marker> markers = TrailingMarkers(node->Name);
        for (const Marker& m : markers)
            ++(m.Target ? counts[m.Number].first : counts[m.Number].second);
        if (!markers.empty()) marked.push_back({node, std::move(markers)});
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.push_back(it->get());
    }
    if (marked.empty()) return true;
    const auto paired = [&](int32_t k) {
        const auto it = counts.find(k);
        return it != counts.end() && it->second.first > 0 && it->second.second > 0;
    };
    std::unordered_map<int32_t, TNode*> targets;
    std::vector<std::pair<TNode*, int32_t>> sources;
    for (auto& [node, markers] : marked) {
        std::size_t keep = node->Name.size();
        std::vector<const Marker*> taken;
        for (const Marker& m : markers) {
            if (!paired(m.Number)) break;
            keep = m.At;
            taken.push_back(&m);
        }
        const std::string name = node->Name.substr(0, keep);
        if (taken.empty() || name == "$") continue;
        int32_t source = 0;
        for (const Marker* m : taken) {
            const std::string shown = (m->Target ? "<" : ">") + std::to_string(m->Number);
            if (m->Target) {
                TNode*& target = targets[m->Number];
                if (target) {
                    ReportText(ArrowMarkerError, "The arrow marker " + shown +
                                                     " stands at two nodes, \"" + target->Name +
                                                     "\" and \"" + node->Name +
                                                     "\": an arrow has one target.");
                    return false;
                }
                target = node;
            } else if (source != 0) {
                ReportText(ArrowMarkerError,
                           "The node \"" + node->Name +
                               "\" has two arrow markers \">\": a node has one movement arrow.");
                return false;
            } else {
                source = m->Number;
            }
        }
        if (source != 0) sources.push_back({node, source});
        node->Name = name;
    }
    for (const auto& [node, number] : sources) {
        const auto it = targets.find(number);
        if (it == targets.end()) continue;
        if (it->second == node) {
            ReportText(ArrowMarkerError, "The node \"" + node->Name +
                                             "\" is the source and the target of arrow " +
                                             std::to_string(number) + ".");
            return false;
        }
        node->MoveTarget = it->second->Key;
    }
    return true;
}

} // namespace gramarbor
