#include "parsing/parse_trees.h"

#include <new>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

// Appends the subtree text to out instead of returning it, so a deep tree is not
// copied once per level.
void AppendSubtree(const TParser& store, const std::string& path, std::size_t& position,
                   std::string& out) {
    if (position + 2 > path.size()) {
        out += "[]";
        return;
    }
    const std::size_t rule = Str2ToWord(std::string_view(path).substr(position, 2));
    position += 2;
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

std::string SubtreeText(const TParser& store, const std::string& path, std::size_t& position) {
    std::string text;
    AppendSubtree(store, path, position, text);
    return text;
}

std::string PathToBracketText(const TParser& store, const std::string& path) {
    std::size_t position = 0;
    return SubtreeText(store, path, position);
}

} // namespace gramarbor
