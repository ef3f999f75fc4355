// The indexed check against a literal, quadratic rendering of the normalisation
// steps (in-place insertion, pairwise comparison, linear searches) on random
// grammars: order of rules, names, references, terminals and messages must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "grammar/grammar_check.h"
#include "grammar/grammar_messages.h"
#include "grammar/rule_listing.h"
#include "grammar/rule_reader.h"
#include "grammar/rule_refs.h"

namespace gramarbor {
namespace {

using Lines = std::vector<std::string>;

TElemNode Name(int n, uint8_t construct = ctSimple) {
    return {ekNonTerminal, construct, "#" + std::to_string(n), {}, {}};
}

bool SameRule(const TGramLine& a, const TGramLine& b) {
    if (!a.Left.SameSymbol(b.Left) || a.Right.size() != b.Right.size()) return false;
    for (std::size_t m = 0; m < a.Right.size(); ++m)
        if (!a.Right[m].SameSymbol(b.Right[m])) return false;
    return true;
}

// The normalisation steps exactly as a straightforward reading of them goes.
struct LiteralCheck {
    RecordingSink Sink;
    TParser Parser{Sink};

    bool Fail(int32_t line, const std::string& message) {
        Parser.ErrorLine = line;
        Sink.Error(message);
        return false;
    }

    void Expand() {
        TRuleList& rules = Parser.Rules;
        for (bool changed = true; changed;) {
            changed = false;
            std::size_t i = 0;
            while (i < rules.size()) {
                std::vector<TElemNode> right = rules[i].Line.Right;
                std::size_t j = 0;
                while (j < right.size() && right[j].Construct == ctSimple)
                    ++j;
                if (j == right.size()) {
                    ++i;
                    continue;
                }
                changed = true;
                const TParsLine original = rules[i];
                auto at = [&](std::size_t offset) {
                    return rules.begin() + static_cast<std::ptrdiff_t>(i + offset);
                };
                auto make = [&](const TElemNode& left, std::vector<TElemNode> r) {
                    TParsLine line = original; // its call and line index
                    line.Line = {left, std::move(r)};
                    return line;
                };
                const TElemNode e = right[j];
                if (e.Construct == ctOptional) {
                    TParsLine copy = original;
                    copy.Line.Right.erase(copy.Line.Right.begin() + static_cast<std::ptrdiff_t>(j));
                    rules[i].Line.Right[j].Construct = ctSimple;
                    rules.insert(at(1), copy);
                    i += 2;
                } else if (e.Construct == ctAlternatives) {
                    rules[i].Line.Right[j] = e.Alternatives[0];
                    for (std::size_t m = 1; m < e.Alternatives.size(); ++m) {
                        TParsLine copy = rules[i];
                        copy.Line.Right[j] = e.Alternatives[m];
                        rules.insert(at(m), copy);
                    }
                    i += e.Alternatives.size();
                } else if (e.Construct == ctOptAlternatives) {
                    const int n = Parser.NameCounter++;
                    TElemNode list = e;
                    list.Construct = ctAlternatives;
                    rules[i].Line.Right[j] = Name(n, ctOptional);
                    rules.insert(at(1), make(Name(n), {list}));
                    i += 2;
                } else {
                    const int n = Parser.NameCounter++;
                    TElemNode x = e;
                    x.Construct = ctSimple;
                    std::vector<TElemNode> before(right.begin(),
                                                  right.begin() + static_cast<std::ptrdiff_t>(j));
                    std::vector<TElemNode> behind(
                        right.begin() + static_cast<std::ptrdiff_t>(j) + 1, right.end());
                    if (j + 1 == right.size()) {
                        rules[i].Line.Right = {Name(n)};
                        rules.insert(at(1), make(Name(n), before));
                        rules.insert(at(2), make(Name(n), {Name(n), x}));
                    } else {
                        before.push_back(Name(n));
                        rules[i].Line.Right = before;
                        rules.insert(at(1), make(Name(n), {x, Name(n)}));
                        rules.insert(at(2), make(Name(n), behind));
                    }
                    i += 3;
                }
            }
        }
    }

    void Separate() {
        TRuleList& rules = Parser.Rules;
        const std::size_t present = rules.size();
        for (std::size_t i = 0; i < present; ++i) {
            bool nt = false, t = false;
            for (const auto& e : rules[i].Line.Right)
                (e.SymKind == ekNonTerminal ? nt : t) = true;
            if (!nt || !t) continue;
            for (std::size_t m = 0; m < rules[i].Line.Right.size(); ++m) {
                TElemNode e = rules[i].Line.Right[m];
                if (e.SymKind == ekNonTerminal) continue;
                int number = -1;
                for (std::size_t k = present; k < rules.size() && number < 0; ++k)
                    if (rules[k].Line.Right.size() == 1 && rules[k].Line.Right[0].SameSymbol(e))
                        number = std::stoi(rules[k].Line.Left.Text.substr(1));
                if (number < 0) {
                    number = Parser.NameCounter++;
                    rules.push_back({nullptr, {Name(number), {e}, true}}); // a lexical rule
                }
                rules[i].Line.Right[m] = Name(number, e.Construct);
            }
        }
    }

    bool Run(const Lines& lines) {
        Parser.Rules.resize(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            Parser.Rules[i].LineIndex = static_cast<int32_t>(i);
        if (!ReadRules(Parser, lines)) return false;
        Parser.ExtRules = Parser.Rules;
        Expand();
        Separate();
        TRuleList& rules = Parser.Rules;
        for (std::size_t i = 0; i + 1 < rules.size(); ++i) {
            std::size_t k = i + 1;
            while (k < rules.size()) {
                if (rules[i].Line.Right.empty() || rules[k].Line.Right.empty())
                    return Fail(0, MsgEmptyRightSide);
                if (SameRule(rules[i].Line, rules[k].Line))
                    rules.erase(rules.begin() + static_cast<std::ptrdiff_t>(k));
                else
                    ++k;
            }
        }
        for (auto& rule : rules) {
            rule.Line.Lexical = true;
            for (const auto& e : rule.Line.Right)
                if (e.SymKind == ekNonTerminal) rule.Line.Lexical = false;
        }
        for (std::size_t i = 0; i < rules.size(); ++i) {
            for (std::size_t k = 0; k < rules.size(); ++k)
                for (std::size_t m = 0; m < rules[k].Line.Right.size(); ++m)
                    if (rules[k].Line.Right[m].SymKind == ekNonTerminal &&
                        rules[k].Line.Right[m].Text == rules[i].Line.Left.Text)
                        AppendUseRef(rules[i].Line.Left.Refs, static_cast<uint16_t>(k),
                                     static_cast<uint8_t>(m));
            for (auto& e : rules[i].Line.Right) {
                if (e.SymKind != ekNonTerminal) continue;
                for (std::size_t k = 0; k < rules.size(); ++k)
                    if (rules[k].Line.Left.Text == e.Text)
                        AppendDefinitionRef(e.Refs, static_cast<uint16_t>(k));
                if (e.Refs.empty())
                    return Fail(std::max(rules[i].LineIndex, 0),
                                "Symbol \"" + e.Text + "\" is not declared.");
            }
        }
        Parser.Terminals = {""};
        for (const auto& rule : rules)
            for (const auto& e : rule.Line.Right)
                if (e.SymKind == ekTerminal) Parser.Terminals.push_back(e.Text);
        int starts = 0;
        for (std::size_t i = 0; i < rules.size(); ++i)
            if (rules[i].Line.Left.Refs.empty()) {
                ++starts;
                Parser.StartLine = static_cast<int32_t>(i);
            }
        if (starts == 0) return Fail(0, MsgNoStartSymbol);
        if (starts > 1) return Fail(0, MsgTwoStartLines);
        Parser.ErrorLine = -1;
        return true;
    }
};

// Listing lines with the references of every element appended in hexadecimal.
Lines Describe(const TParser& parser) {
    Lines out;
    auto hex = [](const std::string& refs) {
        std::string text;
        for (const char c : refs)
            text += "0123456789ABCDEF"[(c >> 4) & 15], text += "0123456789ABCDEF"[c & 15];
        return text;
    };
    for (std::size_t i = 0; i < parser.Rules.size(); ++i) {
        const TGramLine& rule = parser.Rules[i].Line;
        std::string line = RuleToText(rule, i, "=") + " | " + hex(rule.Left.Refs);
        for (const auto& e : rule.Right)
            line += " " + hex(e.Refs);
        out.push_back(line);
    }
    return out;
}

std::string RandomElement(std::mt19937& random, int depth) {
    static const char* simple[] = {"A", "B", "C", "D", "S", "\"a\"", "\"b\"", "@Ident", "@number"};
    auto pick = [&]() { return std::string(simple[random() % 9]); };
    const auto kind = depth > 0 ? 0 : random() % 8;
    if (kind == 1) return "[" + pick() + "]";
    if (kind == 2) return "{" + pick() + "}";
    if (kind == 3) return "<" + pick() + "," + pick() + ">";
    if (kind == 4) return "(" + pick() + "|" + pick() + "|" + pick() + ")";
    return pick();
}

TEST(IndexedCheck, AgreesWithLiteralStepsOnRandomGrammars) {
    std::mt19937 random(20261206);
    int valid = 0;
    for (int round = 0; round < 400; ++round) {
        Lines lines{"Start = S"};
        const char* lefts[] = {"S", "A", "B", "C", "D"};
        const int ruleCount = 3 + static_cast<int>(random() % 8);
        for (int r = 0; r < ruleCount; ++r) {
            std::string line = std::string(lefts[r < 5 ? r : random() % 5]) + " =";
            const int length = 1 + static_cast<int>(random() % 4);
            for (int e = 0; e < length; ++e)
                line += " " + RandomElement(random, r < 5 && e == 0);
            lines.push_back(line);
        }
        RecordingSink sink;
        TParser parser(sink);
        const bool ok = CheckGrammar(parser, "=", "", lines, nullptr, true);
        LiteralCheck literal;
        const bool literalOk = literal.Run(lines);

        SCOPED_TRACE(::testing::PrintToString(lines));
        ASSERT_EQ(ok, literalOk) << sink.Last() << literal.Sink.Last();
        ASSERT_EQ(sink.Texts(), literal.Sink.Texts());
        ASSERT_EQ(parser.ErrorLine, literal.Parser.ErrorLine);
        if (!ok && sink.Last().rfind("Symbol", 0) != 0) continue;
        ASSERT_EQ(Describe(parser), Describe(literal.Parser));
        if (!ok) continue;
        ASSERT_EQ(parser.Terminals, literal.Parser.Terminals);
        ASSERT_EQ(parser.StartLine, literal.Parser.StartLine);
        ++valid;
    }
    EXPECT_GT(valid, 40);
}

} // namespace
} // namespace gramarbor
