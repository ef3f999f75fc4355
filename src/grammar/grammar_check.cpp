// The grammar check and its normalisation steps. Every step that relates rules to one
// another works through hash indexes, so a check grows linearly with the grammar.
#include "grammar/grammar_check.h"

#include <cstdio>
#include <functional>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include "grammar/grammar_messages.h"
#include "grammar/rule_expansion.h"
#include "grammar/rule_reader.h"
#include "grammar/rule_refs.h"

namespace gramarbor {

namespace {

bool IsTerminalKind(uint8_t kind) {
    return kind >= ekTerminal && kind <= ekInteger;
}

// Kind, construct and text in one key: elements with equal keys are equal symbols.
std::string SymbolKey(const TElemNode& node) {
    std::string key;
    key.reserve(node.Text.size() + 2);
    key.push_back(static_cast<char>(node.SymKind));
    key.push_back(static_cast<char>(node.Construct));
    key += node.Text;
    return key;
}

std::size_t HashSymbol(const TElemNode& node, std::size_t seed) {
    std::size_t h = std::hash<std::string>()(node.Text);
    h ^= (static_cast<std::size_t>(node.SymKind) << 8 | node.Construct) + 0x9E3779B97F4A7C15ull +
         (h << 6) + (h >> 2);
    return seed ^ (h + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

bool SameRule(const TGramLine& a, const TGramLine& b) {
    if (!a.Left.SameSymbol(b.Left) || a.Right.size() != b.Right.size()) return false;
    for (std::size_t m = 0; m < a.Right.size(); ++m)
        if (!a.Right[m].SameSymbol(b.Right[m])) return false;
    return true;
}

// The rule line to blame for the internal rule at index.
int32_t LineOfRule(const TParser& parser, std::size_t index) {
    const int32_t line = parser.Rules[index].LineIndex;
    return line < 0 ? 0 : line;
}

void ReportAt(TParser& parser, int32_t line, const std::string& message) {
    parser.ErrorLine = line;
    parser.Sink->Error(message);
}

std::string Hex4(std::size_t value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(value & 0xFFFF));
    return buffer;
}

void SeparateTerminals(TParser& parser) {
    // The lexical rules appended here, indexed by their one right element.
    std::unordered_map<std::string, int32_t> appendedNumbers;
    TRuleList appended;
    for (TParsLine& line : parser.Rules) {
        bool hasNonTerminal = false;
        bool hasTerminal = false;
        for (const TElemNode& element : line.Line.Right) {
            hasNonTerminal = hasNonTerminal || element.SymKind == ekNonTerminal;
            hasTerminal = hasTerminal || IsTerminalKind(element.SymKind);
        }
        if (!hasNonTerminal || !hasTerminal) continue;
        for (TElemNode& element : line.Line.Right) {
            if (!IsTerminalKind(element.SymKind)) continue;
            const std::string key = SymbolKey(element);
            auto found = appendedNumbers.find(key);
            if (found == appendedNumbers.end()) {
                const int32_t number = parser.NameCounter++;
                found = appendedNumbers.emplace(key, number).first;
                TParsLine lexical;
                lexical.Line.Left = GeneratedNonTerminal(number);
                lexical.Line.Right.push_back(element);
                lexical.Line.Right.back().Refs.clear();
                lexical.Line.Lexical = true;
                appended.push_back(std::move(lexical));
            }
            const uint8_t construct = element.Construct;
            element = GeneratedNonTerminal(found->second, construct);
        }
    }
    parser.Rules.reserve(parser.Rules.size() + appended.size());
    for (TParsLine& line : appended)
        parser.Rules.push_back(std::move(line));
}

bool RemoveDuplicateRules(TParser& parser) {
    TRuleList& rules = parser.Rules;
    // Every rule is compared with another one before any is removed, so a single
    // empty right side anywhere in a list of two or more rules is found first.
    if (rules.size() >= 2) {
        for (const TParsLine& line : rules) {
            if (line.Line.Right.empty()) {
                ReportAt(parser, 0, MsgEmptyRightSide);
                return false;
            }
        }
    }
    auto hashRule = [&rules](std::size_t index) {
        const TGramLine& rule = rules[index].Line;
        std::size_t h = HashSymbol(rule.Left, rule.Right.size());
        for (const TElemNode& element : rule.Right)
            h = HashSymbol(element, h);
        return h;
    };
    auto equalRules = [&rules](std::size_t a, std::size_t b) {
        return SameRule(rules[a].Line, rules[b].Line);
    };
    std::unordered_set<std::size_t, decltype(hashRule), decltype(equalRules)> seen(
        rules.size() * 2 + 1, hashRule, equalRules);
    std::vector<bool> keep(rules.size(), false);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (seen.insert(i).second) {
            keep[i] = true;
            ++kept;
        }
    }
    if (kept == rules.size()) return true;
    TRuleList unique;
    unique.reserve(kept);
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (keep[i]) unique.push_back(std::move(rules[i]));
    rules = std::move(unique);
    return true;
}

void SetLexicalFlags(TParser& parser) {
    for (TParsLine& line : parser.Rules) {
        bool lexical = true;
        for (const TElemNode& element : line.Line.Right)
            lexical = lexical && element.SymKind != ekNonTerminal;
        line.Line.Lexical = lexical;
    }
}

bool BuildReferences(TParser& parser) {
    TRuleList& rules = parser.Rules;
    // Per nonterminal name: its uses (rule, position) and its defining rules, both in
    // rule order; encoded once per name and copied to every element that needs them.
    struct NameIndex {
        std::string Uses;
        std::string Definitions;
        bool Defined = false;
    };
    std::unordered_map<std::string, NameIndex> names;
    names.reserve(rules.size());
    for (std::size_t k = 0; k < rules.size(); ++k) {
        NameIndex& defined = names[rules[k].Line.Left.Text];
        defined.Defined = true;
        AppendDefinitionRef(defined.Definitions, static_cast<uint16_t>(k));
    }
    for (std::size_t k = 0; k < rules.size(); ++k) {
        const auto& right = rules[k].Line.Right;
        for (std::size_t m = 0; m < right.size(); ++m)
            if (right[m].SymKind == ekNonTerminal)
                AppendUseRef(names[right[m].Text].Uses, static_cast<uint16_t>(k),
                             static_cast<uint8_t>(m));
    }
    // Each left element receives all uses of its name, each right-side nonterminal all
    // rules of its name: refuse a grammar whose references would not fit in memory.
    std::size_t referenceBytes = 0;
    for (const TParsLine& line : rules) {
        referenceBytes += names[line.Line.Left.Text].Uses.size();
        for (const TElemNode& element : line.Line.Right)
            if (element.SymKind == ekNonTerminal)
                referenceBytes += names[element.Text].Definitions.size();
    }
    if (referenceBytes > MaxReferenceBytes) {
        ReportAt(parser, 0, MsgTooManyReferences);
        return false;
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        TGramLine& rule = rules[i].Line;
        rule.Left.Refs = names[rule.Left.Text].Uses;
        for (TElemNode& element : rule.Right) {
            if (element.SymKind != ekNonTerminal) continue;
            const NameIndex& index = names[element.Text];
            if (!index.Defined) {
                ReportAt(parser, LineOfRule(parser, i),
                         MsgNotDeclaredPrefix + "\"" + element.Text + "\"" + MsgNotDeclaredSuffix);
                return false;
            }
            element.Refs = index.Definitions;
        }
    }
    return true;
}

bool BuildTokenList(TParser& parser) {
    parser.Terminals.assign(1, std::string());
    for (const TParsLine& line : parser.Rules)
        for (const TElemNode& element : line.Line.Right)
            if (element.SymKind == ekTerminal) parser.Terminals.push_back(element.Text);
    if (parser.Terminals.size() - 1 > MaxTerminals) {
        ReportAt(parser, 0, MsgTooManyTerminals);
        return false;
    }
    std::string tokenSyms;
    for (std::size_t i = 1; i < parser.Terminals.size(); ++i) {
        if (i > 1) tokenSyms.push_back(' ');
        tokenSyms += parser.Terminals[i];
        tokenSyms += "|$";
        tokenSyms += Hex4(i);
    }
    parser.TokenSyms = std::move(tokenSyms);
    return true;
}

bool FindStartRule(TParser& parser) {
    parser.ParserBuilt = true;
    std::size_t starts = 0;
    std::size_t startLine = 0;
    for (std::size_t i = 0; i < parser.Rules.size(); ++i) {
        if (parser.Rules[i].Line.Left.Refs.empty()) {
            if (starts == 0) startLine = i;
            ++starts;
        }
    }
    if (starts == 0) {
        parser.Sink->Error(MsgNoStartSymbol);
        return false;
    }
    if (starts > 1) {
        parser.Sink->Error(MsgTwoStartLines);
        return false;
    }
    parser.StartLine = static_cast<int32_t>(startLine);
    return true;
}

bool RunFullCheck(TParser& parser) {
    if (!ExpandRules(parser)) return false;
    SeparateTerminals(parser);
    if (!RemoveDuplicateRules(parser)) return false;
    if (parser.Rules.size() > MaxInternalRules) {
        ReportAt(parser, 0, MsgTooManyRules);
        return false;
    }
    SetLexicalFlags(parser);
    if (!BuildReferences(parser)) return false;
    if (!BuildTokenList(parser)) return false;
    return FindStartRule(parser);
}

} // namespace

bool CheckGrammar(TParser& parser, const std::string& sep, const std::string& commentSyms,
                  const std::vector<std::string>& lines, const std::vector<const void*>* funcCalls,
                  bool fullCheck) {
    parser.ErrorLine = 0;
    parser.NameCounter = 0;
    parser.StartLine = 0;
    parser.RulesAllocated = false;
    parser.RulesRead = false;
    try {
        parser.Sep = sep;
        parser.CommentSyms = commentSyms;
        // Whatever an earlier check left behind is released here, also when that
        // check stopped before the store counted as built.
        FreeRules(parser.Rules);
        FreeRules(parser.ExtRules);
        parser.TokenSyms.clear();
        parser.Terminals.clear();
        parser.TraceLines.clear();
        parser.ParseTrees.clear();
        FreeTokens(parser.Tokens);

        if (funcCalls && funcCalls->size() != lines.size()) {
            parser.Sink->Error(MsgFuncCallCount);
            return false;
        }
        parser.Rules.resize(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            parser.Rules[i].FuncCall = funcCalls ? (*funcCalls)[i] : nullptr;
            parser.Rules[i].LineIndex = static_cast<int32_t>(i);
        }
        parser.RulesAllocated = true;

        if (!ReadRules(parser, lines)) return false;
        parser.RulesRead = true;
        parser.ExtRules = parser.Rules;

        if (!fullCheck) {
            parser.ParserBuilt = true;
            parser.ErrorLine = -1;
            return true;
        }
        if (!RunFullCheck(parser)) return false;
        parser.ErrorLine = -1;
        return true;
    } catch (const std::bad_alloc&) {
        if (parser.ErrorLine < 0) parser.ErrorLine = 0;
        parser.Sink->Error(MsgParserMemory);
        return false;
    }
}

} // namespace gramarbor
