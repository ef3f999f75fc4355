// Rebuilding the partial analysis of a trace line by replaying its chain of steps.
#include "parsing/partial_analysis.h"

#include "grammar/token_match.h"
#include "parsing/parse_options.h"

namespace gramarbor {

namespace {

// Thrown inside the replay when the steps do not fit the grammar or each other.
struct Damaged {};
struct TooLarge {};

class Replay {
public:
    Replay(const TTraceHistory& history, std::size_t maxNodes)
        : History(history), MaxNodes(maxNodes) {}

    // Applies the steps of chain, the oldest last in it.
    void Run(const std::vector<uint32_t>& chain) {
        for (std::size_t k = chain.size(); k-- > 0;)
            Apply(chain[k], k == 0);
    }

    void Collect(TPartialAnalysis& result) const;
    // Marks the nonterminals still to expand and the words matched so far.
    void MarkFrontier() {
        if (!TopDown) return;
        bool matching = true;
        for (std::size_t k = 0; k < Frontier.size(); ++k) {
            Node& node = Nodes[Frontier[k]];
            if (node.Symbol->SymKind == ekNonTerminal) {
                node.Marks |= nmPending;
                matching = false;
            } else if (matching && k < History.Tokens.size() &&
                       TokenMatchesSymbol(*node.Symbol, History.Tokens[k], History.CaseSensitive)) {
                node.Marks |= nmMatched;
            } else {
                matching = false;
            }
        }
    }

    // The roots: the derivation's root, or the forest's subtrees.
    std::vector<uint32_t> Roots() const {
        if (TopDown) return Nodes.empty() ? std::vector<uint32_t>{} : std::vector<uint32_t>{0};
        return Frontier;
    }

private:
    struct Node {
        const TElemNode* Symbol;
        std::vector<uint32_t> Children;
        uint8_t Marks = 0;
    };

    const TTraceHistory::TRule& RuleAt(uint32_t rule) const {
        if (rule >= History.Rules.size()) throw Damaged{};
        return History.Rules[rule];
    }

    uint32_t Add(const TElemNode& symbol) {
        if (Nodes.size() >= MaxNodes) throw TooLarge{};
        Nodes.push_back({&symbol, {}, 0});
        return static_cast<uint32_t>(Nodes.size() - 1);
    }

    void MarkStep(uint32_t node) {
        Nodes[node].Marks |= nmStep;
        for (const uint32_t child : Nodes[node].Children)
            Nodes[child].Marks |= nmStep;
    }

    // Gives the frontier node at position its rule's right side as children and
    // puts them in its place; returns how many there are.
    std::size_t Expand(std::vector<uint32_t>& out, uint32_t node, uint32_t rule, bool last) {
        const TTraceHistory::TRule& r = RuleAt(rule);
        if (Nodes[node].Symbol->SymKind != ekNonTerminal || Nodes[node].Symbol->Text != r.Left.Text)
            throw Damaged{};
        for (const TElemNode& symbol : r.Right) {
            const uint32_t child = Add(symbol);
            Nodes[node].Children.push_back(child);
            out.push_back(child);
        }
        if (last) MarkStep(node);
        return r.Right.size();
    }

    // A new node over the run of the frontier starting at position.
    uint32_t Reduce(uint32_t position, uint32_t rule, bool last) {
        const TTraceHistory::TRule& r = RuleAt(rule);
        const std::size_t length = r.Right.size();
        if (length == 0 || position > Frontier.size() || length > Frontier.size() - position)
            throw Damaged{};
        const uint32_t node = Add(r.Left);
        for (std::size_t k = 0; k < length; ++k) {
            const uint32_t child = Frontier[position + k];
            if (Nodes[child].Symbol->Text != r.Right[k].Text) throw Damaged{};
            Nodes[node].Children.push_back(child);
        }
        if (last) MarkStep(node);
        return node;
    }

    void Words() {
        for (const uint32_t rule : History.Steps.WordRules) {
            const TTraceHistory::TRule& r = RuleAt(rule);
            if (r.Right.empty()) throw Damaged{};
            Frontier.push_back(Add(r.Right[0]));
        }
    }

    void Apply(uint32_t line, bool last) {
        std::size_t count = 0;
        const uint32_t* choices = History.Steps.ChoicesOf(line, count);
        const TTraceStep& step = History.Steps.At(line);
        const bool first = Nodes.empty();
        std::vector<uint32_t> next;
        switch (step.Kind) {
        case TStepKind::Start: {
            if (!first || step.From != NoTraceLine) throw Damaged{};
            TopDown = true;
            Frontier.push_back(Add(RuleAt(History.StartRule).Left));
            if (last) MarkStep(Frontier[0]);
            return;
        }
        case TStepKind::Expand: {
            if (first || !TopDown || count != 2 || choices[0] >= Frontier.size()) throw Damaged{};
            const std::size_t p = choices[0];
            next.assign(Frontier.begin(), Frontier.begin() + static_cast<std::ptrdiff_t>(p));
            Expand(next, Frontier[p], choices[1], last);
            next.insert(next.end(), Frontier.begin() + static_cast<std::ptrdiff_t>(p) + 1,
                        Frontier.end());
            break;
        }
        case TStepKind::ExpandAll: {
            if (first || !TopDown) throw Damaged{};
            std::size_t used = 0;
            for (const uint32_t node : Frontier) {
                if (Nodes[node].Symbol->SymKind != ekNonTerminal) {
                    next.push_back(node);
                    continue;
                }
                if (used >= count) throw Damaged{};
                Expand(next, node, choices[used++], last);
            }
            if (used != count) throw Damaged{};
            break;
        }
        case TStepKind::Reduce: {
            if (first) {
                if (step.From != NoTraceLine) throw Damaged{};
                Words();
            }
            if (TopDown || count != 2) throw Damaged{};
            const uint32_t p = choices[0];
            const uint32_t node = Reduce(p, choices[1], last);
            next.assign(Frontier.begin(), Frontier.begin() + p);
            next.push_back(node);
            next.insert(next.end(),
                        Frontier.begin() + static_cast<std::ptrdiff_t>(p) +
                            static_cast<std::ptrdiff_t>(Nodes[node].Children.size()),
                        Frontier.end());
            break;
        }
        case TStepKind::Categories: {
            if (!first || step.From != NoTraceLine) throw Damaged{};
            for (std::size_t k = 0; k < count; ++k) {
                const TTraceHistory::TRule& r = RuleAt(choices[k]);
                if (r.Right.empty()) throw Damaged{};
                const uint32_t category = Add(r.Left);
                const uint32_t word = Add(r.Right[0]);
                Nodes[category].Children.push_back(word);
                if (last) MarkStep(category);
                next.push_back(category);
            }
            break;
        }
        case TStepKind::ReduceAll: {
            if (first || TopDown || count % 2 != 0) throw Damaged{};
            std::size_t i = 0;
            for (std::size_t k = 0; k < count; k += 2) {
                const uint32_t p = choices[k];
                if (p < i) throw Damaged{};
                const uint32_t node = Reduce(p, choices[k + 1], last);
                next.insert(next.end(), Frontier.begin() + static_cast<std::ptrdiff_t>(i),
                            Frontier.begin() + p);
                next.push_back(node);
                i = p + Nodes[node].Children.size();
            }
            if (i > Frontier.size()) throw Damaged{};
            next.insert(next.end(), Frontier.begin() + static_cast<std::ptrdiff_t>(i),
                        Frontier.end());
            break;
        }
        default:
            throw Damaged{};
        }
        Frontier.swap(next);
    }

    const TTraceHistory& History;
    std::size_t MaxNodes;
    std::vector<Node> Nodes;
    // The leaves of the derivation (top-down) or the roots of the forest
    // (bottom-up), left to right: the nodes of the line's pattern.
    std::vector<uint32_t> Frontier;
    bool TopDown = false;
};

void Replay::Collect(TPartialAnalysis& result) const {
    for (const uint32_t node : Frontier) {
        result.Pattern += ' ';
        result.Pattern += Nodes[node].Symbol->Text;
    }
    struct Frame {
        uint32_t Node;
        std::size_t Next;
    };
    std::vector<Frame> stack;
    for (const uint32_t root : Roots()) {
        std::string text;
        stack.push_back({root, 0});
        text += '[';
        text += Nodes[root].Symbol->Text;
        result.Marks.push_back(Nodes[root].Marks);
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const Node& node = Nodes[frame.Node];
            if (frame.Next < node.Children.size()) {
                const uint32_t child = node.Children[frame.Next++];
                text += " [";
                text += Nodes[child].Symbol->Text;
                result.Marks.push_back(Nodes[child].Marks);
                stack.push_back({child, 0});
                continue;
            }
            text += ']';
            stack.pop_back();
        }
        result.Trees.push_back(std::move(text));
    }
}

} // namespace

void TTraceHistory::Clear() {
    StartRule = 0;
    Rules.clear();
    Tokens.clear();
    Steps.Clear();
}

void TakeTraceHistory(const TParser& store, TParseRun& run, uint8_t options,
                      TTraceHistory& history) {
    history.Clear();
    if (run.TraceSteps.Empty()) return;
    history.StartRule = store.StartLine >= 0 ? static_cast<uint32_t>(store.StartLine) : 0;
    history.CaseSensitive = (options & poCaseSensitive) != 0;
    history.Rules.reserve(store.Rules.size());
    for (const TParsLine& rule : store.Rules) {
        TTraceHistory::TRule copy{rule.Line.Left, rule.Line.Right};
        // Only the symbols' kinds and texts are needed.
        copy.Left.Refs.clear();
        for (TElemNode& symbol : copy.Right)
            symbol.Refs.clear();
        history.Rules.push_back(std::move(copy));
    }
    history.Tokens = store.Tokens;
    history.Steps = std::move(run.TraceSteps);
    run.TraceSteps.Clear();
}

std::string TPartialAnalysis::Text() const {
    std::string text;
    for (const std::string& tree : Trees) {
        if (!text.empty()) text += ' ';
        text += tree;
    }
    return text;
}

std::vector<std::size_t> TPartialAnalysis::Marked(uint8_t mark) const {
    std::vector<std::size_t> nodes;
    for (std::size_t i = 0; i < Marks.size(); ++i)
        if (Marks[i] & mark) nodes.push_back(i);
    return nodes;
}

TPartialAnalysis BuildPartialAnalysis(const TTraceHistory& history, std::size_t line,
                                      std::size_t maxNodes) {
    TPartialAnalysis result;
    if (line >= history.Lines()) {
        result.Message = MsgNoPartialAnalysis;
        return result;
    }
    // The chain of lines back to the first: each step's earlier line comes before it.
    std::vector<uint32_t> chain;
    for (uint32_t at = static_cast<uint32_t>(line);;) {
        chain.push_back(at);
        const uint32_t from = history.Steps.At(at).From;
        if (from == NoTraceLine) break;
        if (from >= at) {
            result.Message = MsgPartialStepsDamaged;
            return result;
        }
        at = from;
    }
    Replay replay(history, maxNodes);
    try {
        replay.Run(chain);
    } catch (const Damaged&) {
        result.Message = MsgPartialStepsDamaged;
        return result;
    } catch (const TooLarge&) {
        result.Message = MsgPartialTooLarge(maxNodes);
        return result;
    }
    replay.MarkFrontier();
    replay.Collect(result);
    result.Built = true;
    return result;
}

} // namespace gramarbor
