// Listing rules as text.
#include "grammar/rule_listing.h"

#include "text/text_utils.h"

namespace gramarbor {

namespace {

std::string ListText(const TElemNode& node, char open, char close) {
    std::string text(1, open);
    for (const TElemNode& alternative : node.Alternatives) {
        text += ElemToText(alternative);
        text.push_back(',');
    }
    if (node.Alternatives.empty())
        text.push_back(close);
    else
        text.back() = close;
    return text;
}

} // namespace

std::string ElemToText(const TElemNode& node) {
    std::string text;
    switch (node.SymKind) {
    case ekTerminal:
        text = "\"" + node.Text + "\"";
        break;
    case ekAltList:
        break;
    default:
        text = node.Text;
        break;
    }
    switch (node.Construct) {
    case ctOptional:
        return "[" + text + "]";
    case ctRepeated:
        return "{" + text + "}";
    case ctAlternatives:
        return text + ListText(node, '<', '>');
    case ctOptAlternatives:
        return text + ListText(node, '(', ')');
    default:
        return text;
    }
}

std::string RuleToText(const TGramLine& rule, std::size_t index, const std::string& sep) {
    std::string text = IntToStr(static_cast<long long>(index));
    text += rule.Lexical ? " (T):\t" : " (N):\t";
    text += ElemToText(rule.Left);
    text.push_back(' ');
    text += sep;
    for (const TElemNode& element : rule.Right) {
        text.push_back(' ');
        text += ElemToText(element);
    }
    return text;
}

void ListRules(const TParser& parser, const TRuleList& rules, std::vector<std::string>& lines) {
    lines.reserve(lines.size() + rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i)
        lines.push_back(RuleToText(rules[i].Line, i, parser.Sep));
}

std::vector<std::string> ShowInternal(const TParser& parser) {
    std::vector<std::string> lines;
    ListRules(parser, parser.Rules, lines);
    return lines;
}

} // namespace gramarbor
