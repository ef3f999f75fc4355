// The Earley chart, the ordered enumeration of its trees and their exact count.
#include "chart/chart_parser.h"

#include <algorithm>

#include "base/large_stack.h"
#include "grammar/grammar_messages.h"
#include "grammar/token_match.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

constexpr uint64_t PackPair(int64_t high, int64_t low) {
    return (static_cast<uint64_t>(high) << 32) | static_cast<uint32_t>(low);
}

constexpr int CancelPollMask = 4095;

// An Earley item (rule, dot, origin) packed into one key of the item set: the origin,
// a token position, in the low 31 bits, the dot (0 up to the length of the right side)
// in the next 9, and the rule number in the 24 bits above them. The grammar's limits
// keep every field inside its bits, so that two items never share a key.
constexpr int ItemOriginBits = 31;
constexpr int ItemDotBits = 9;
constexpr int ItemRuleShift = ItemOriginBits + ItemDotBits;
static_assert(MaxRightElements < (std::size_t(1) << ItemDotBits));
static_assert(MaxInternalRules <= (std::size_t(1) << (64 - ItemRuleShift)));

constexpr uint64_t PackItem(int32_t rule, int32_t dot, int32_t origin) {
    return (static_cast<uint64_t>(rule) << ItemRuleShift) |
           (static_cast<uint64_t>(dot) << ItemOriginBits) | static_cast<uint32_t>(origin);
}

} // namespace

TChartParser::TChartParser(const TRuleList& rules, int32_t startLine,
                           const std::vector<TTokLst>& tokens, bool caseSensitive)
    : TokenCount(static_cast<int32_t>(tokens.size())), StartRule(startLine) {
    PrepareRules(rules, tokens, caseSensitive);
}

void TChartParser::PrepareRules(const TRuleList& rules, const std::vector<TTokLst>& tokens,
                                bool caseSensitive) {
    std::unordered_map<std::string, int32_t> symbolIds;
    auto symbolId = [&symbolIds](const std::string& name) {
        const auto [it, added] = symbolIds.emplace(name, static_cast<int32_t>(symbolIds.size()));
        return it->second;
    };
    const auto ruleCount = static_cast<int32_t>(rules.size());
    RuleLeft.resize(ruleCount);
    RuleLexical.resize(ruleCount);
    RuleRight.resize(ruleCount);
    std::vector<const std::vector<TElemNode>*> lexicalTerms(ruleCount, nullptr);
    for (int32_t r = 0; r < ruleCount; ++r) {
        const TGramLine& line = rules[r].Line;
        RuleLeft[r] = symbolId(line.Left.Text);
        RuleLexical[r] = line.Lexical ? 1 : 0;
        if (line.Lexical)
            lexicalTerms[r] = &line.Right;
        else
            for (const TElemNode& elem : line.Right)
                RuleRight[r].push_back(symbolId(elem.Text));
    }
    SymbolRules.assign(symbolIds.size(), {});
    for (int32_t r = 0; r < ruleCount; ++r)
        if (!RuleLexical[r]) SymbolRules[RuleLeft[r]].push_back(r);

    // Index lexical rules by their first terminal, then find the matches of each position.
    std::unordered_map<std::string, std::vector<int32_t>> byText;
    std::vector<int32_t> byClass[SymbolKindCount];
    for (int32_t r = 0; r < ruleCount; ++r) {
        if (!lexicalTerms[r] || lexicalTerms[r]->empty()) continue;
        const TElemNode& first = lexicalTerms[r]->front();
        if (first.SymKind == ekTerminal)
            byText[caseSensitive ? first.Text : UpperCaseGerman(first.Text)].push_back(r);
        else if (first.SymKind < SymbolKindCount)
            byClass[first.SymKind].push_back(r);
    }
    LexMatches.assign(TokenCount, {});
    std::vector<int32_t> candidates;
    for (int32_t q = 0; q < TokenCount; ++q) {
        const TTokLst& token = tokens[q];
        candidates.clear();
        auto take = [&candidates](const std::vector<int32_t>& list) {
            candidates.insert(candidates.end(), list.begin(), list.end());
        };
        if (token.Code >= 1 && token.Code <= MaxKeywordCode) {
            const auto found = byText.find(token.Val.Text);
            if (found != byText.end()) take(found->second);
        } else if (token.Code == tkIdent) {
            take(byClass[ekIdent]);
        } else if (token.Code == tkFloat) {
            take(byClass[ekNumber]);
            take(byClass[ekFloat]);
        } else if (token.Code == tkInteger) {
            take(byClass[ekNumber]);
            take(byClass[ekInteger]);
        }
        for (const int32_t r : candidates) {
            const auto& terms = *lexicalTerms[r];
            const auto length = static_cast<int32_t>(terms.size());
            if (q + length > TokenCount) continue;
            bool ok = true;
            for (int32_t i = 1; i < length && ok; ++i)
                ok = TokenMatchesSymbol(terms[i], tokens[q + i], caseSensitive);
            if (ok) LexMatches[q].push_back({RuleLeft[r], r, q + length});
        }
        std::sort(LexMatches[q].begin(), LexMatches[q].end(),
                  [](const LexMatch& a, const LexMatch& b) {
                      return a.Symbol != b.Symbol ? a.Symbol < b.Symbol : a.Rule < b.Rule;
                  });
    }
}

void TChartParser::AppendEnd(std::vector<int32_t>& ends, int32_t end) {
    if (ends.empty() || ends.back() < end)
        ends.push_back(end);
    else if (!std::binary_search(ends.begin(), ends.end(), end))
        ends.insert(std::lower_bound(ends.begin(), ends.end(), end), end);
}

bool TChartParser::ItemSet::Insert(uint64_t key) {
    // Keys are never 0: the stored key is offset by one.
    ++key;
    if ((Used + 1) * 2 > Slots.size()) {
        std::vector<uint64_t> old = std::move(Slots);
        Slots.assign(old.empty() ? 64 : old.size() * 2, 0);
        Used = 0;
        for (const uint64_t k : old)
            if (k != 0) Insert(k - 1);
    }
    const std::size_t mask = Slots.size() - 1;
    std::size_t slot = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;
    while (Slots[slot] != 0) {
        if (Slots[slot] == key) return false;
        slot = (slot + 1) & mask;
    }
    Slots[slot] = key;
    ++Used;
    return true;
}

void TChartParser::ItemSet::Clear() {
    if (Used == 0) return;
    std::fill(Slots.begin(), Slots.end(), 0);
    Used = 0;
}

void TChartParser::AddItem(int32_t rule, int32_t dot, int32_t origin) {
    if (SeenItems.Insert(PackItem(rule, dot, origin))) Agenda.push_back({rule, dot, origin});
}

void TChartParser::Complete(int32_t symbol, int32_t origin, int32_t end) {
    std::vector<int32_t>& ends = SymbolEnds[PackPair(symbol, origin)];
    if (!ends.empty() && ends.back() == end) return;
    ends.push_back(end);
    const auto waiting = Waiting[origin].find(symbol);
    if (waiting == Waiting[origin].end()) return;
    for (const Item& item : waiting->second)
        AddItem(item.Rule, item.Dot + 1, item.Origin);
}

void TChartParser::Predict(int32_t symbol, int32_t position) {
    if (PredictedAt[symbol] == position) return;
    PredictedAt[symbol] = position;
    for (const int32_t rule : SymbolRules[symbol])
        AddItem(rule, 0, position);
    if (position >= TokenCount) return;
    const auto& matches = LexMatches[position];
    auto it = std::lower_bound(matches.begin(), matches.end(), symbol,
                               [](const LexMatch& m, int32_t s) { return m.Symbol < s; });
    for (; it != matches.end() && it->Symbol == symbol; ++it) {
        AppendEnd(RuleEndsByOrigin[PackPair(it->Rule, position)], it->End);
        PendingCompletions[it->End].push_back({symbol, position});
    }
}

bool TChartParser::Build(const CancelToken* cancel) {
    if (cancel && cancel->IsCancelled()) return false;
    Built = true;
    IsAccepted = false;
    if (TokenCount == 0 || StartRule < 0 || StartRule >= static_cast<int32_t>(RuleLeft.size()))
        return true;
    PredictedAt.assign(SymbolRules.size(), -1);
    Waiting.assign(TokenCount + 1, {});
    PendingCompletions.assign(TokenCount + 1, {});

    if (RuleLexical[StartRule]) {
        for (const LexMatch& match : LexMatches[0])
            if (match.Rule == StartRule)
                AppendEnd(RuleEndsByOrigin[PackPair(StartRule, 0)], match.End);
    }
    long steps = 0;
    for (int32_t i = 0; i <= TokenCount; ++i) {
        CurrentPosition = i;
        Agenda.clear();
        SeenItems.Clear();
        if (i == 0 && !RuleLexical[StartRule]) AddItem(StartRule, 0, 0);
        for (const auto& [symbol, origin] : PendingCompletions[i])
            Complete(symbol, origin, i);
        PendingCompletions[i].clear();
        for (std::size_t a = 0; a < Agenda.size(); ++a) {
            if ((++steps & CancelPollMask) == 0 && cancel && cancel->IsCancelled()) return false;
            const Item item = Agenda[a];
            const auto& right = RuleRight[item.Rule];
            if (item.Dot == static_cast<int32_t>(right.size())) {
                AppendEnd(RuleEndsByOrigin[PackPair(item.Rule, item.Origin)], i);
                Complete(RuleLeft[item.Rule], item.Origin, i);
            } else {
                const int32_t next = right[item.Dot];
                Waiting[i][next].push_back(item);
                Predict(next, i);
            }
        }
    }
    SeenItems.Clear();
    Agenda.clear();
    Agenda.shrink_to_fit();
    const auto* ends = RuleEnds(StartRule, 0);
    IsAccepted = ends && std::binary_search(ends->begin(), ends->end(), TokenCount);
    return true;
}

const std::vector<int32_t>* TChartParser::NtEnds(int32_t symbol, int32_t origin) const {
    const auto found = SymbolEnds.find(PackPair(symbol, origin));
    return found == SymbolEnds.end() ? nullptr : &found->second;
}

const std::vector<int32_t>* TChartParser::RuleEnds(int32_t rule, int32_t origin) const {
    const auto found = RuleEndsByOrigin.find(PackPair(rule, origin));
    return found == RuleEndsByOrigin.end() ? nullptr : &found->second;
}

int32_t TChartParser::InternSet(std::vector<uint64_t> bits) {
    std::string key(reinterpret_cast<const char*>(bits.data()), bits.size() * sizeof(uint64_t));
    const auto found = SetIds.find(key);
    if (found != SetIds.end()) return found->second;
    const auto id = static_cast<int32_t>(Sets.size());
    Sets.push_back(std::move(bits));
    SetIds.emplace(std::move(key), id);
    return id;
}

bool TChartParser::SetHas(int32_t setId, int32_t position) const {
    return (Sets[setId][position >> 6] >> (position & 63)) & 1u;
}

bool TChartParser::AnyEndInSet(const std::vector<int32_t>* ends, int32_t setId) const {
    if (!ends) return false;
    for (const int32_t end : *ends)
        if (SetHas(setId, end)) return true;
    return false;
}

int32_t TChartParser::PreSet(int32_t symbol, int32_t setId) {
    const uint64_t key = PackPair(symbol, setId);
    const auto found = PreSetMemo.find(key);
    if (found != PreSetMemo.end()) return found->second;
    std::vector<uint64_t> bits((TokenCount + 64) / 64, 0);
    for (int32_t q = 0; q < TokenCount; ++q)
        if (AnyEndInSet(NtEnds(symbol, q), setId)) bits[q >> 6] |= uint64_t(1) << (q & 63);
    const int32_t result = InternSet(std::move(bits));
    PreSetMemo.emplace(key, result);
    return result;
}

bool TChartParser::Enumerate(const PathVisitor& visit, const CancelToken* cancel,
                             const std::vector<uint16_t>* startAt) {
    if (cancel && cancel->IsCancelled()) return false;
    if (!Built && !Build(cancel)) return false;
    if (!IsAccepted) return true;

    std::vector<uint64_t> endOnly((TokenCount + 64) / 64, 0);
    endOnly[TokenCount >> 6] |= uint64_t(1) << (TokenCount & 63);
    const int32_t wholeSentence = InternSet(std::move(endOnly));

    std::vector<uint16_t> path{static_cast<uint16_t>(StartRule)};
    if (RuleLexical[StartRule]) {
        visit(path);
        return true;
    }

    // The symbols still to be derived form a persistent stack of nodes, so that a
    // choice point can go back to the stack it saw by remembering its head.
    struct PendingSymbol {
        int32_t Symbol;
        int32_t AllowedEnds; // set id: where the symbol may end so the rest can follow
        int32_t Next;
    };
    struct Candidate {
        int32_t Rule;
        int32_t End; // for lexical rules
    };
    struct ChoicePoint {
        int32_t Head;
        int32_t Position;
        uint32_t PathLength;
        uint32_t ArenaLength;
        uint32_t First;
        uint32_t Last;
        uint32_t Current;
    };
    std::vector<PendingSymbol> arena;
    std::vector<Candidate> candidates;
    std::vector<ChoicePoint> choices;

    // Pushes the right side of rule onto rest; returns the new head.
    auto pushRight = [&](int32_t rule, int32_t allowed, int32_t rest) {
        const auto& right = RuleRight[rule];
        int32_t head = rest;
        int32_t set = allowed;
        for (std::size_t c = right.size(); c-- > 0;) {
            arena.push_back({right[c], set, head});
            head = static_cast<int32_t>(arena.size()) - 1;
            if (c > 0) set = PreSet(right[c], set);
        }
        return head;
    };

    int32_t head = pushRight(StartRule, wholeSentence, -1);
    int32_t position = 0;
    long steps = 0;
    // Until the first tree is reached, each choice takes the rule startAt names.
    bool following = startAt != nullptr;

    auto apply = [&](const ChoicePoint& choice) {
        const Candidate& candidate = candidates[choice.Current];
        arena.resize(choice.ArenaLength);
        path.resize(choice.PathLength);
        const PendingSymbol top = arena[choice.Head];
        path.push_back(static_cast<uint16_t>(candidate.Rule));
        if (RuleLexical[candidate.Rule]) {
            position = candidate.End;
            head = top.Next;
        } else {
            position = choice.Position;
            head = pushRight(candidate.Rule, top.AllowedEnds, top.Next);
        }
    };
    auto backtrack = [&]() {
        while (!choices.empty()) {
            ChoicePoint& choice = choices.back();
            if (++choice.Current < choice.Last) {
                apply(choice);
                return true;
            }
            candidates.resize(choice.First);
            choices.pop_back();
        }
        return false;
    };

    for (;;) {
        if ((++steps & CancelPollMask) == 0 && cancel && cancel->IsCancelled()) return false;
        if (head < 0) {
            following = false;
            if (position == TokenCount && !visit(path)) return true;
            if (!backtrack()) return true;
            continue;
        }
        const PendingSymbol top = arena[head];
        const auto first = static_cast<uint32_t>(candidates.size());
        // Candidates in rule order: lexical matches here and non-lexical rules whose
        // spans from here end where the rest of the sentence can follow.
        const auto& rules = SymbolRules[top.Symbol];
        std::size_t nextRule = 0;
        auto addRulesBelow = [&](int32_t limit) {
            for (; nextRule < rules.size() && rules[nextRule] < limit; ++nextRule)
                if (AnyEndInSet(RuleEnds(rules[nextRule], position), top.AllowedEnds))
                    candidates.push_back({rules[nextRule], 0});
        };
        if (position < TokenCount) {
            const auto& matches = LexMatches[position];
            auto it = std::lower_bound(matches.begin(), matches.end(), top.Symbol,
                                       [](const LexMatch& m, int32_t s) { return m.Symbol < s; });
            for (; it != matches.end() && it->Symbol == top.Symbol; ++it) {
                addRulesBelow(it->Rule);
                if (SetHas(top.AllowedEnds, it->End)) candidates.push_back({it->Rule, it->End});
            }
        }
        addRulesBelow(INT32_MAX);
        const auto last = static_cast<uint32_t>(candidates.size());
        if (first == last) {
            if (!backtrack()) return true;
            continue;
        }
        uint32_t current = first;
        if (following) {
            const std::size_t at = path.size();
            while (current < last &&
                   (at >= startAt->size() || candidates[current].Rule != (*startAt)[at]))
                ++current;
            // A path that is no tree of the sentence: start from the first tree instead.
            if (current == last) {
                following = false;
                current = first;
            }
        }
        choices.push_back({head, position, static_cast<uint32_t>(path.size()),
                           static_cast<uint32_t>(arena.size()), first, last, current});
        apply(choices.back());
    }
}

BigUint TChartParser::CountTrees() {
    BigUint count;
    CountTrees(count, nullptr);
    return count;
}

bool TChartParser::CountInterrupted() {
    if (CountStopped) return true;
    if ((++CountSteps & CancelPollMask) != 0 || !CountCancel || !CountCancel->IsCancelled())
        return false;
    CountStopped = true;
    return true;
}

bool TChartParser::PrepareCounts(const CancelToken* cancel) {
    if (!Built && !Build(cancel)) return false;
    if (IsAccepted && SymbolStarts.empty()) {
        for (const auto& [key, ends] : SymbolEnds)
            for (const int32_t end : ends)
                SymbolStarts[PackPair(static_cast<int64_t>(key >> 32), end)].push_back(
                    static_cast<int32_t>(key & 0xFFFFFFFFu));
    }
    return true;
}

bool TChartParser::CountTrees(BigUint& count, const CancelToken* cancel) {
    if (!PrepareCounts(cancel)) return false;
    if (!IsAccepted) {
        count = BigUint();
        return true;
    }
    if (RuleLexical[StartRule]) {
        count = BigUint(1);
        return true;
    }
    BigUint total;
    CountCancel = cancel;
    CountStopped = false;
    RunWithLargeStack([&] { total = CountSequence(StartRule, 0, 0, TokenCount); });
    CountCancel = nullptr;
    if (CountStopped) {
        // Counts made after the stop are wrong: keep none of them.
        SymbolCounts.clear();
        SequenceCounts.clear();
        CountStopped = false;
        return false;
    }
    count = total;
    return true;
}

BigUint TChartParser::CountSymbol(int32_t symbol, int32_t from, int32_t to) {
    if (CountInterrupted()) return BigUint();
    const SpanKey key{static_cast<uint64_t>(symbol), PackPair(from, to)};
    const auto found = SymbolCounts.find(key);
    if (found != SymbolCounts.end()) return found->second;
    BigUint count;
    if (from < TokenCount) {
        const auto& matches = LexMatches[from];
        auto it = std::lower_bound(matches.begin(), matches.end(), symbol,
                                   [](const LexMatch& m, int32_t s) { return m.Symbol < s; });
        for (; it != matches.end() && it->Symbol == symbol; ++it)
            if (it->End == to) count += BigUint(1);
    }
    for (const int32_t rule : SymbolRules[symbol]) {
        const auto* ends = RuleEnds(rule, from);
        if (ends && std::binary_search(ends->begin(), ends->end(), to))
            count += CountSequence(rule, 0, from, to);
    }
    SymbolCounts.emplace(key, count);
    return count;
}

BigUint TChartParser::CountSequence(int32_t rule, int32_t child, int32_t from, int32_t to) {
    if (CountInterrupted()) return BigUint();
    const auto& right = RuleRight[rule];
    if (child == static_cast<int32_t>(right.size()) - 1) return CountSymbol(right[child], from, to);
    const SpanKey key{PackPair(rule, child), PackPair(from, to)};
    const auto found = SequenceCounts.find(key);
    if (found != SequenceCounts.end()) return found->second;
    BigUint count;
    const int32_t remaining = static_cast<int32_t>(right.size()) - child - 1;
    const auto* ends = NtEnds(right[child], from);
    if (!ends) {
        SequenceCounts.emplace(key, count);
        return count;
    }
    auto add = [&](int32_t middle) {
        const BigUint rest = CountSequence(rule, child + 1, middle, to);
        if (!rest.IsZero()) count += CountSymbol(right[child], from, middle) * rest;
    };
    const auto startsFound =
        remaining == 1 ? SymbolStarts.find(PackPair(right[child + 1], to)) : SymbolStarts.end();
    if (remaining == 1 &&
        (startsFound == SymbolStarts.end() || startsFound->second.size() < ends->size())) {
        // The last child must start where this one ends: walk the shorter list.
        if (startsFound != SymbolStarts.end())
            for (const int32_t middle : startsFound->second)
                if (middle > from && std::binary_search(ends->begin(), ends->end(), middle))
                    add(middle);
    } else {
        for (const int32_t middle : *ends) {
            if (middle > to - remaining) break;
            add(middle);
        }
    }
    SequenceCounts.emplace(key, count);
    return count;
}

BigUint TChartParser::CompletionsFrom(int32_t frame, int32_t child, int32_t position) {
    for (;;) {
        if (CountInterrupted() || UnrankOverBudget) return BigUint();
        const UnrankFrame& f = Frames[frame];
        if (child < static_cast<int32_t>(RuleRight[f.Rule].size())) break;
        // The frame's rule is complete: its parent goes on from here.
        if (f.Parent < 0) return BigUint(position == TokenCount ? 1 : 0);
        child = f.ParentNext;
        frame = f.Parent;
    }
    const SpanKey key{PackPair(frame, child), static_cast<uint64_t>(position)};
    const auto found = Completions.find(key);
    if (found != Completions.end()) return found->second;
    if (Completions.size() >= UnrankBudget) {
        UnrankOverBudget = true;
        return BigUint();
    }
    BigUint count;
    const int32_t symbol = RuleRight[Frames[frame].Rule][child];
    if (const auto* ends = NtEnds(symbol, position))
        for (const int32_t end : *ends) {
            const BigUint rest = CompletionsFrom(frame, child + 1, end);
            if (!rest.IsZero()) count += CountSymbol(symbol, position, end) * rest;
        }
    Completions.emplace(key, count);
    return count;
}

TChartParser::TUnrankResult TChartParser::UnrankTree(const BigUint& number,
                                                     std::vector<uint16_t>& path,
                                                     const CancelToken* cancel) {
    BigUint total;
    if (!CountTrees(total, cancel)) return TUnrankResult::Cancelled;
    if (!(number < total)) return TUnrankResult::OutOfRange;
    path.assign(1, static_cast<uint16_t>(StartRule));
    if (RuleLexical[StartRule]) return TUnrankResult::Found;

    Frames.assign(1, {StartRule, -1, 0});
    Completions.clear();
    UnrankOverBudget = false;
    CountCancel = cancel;
    CountStopped = false;
    BigUint left = number;
    bool complete = false;
    // Walks down the tree in the enumeration's order: at each symbol, the candidates
    // (the same as Enumerate's, in its order) are skipped while the trees that begin
    // with them all lie before the wanted one.
    RunWithLargeStack([&] {
        int32_t frame = 0;
        int32_t child = 0;
        int32_t position = 0;
        for (;;) {
            if (CountStopped || UnrankOverBudget) return;
            const UnrankFrame f = Frames[frame];
            if (child == static_cast<int32_t>(RuleRight[f.Rule].size())) {
                if (f.Parent < 0) {
                    complete = true;
                    return;
                }
                child = f.ParentNext;
                frame = f.Parent;
                continue;
            }
            const int32_t symbol = RuleRight[f.Rule][child];
            bool chosen = false;
            auto tryRule = [&](int32_t rule, int32_t lexicalEnd) {
                BigUint trees;
                if (lexicalEnd >= 0) {
                    trees = CompletionsFrom(frame, child + 1, lexicalEnd);
                } else if (const auto* ends = RuleEnds(rule, position)) {
                    for (const int32_t end : *ends) {
                        const BigUint rest = CompletionsFrom(frame, child + 1, end);
                        if (!rest.IsZero()) trees += CountSequence(rule, 0, position, end) * rest;
                    }
                }
                if (CountStopped || UnrankOverBudget) return true;
                if (!(left < trees)) {
                    left -= trees;
                    return false;
                }
                path.push_back(static_cast<uint16_t>(rule));
                if (lexicalEnd >= 0) {
                    position = lexicalEnd;
                    ++child;
                } else {
                    Frames.push_back({rule, frame, child + 1});
                    frame = static_cast<int32_t>(Frames.size()) - 1;
                    child = 0;
                }
                chosen = true;
                return true;
            };
            OfferCandidates(symbol, position, tryRule);
            // The counts say the wanted tree exists, so some candidate holds it.
            if (!chosen) return;
        }
    });
    CountCancel = nullptr;
    const bool stopped = CountStopped;
    CountStopped = false;
    Completions.clear();
    Frames.clear();
    if (stopped) {
        SymbolCounts.clear();
        SequenceCounts.clear();
        return TUnrankResult::Cancelled;
    }
    if (UnrankOverBudget) return TUnrankResult::TooLarge;
    return complete ? TUnrankResult::Found : TUnrankResult::OutOfRange;
}

} // namespace gramarbor
