#include "tree/treebank.h"

#include <new>

namespace gramarbor {

std::string TreebankBrackets(std::string_view text) {
    static const std::string pairs = "[](){}<>";
    for (char c : text) {
        const std::size_t at = pairs.find(c);
        if (at != std::string::npos && at % 2 == 0) return pairs.substr(at, 2);
    }
    return "()";
}

void SetTreebankFormat(TTree& tree, const std::string& brackets) {
    tree.SetConvOpts(brackets, ' ', false, false, true);
}

std::string TreebankTooLargeText(const std::string& fileName) {
    return "The file " + fileName + " holds more than " + std::to_string(MaxTreebankBytes >> 20) +
           " MB of trees.";
}

bool SplitTreebank(TTree& tree, const std::string& text, std::vector<std::string>& trees) {
    trees.clear();
    if (text.size() > MaxTreebankBytes) {
        tree.ReportLimit("The file holds more than " + std::to_string(MaxTreebankBytes >> 20) +
                         " MB of trees, more than one file can bring.");
        return false;
    }
    try {
        std::size_t pos = 0;
        for (;;) {
            while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= 32)
                ++pos;
            if (pos >= text.size()) break;
            if (trees.size() >= MaxTreebankTrees) {
                trees.clear();
                tree.ReportLimit("The file holds more than " + std::to_string(MaxTreebankTrees) +
                                 " trees, more than one file can bring.");
                return false;
            }
            const std::size_t start = pos;
            TNodePtr node;
            if (!tree.ParseLabelledAt(text, pos, node)) {
                trees.clear();
                return false;
            }
            trees.push_back(text.substr(start, pos - start));
        }
        if (trees.empty()) {
            tree.ReportError(teEmptyString, "");
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        trees.clear();
        tree.ReportError(teNoMemory, "");
        return false;
    }
}

std::string TreebankTitle(const TNode* root, std::size_t maxChars) {
    std::string title;
    std::vector<const TNode*> pending{root};
    while (!pending.empty() && title.size() <= maxChars) {
        const TNode* node = pending.back();
        pending.pop_back();
        if (!node) continue;
        if (node->Children.empty()) {
            if (!title.empty()) title += ' ';
            title += node->Name;
        }
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.push_back(it->get());
    }
    if (title.size() > maxChars) title = title.substr(0, maxChars) + "...";
    return title;
}

} // namespace gramarbor
