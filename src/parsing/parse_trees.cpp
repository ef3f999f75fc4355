// Bracketed tree texts from rule paths, whole or built incrementally.
#include "parsing/parse_trees.h"

#include <algorithm>

namespace gramarbor {

namespace {

// Appends the subtree text to out instead of returning it, so a deep tree is not
// copied once per level.
void AppendSubtree(const TParser& store, const TRulePath& path, std::size_t& position,
                   std::string& out) {
    if (position >= path.size()) {
        out += "[]";
        return;
    }
    const std::size_t rule = path[position];
    ++position;
    if (rule >= store.Rules.size()) {
        out += "[]";
        return;
    }
    const TGramLine& line = store.Rules[rule].Line;
    out += '[';
    out += line.Left.Text;
    for (const TElemNode& symbol : line.Right) {
        if (line.Lexical) {
            out += " [";
            out += symbol.Text;
            out += ']';
        } else {
            out += ' ';
            AppendSubtree(store, path, position, out);
        }
    }
    out += ']';
}

} // namespace

std::string SubtreeText(const TParser& store, const TRulePath& path, std::size_t& position) {
    std::string text;
    AppendSubtree(store, path, position, text);
    return text;
}

std::string PathToBracketText(const TParser& store, const TRulePath& path) {
    std::size_t position = 0;
    return SubtreeText(store, path, position);
}

TBracketTextBuilder::TBracketTextBuilder(const TParser& store) {
    const std::size_t rules = store.Rules.size();
    Opening.reserve(rules);
    Closing.reserve(rules);
    Children.reserve(rules);
    for (const TParsLine& rule : store.Rules) {
        const TGramLine& line = rule.Line;
        Opening.push_back("[" + line.Left.Text);
        std::string closing;
        if (line.Lexical) {
            for (const TElemNode& symbol : line.Right)
                closing += " [" + symbol.Text + "]";
            closing += ']';
        } else if (line.Right.empty()) {
            closing = "]";
        }
        Closing.push_back(std::move(closing));
        Children.push_back(line.Lexical ? 0 : static_cast<uint32_t>(line.Right.size()));
    }
}

const std::string& TBracketTextBuilder::Text(const TRulePath& path) {
    if (Slots.empty()) {
        Previous.clear();
        Slots.push_back({NoParent, 0, 0});
    }
    const auto shared = static_cast<std::size_t>(
        std::mismatch(path.begin(), path.end(), Previous.begin(), Previous.end()).first -
        path.begin());
    if (shared == path.size() && shared == Previous.size()) return Buffer;
    if (!Extend(path, shared)) {
        Buffer = WholeText(path);
        Previous.clear();
        Slots.clear();
        return Buffer;
    }
    Previous.resize(shared);
    Previous.insert(Previous.end(), path.begin() + static_cast<std::ptrdiff_t>(shared), path.end());
    return Buffer;
}

bool TBracketTextBuilder::Extend(const TRulePath& path, std::size_t start) {
    Buffer.resize(Slots[start].Offset);
    Slots.resize(start + 1);
    for (std::size_t k = start; k < path.size(); ++k) {
        const Slot slot = Slots[k];
        const uint16_t rule = path[k];
        if (slot.Parent == Complete || rule >= Opening.size()) return false;
        if (k > 0) Buffer += ' ';
        Buffer += Opening[rule];
        Slot next{static_cast<int64_t>(k), 0, 0};
        if (Children[rule] == 0) {
            // This node is complete: close the parents whose last child it ends.
            Buffer += Closing[rule];
            for (Slot at = slot;;) {
                if (at.Parent == NoParent) {
                    next = {Complete, 0, 0};
                    break;
                }
                if (at.Child + 1 < Children[path[static_cast<std::size_t>(at.Parent)]]) {
                    next = {at.Parent, at.Child + 1, 0};
                    break;
                }
                Buffer += ']';
                at = Slots[static_cast<std::size_t>(at.Parent)];
            }
        }
        next.Offset = Buffer.size();
        Slots.push_back(next);
    }
    return Slots.back().Parent == Complete;
}

std::string TBracketTextBuilder::WholeText(const TRulePath& path) const {
    // The same walk as SubtreeText, with the open nodes on a list instead of the stack:
    // a missing rule gives "[]", as does a rule number beyond the grammar.
    std::string text;
    std::vector<uint32_t> open; // children still to come, per open node
    std::size_t place = 0;
    bool root = true;
    do {
        if (!root) text += ' ';
        root = false;
        if (place >= path.size()) {
            text += "[]";
        } else {
            const uint16_t rule = path[place++];
            if (rule >= Opening.size()) {
                text += "[]";
            } else {
                text += Opening[rule];
                if (Children[rule] > 0) {
                    open.push_back(Children[rule]);
                    continue;
                }
                text += Closing[rule];
            }
        }
        while (!open.empty() && --open.back() == 0) {
            open.pop_back();
            text += ']';
        }
    } while (!open.empty());
    return text;
}

} // namespace gramarbor
