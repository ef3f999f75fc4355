// Reading rule lines of the external CFG notation into rule records.
#include "grammar/rule_reader.h"

#include <new>

#include "grammar/grammar_messages.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

constexpr char ElementSeparatorAlt = '\x7F';

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string AsciiUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool Fail(TParser& parser, const std::string& message) {
    parser.Sink->Error(message);
    return false;
}

// [x], {x} or a plain symbol: the symbol kind decided by the text inside the brackets.
bool ParseSymbol(TParser& parser, const std::string& text, TElemNode& node, bool& isTerminal) {
    std::string inner = text;
    node.Construct = ctSimple;
    if (!text.empty() && (text[0] == '[' || text[0] == '{')) {
        const char close = text[0] == '[' ? ']' : '}';
        if (text.size() < 2 || text.back() != close)
            return Fail(parser, MsgBracketExpectedPrefix + text);
        node.Construct = text[0] == '[' ? ctOptional : ctRepeated;
        inner = text.substr(1, text.size() - 2);
    }

    if (!inner.empty() && inner[0] == '"') {
        if (inner.size() > 1 && inner.back() != '"')
            return Fail(parser, MsgQuotationPrefix + inner + ".");
        node.SymKind = ekTerminal;
        node.Text = inner.size() > 1 ? inner.substr(1, inner.size() - 2) : std::string();
        isTerminal = true;
        return true;
    }
    if (!inner.empty() && inner[0] == '@') {
        const std::string kind = AsciiUpper(inner.substr(1));
        if (kind == "IDENT") {
            node.SymKind = ekIdent;
            node.Text = "@Ident";
        } else if (kind == "NUMBER") {
            node.SymKind = ekNumber;
            node.Text = "@Number";
        } else if (kind == "INTEGER") {
            node.SymKind = ekInteger;
            node.Text = "@Integer";
        } else if (kind == "FLOAT") {
            node.SymKind = ekFloat;
            node.Text = "@Float";
        } else {
            return Fail(parser, MsgUnknownTokenTypePrefix + Quoted(kind));
        }
        isTerminal = true;
        return true;
    }
    if (IsIdentifier(inner)) {
        node.SymKind = ekNonTerminal;
        node.Text = UpperCaseGerman(inner);
        isTerminal = false;
        return true;
    }
    return Fail(parser, MsgWrongLetters);
}

// <a,b> or (a|b): a list of simple alternatives.
bool ParseAlternatives(TParser& parser, const std::string& text, TElemNode& node) {
    const char close = text[0] == '(' ? ')' : '>';
    if (text.size() < 2 || text.back() != close)
        return Fail(parser, Quoted(std::string(1, close)) + MsgExpectedIn + Quoted(text));
    const std::string inner = text.substr(1, text.size() - 2);
    const bool hasBar = inner.find('|') != std::string::npos;
    const bool hasComma = inner.find(',') != std::string::npos;
    if (hasBar && hasComma) return Fail(parser, MsgMixedAltSeparators);
    if (!hasBar && !hasComma) return Fail(parser, MsgAltSeparatorNeeded);

    std::vector<std::string> pieces;
    SplitString(inner, hasBar ? "|" : ",", &pieces);
    // "<,>" leaves nothing to choose from; refused like a list without separator.
    if (pieces.empty()) return Fail(parser, MsgAltSeparatorNeeded);
    if (pieces.size() > MaxAlternatives) return Fail(parser, MsgTooManyAlternatives);

    std::vector<TElemNode> alternatives(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        bool pieceIsTerminal = false;
        if (!ParseElement(parser, pieces[i], alternatives[i], pieceIsTerminal)) return false;
        if (alternatives[i].Construct != ctSimple) return Fail(parser, MsgAltOnlySimple);
    }
    node.SymKind = ekAltList;
    node.Construct = text[0] == '(' ? ctOptAlternatives : ctAlternatives;
    node.Text.clear();
    node.Alternatives = std::move(alternatives);
    return true;
}

bool ReadRule(TParser& parser, const std::string& line, int index, TGramLine& rule) {
    const std::size_t sepPos = parser.Sep.empty() ? std::string::npos : line.find(parser.Sep);
    if (sepPos == std::string::npos) return Fail(parser, MsgNoSeparatorPrefix + Quoted(parser.Sep));
    const std::string left = TrimText(std::string_view(line).substr(0, sepPos));
    const std::string right = TrimText(std::string_view(line).substr(sepPos + parser.Sep.size()));

    const bool hasBlank = right.find(' ') != std::string::npos;
    const bool hasAltSep = right.find(ElementSeparatorAlt) != std::string::npos;
    if (hasBlank && hasAltSep)
        return Fail(parser, MsgMixedRuleSeparators + " (Line " + IntToStr(index) + ")");
    std::vector<std::string> elements;
    if (hasBlank)
        SplitString(right, " ", &elements);
    else if (hasAltSep)
        SplitString(right, std::string(1, ElementSeparatorAlt), &elements);
    else if (!right.empty())
        elements.push_back(right);

    if (elements.size() > MaxRightElements) return Fail(parser, MsgTooManyElements);
    if (elements.empty()) return Fail(parser, MsgNoElements);

    bool leftIsTerminal = false;
    if (!ParseElement(parser, left, rule.Left, leftIsTerminal)) return false;
    if (rule.Left.SymKind != ekNonTerminal) return Fail(parser, MsgLeftNotNonTerminal);

    rule.Right.clear();
    rule.Right.reserve(elements.size());
    bool lexical = true;
    for (const std::string& element : elements) {
        rule.Right.emplace_back();
        bool isTerminal = false;
        if (!ParseElement(parser, element, rule.Right.back(), isTerminal)) return false;
        lexical = lexical && isTerminal;
    }
    rule.Lexical = lexical;
    return true;
}

} // namespace

bool ParseElement(TParser& parser, const std::string& text, TElemNode& node, bool& isTerminal) {
    isTerminal = false;
    node.Alternatives.clear();
    node.Refs.clear();
    if (!text.empty() && (text[0] == '(' || text[0] == '<'))
        return ParseAlternatives(parser, text, node);
    return ParseSymbol(parser, text, node, isTerminal);
}

bool ReadRules(TParser& parser, const std::vector<std::string>& lines) {
    std::size_t i = 0;
    try {
        for (; i < lines.size() && i < parser.Rules.size(); ++i) {
            if (!ReadRule(parser, lines[i], static_cast<int>(i), parser.Rules[i].Line)) {
                parser.ErrorLine = static_cast<int32_t>(i);
                return false;
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        parser.ErrorLine = static_cast<int32_t>(i);
        parser.Sink->Error(MsgParserMemory);
        return false;
    }
}

} // namespace gramarbor
