// Expansion of optional parts, repetitions and lists of alternatives.
#include "grammar/rule_expansion.h"

#include <iterator>
#include <list>

#include "grammar/grammar_messages.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

// Expansion may pass through more rules than the internal CFG may finally hold,
// since duplicates are removed afterwards; beyond this the grammar is exploding.
constexpr std::size_t MaxExpandedRules = 2 * MaxInternalRules;

using RuleChain = std::list<TParsLine>;

std::size_t FirstComplexElement(const TGramLine& rule) {
    for (std::size_t j = 0; j < rule.Right.size(); ++j)
        if (rule.Right[j].Construct != ctSimple) return j;
    return rule.Right.size();
}

TParsLine GeneratedRule(const TParsLine& from, const TElemNode& left,
                        std::vector<TElemNode> right) {
    TParsLine rule;
    rule.FuncCall = from.FuncCall;
    rule.LineIndex = from.LineIndex;
    rule.Line.Left = left;
    rule.Line.Right = std::move(right);
    return rule;
}

// Expands the first complex element of the rule at position; the generated rules are
// inserted after it. Returns the number of rules inserted.
std::size_t ExpandFirstComplex(TParser& parser, RuleChain& chain, RuleChain::iterator position) {
    TParsLine& line = *position;
    std::vector<TElemNode>& right = line.Line.Right;
    const std::size_t j = FirstComplexElement(line.Line);
    const auto after = std::next(position);

    switch (right[j].Construct) {
    case ctOptional: {
        TParsLine copy = line;
        copy.Line.Right.erase(copy.Line.Right.begin() + static_cast<std::ptrdiff_t>(j));
        right[j].Construct = ctSimple;
        chain.insert(after, std::move(copy));
        return 1;
    }
    case ctAlternatives: {
        std::vector<TElemNode> alternatives = std::move(right[j].Alternatives);
        right[j] = alternatives[0];
        for (std::size_t m = 1; m < alternatives.size(); ++m) {
            TParsLine copy = line;
            copy.Line.Right[j] = std::move(alternatives[m]);
            chain.insert(after, std::move(copy));
        }
        return alternatives.size() - 1;
    }
    case ctOptAlternatives: {
        const int32_t n = parser.NameCounter++;
        TElemNode list = std::move(right[j]);
        list.Construct = ctAlternatives;
        right[j] = GeneratedNonTerminal(n, ctOptional);
        std::vector<TElemNode> listRight;
        listRight.push_back(std::move(list));
        chain.insert(after, GeneratedRule(line, GeneratedNonTerminal(n), std::move(listRight)));
        return 1;
    }
    case ctRepeated: {
        const int32_t n = parser.NameCounter++;
        const TElemNode name = GeneratedNonTerminal(n);
        TElemNode repeated = std::move(right[j]);
        repeated.Construct = ctSimple;
        std::vector<TElemNode> before(
            std::make_move_iterator(right.begin()),
            std::make_move_iterator(right.begin() + static_cast<std::ptrdiff_t>(j)));
        std::vector<TElemNode> behind(
            std::make_move_iterator(right.begin() + static_cast<std::ptrdiff_t>(j) + 1),
            std::make_move_iterator(right.end()));
        if (behind.empty()) {
            // X = #n, #n = e0 .. e(j-1), #n = #n x: left recursion.
            right.assign(1, name);
            chain.insert(after, GeneratedRule(line, name, std::move(before)));
            chain.insert(after, GeneratedRule(line, name, {name, std::move(repeated)}));
        } else {
            // X = e0 .. e(j-1) #n, #n = x #n, #n = e(j+1) .. eL: right recursion.
            right = std::move(before);
            right.push_back(name);
            chain.insert(after, GeneratedRule(line, name, {std::move(repeated), name}));
            chain.insert(after, GeneratedRule(line, name, std::move(behind)));
        }
        return 2;
    }
    default:
        // A list of alternatives always carries one of the two list constructs, so no
        // other construct reaches here; leave such an element as it is.
        right[j].Construct = ctSimple;
        return 0;
    }
}

} // namespace

bool HasComplexElement(const TGramLine& rule) {
    return FirstComplexElement(rule) < rule.Right.size();
}

TElemNode GeneratedNonTerminal(int32_t number, uint8_t construct) {
    TElemNode node;
    node.SymKind = ekNonTerminal;
    node.Construct = construct;
    node.Text = "#" + IntToStr(number);
    return node;
}

bool ExpandRules(TParser& parser) {
    // The rules live in a linked chain while they expand, so that inserting after a
    // rule costs the same anywhere; only rules that still hold a complex element are
    // visited, in chain order, which is the order of a full pass over the list.
    RuleChain chain(std::make_move_iterator(parser.Rules.begin()),
                    std::make_move_iterator(parser.Rules.end()));
    parser.Rules.clear();
    std::vector<RuleChain::iterator> pending;
    for (auto it = chain.begin(); it != chain.end(); ++it)
        if (HasComplexElement(it->Line)) pending.push_back(it);

    std::size_t count = chain.size();
    bool overflow = false;
    int32_t overflowLine = 0;
    while (!pending.empty() && !overflow) {
        std::vector<RuleChain::iterator> next;
        for (const RuleChain::iterator& rule : pending) {
            const std::size_t inserted = ExpandFirstComplex(parser, chain, rule);
            count += inserted;
            if (count > MaxExpandedRules) {
                overflow = true;
                overflowLine = rule->LineIndex < 0 ? 0 : rule->LineIndex;
                break;
            }
            auto it = rule;
            for (std::size_t r = 0; r <= inserted; ++r, ++it)
                if (HasComplexElement(it->Line)) next.push_back(it);
        }
        pending = std::move(next);
    }

    parser.Rules.reserve(chain.size());
    parser.Rules.assign(std::make_move_iterator(chain.begin()),
                        std::make_move_iterator(chain.end()));
    if (overflow) {
        parser.ErrorLine = overflowLine;
        parser.Sink->Error(MsgTooManyRules);
        return false;
    }
    return true;
}

} // namespace gramarbor
