// The bottom-up strategies, depth-first and breadth-first, over the word categories.
#include "parsing/bottom_up.h"

#include <unordered_map>

#include "parsing/deep_search.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/pattern_match.h"
#include "parsing/search_context.h"
#include "parsing/trace_lines.h"
#include "text/text_utils.h"

namespace gramarbor {

struct TBottomUpSearch : TSearch {
    TBottomUpSearch(TParser& store, uint8_t options, TParseRun& run)
        : TSearch(store, options, run) {
        Start = &store.Rules[static_cast<std::size_t>(store.StartLine)].Line.Left;
        // Rules by the first symbol of their right side, in ascending order: a
        // reduction at a position can only use the rules listed for its symbol.
        for (std::size_t r = 0; r < store.Rules.size(); ++r) {
            const auto& right = store.Rules[r].Line.Right;
            if (!right.empty()) ByFirst[Key(right.front())].push_back(static_cast<uint16_t>(r));
        }
        // Every symbol a pattern can hold (right sides, left sides) gets its list.
        const auto link = [this](const TElemNode& symbol) {
            const auto found = ByFirst.find(Key(symbol));
            if (found != ByFirst.end()) Candidates[&symbol] = &found->second;
        };
        for (const TParsLine& rule : store.Rules) {
            link(rule.Line.Left);
            for (const TElemNode& symbol : rule.Line.Right)
                link(symbol);
        }
    }

    static std::string Key(const TElemNode& symbol) {
        return std::string{static_cast<char>(symbol.SymKind), static_cast<char>(symbol.Construct)} +
               symbol.Text;
    }

    const std::vector<uint16_t>& CandidatesOf(const TElemNode* symbol) const {
        static const std::vector<uint16_t> none;
        const auto found = Candidates.find(symbol);
        return found == Candidates.end() ? none : *found->second;
    }

    const TElemNode* Start = nullptr;
    std::unordered_map<std::string, std::vector<uint16_t>> ByFirst;
    std::unordered_map<const TElemNode*, const std::vector<uint16_t>*> Candidates;
};

namespace {

uint16_t CategoryRule(const std::string& entry, std::size_t index) {
    return Str2ToWord(std::string_view(entry).substr(index * 2, 2));
}

void Reduce(const TPattern& pattern, std::size_t start, std::size_t length, const TElemNode& left,
            TPattern& out) {
    out.clear();
    out.reserve(pattern.size() - length + 1);
    out.insert(out.end(), pattern.begin(), pattern.begin() + static_cast<std::ptrdiff_t>(start));
    out.push_back(&left);
    out.insert(out.end(), pattern.begin() + static_cast<std::ptrdiff_t>(start + length),
               pattern.end());
}

} // namespace

bool AssignCategories(const TParser& store, uint8_t options, std::vector<std::string>& categories,
                      MessageSink& sink) {
    const bool caseSensitive = (options & poCaseSensitive) != 0;
    // Lexical rules with one right symbol, by (folded) text, highest rule first.
    std::unordered_map<std::string, std::vector<uint16_t>> byText;
    for (std::size_t r = store.Rules.size(); r-- > 0;) {
        const TGramLine& rule = store.Rules[r].Line;
        if (!rule.Lexical || rule.Right.size() != 1) continue;
        const std::string& text = rule.Right[0].Text;
        byText[caseSensitive ? text : UpperCaseGerman(text)].push_back(static_cast<uint16_t>(r));
    }
    for (const TTokLst& token : store.Tokens) {
        categories.emplace_back();
        const std::string text = caseSensitive ? token.Val.Text : UpperCaseGerman(token.Val.Text);
        const auto found = byText.find(text);
        if (found == byText.end()) {
            sink.Error(MsgNoCategory(text));
            return false;
        }
        for (const uint16_t r : found->second)
            categories.back() += WordToStr2(r);
    }
    return true;
}

bool ReduceDepthFirst(TBottomUpSearch& search, const TPattern& pattern) {
    TStepGuard step(search);
    if (!step.Ok()) return true;
    TParser& store = search.Store;
    TPattern next;
    for (std::size_t p = 0; p < pattern.size() && !search.Stopped(); ++p) {
        for (const uint16_t r : search.CandidatesOf(pattern[p])) {
            if (search.Stopped()) break;
            const TGramLine& rule = store.Rules[r].Line;
            if (!RhsMatchesAt(rule.Right, pattern, p)) continue;
            Reduce(pattern, p, rule.Right.size(), rule.Left, next);
            const uint32_t step[2] = {static_cast<uint32_t>(p), r};
            const TPatternLineScope scope(search,
                                          search.Record(next, r, TStepKind::Reduce, step, 2));
            if (next.size() == 1) store.ParseFound = SymbolsEqual(*search.Start, *next[0]);
            if (!store.ParseFound && !ReduceDepthFirst(search, next)) return false;
        }
    }
    if (search.Optimal && !store.ParseFound) DeleteLastTraceLine(store, search.Run);
    return true;
}

bool BottomUpDepthFirst(TBottomUpSearch& search, const std::vector<std::string>& categories) {
    TParser& store = search.Store;
    TPattern words;
    std::vector<uint32_t> wordRules;
    for (const std::string& entry : categories) {
        wordRules.push_back(CategoryRule(entry, 0));
        words.push_back(&store.Rules[wordRules.back()].Line.Right[0]);
    }
    // Reductions of the words themselves have no earlier line: they start from these.
    if (search.Trace && search.Run.KeepTraceSteps) search.Run.TraceSteps.WordRules = wordRules;
    return ReduceDepthFirst(search, words);
}

bool NextCategoryCombination(std::vector<uint16_t>& current, const std::vector<uint16_t>& highest,
                             std::size_t length) {
    for (std::size_t i = length; i-- > 0;) {
        if (current[i] < highest[i]) {
            ++current[i];
            return true;
        }
        current[i] = 1;
    }
    return false;
}

bool NextReductionCombination(std::vector<uint16_t>& current, const std::vector<uint16_t>& highest,
                              std::size_t length, int& wanted, TSearch* search) {
    while (wanted > 0) {
        // Whole odometer turns can pass without a combination of the wanted size.
        if (search != nullptr && search->Interrupted()) return false;
        for (std::size_t i = length;;) {
            if (i == 0) break; // carry passed the first position: all counters are 0
            --i;
            if (current[i] < highest[i]) {
                ++current[i];
                break;
            }
            current[i] = 0;
        }
        int count = 0;
        for (std::size_t i = 0; i < length; ++i)
            if (current[i] != 0) ++count;
        if (count == 0)
            --wanted;
        else if (count == wanted)
            return true;
    }
    return false;
}

std::size_t CollectReductions(const TBottomUpSearch& search, const TPattern& pattern,
                              std::vector<std::string>& reductions) {
    const TParser& store = search.Store;
    reductions.assign(pattern.size(), std::string());
    std::size_t positions = 0;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        for (const uint16_t r : search.CandidatesOf(pattern[p])) {
            const TGramLine& rule = store.Rules[r].Line;
            if (!rule.Lexical && RhsMatchesAt(rule.Right, pattern, p))
                reductions[p] += WordToStr2(r);
        }
        if (!reductions[p].empty()) ++positions;
    }
    return positions;
}

bool ReduceBreadthFirst(TBottomUpSearch& search, const TPattern& pattern) {
    TStepGuard step(search);
    if (!step.Ok()) return true;
    TParser& store = search.Store;
    std::vector<std::string> reductions;
    int wanted = static_cast<int>(CollectReductions(search, pattern, reductions));
    const std::size_t length = pattern.size();
    std::vector<uint16_t> highest(length);
    std::vector<uint16_t> current(length, 0);
    for (std::size_t p = 0; p < length; ++p)
        highest[p] = static_cast<uint16_t>(reductions[p].size() / 2);
    TPattern next;
    // Position and rule of each reduction made, as the line's step records them.
    std::vector<uint32_t> made;
    for (;;) {
        next.clear();
        made.clear();
        bool reduced = false;
        for (std::size_t i = 0; i < length;) {
            if (current[i] > 0) {
                const uint16_t r = CategoryRule(reductions[i], current[i] - 1u);
                const TGramLine& rule = store.Rules[r].Line;
                next.push_back(&rule.Left);
                made.push_back(static_cast<uint32_t>(i));
                made.push_back(r);
                reduced = true;
                i += rule.Right.size();
            } else {
                next.push_back(pattern[i]);
                ++i;
            }
        }
        const TPatternLineScope scope(
            search,
            reduced ? search.Record(next, RefNoRule, TStepKind::ReduceAll, made.data(), made.size())
                    : NoTraceLine);
        if (next.size() == 1) store.ParseFound = SymbolsEqual(*search.Start, *next[0]);
        if (!store.ParseFound && reduced && !ReduceBreadthFirst(search, next)) return false;
        if (search.Stopped()) break;
        if (!NextReductionCombination(current, highest, length, wanted, &search)) break;
    }
    if (search.Optimal && !store.ParseFound) DeleteLastTraceLine(store, search.Run);
    return true;
}

bool BottomUpBreadthFirst(TBottomUpSearch& search, const std::vector<std::string>& categories) {
    TParser& store = search.Store;
    const std::size_t length = categories.size();
    std::vector<uint16_t> highest(length);
    std::vector<uint16_t> current(length, 1);
    for (std::size_t i = 0; i < length; ++i)
        highest[i] = static_cast<uint16_t>(categories[i].size() / 2);
    bool result = true;
    TPattern pattern;
    std::vector<uint32_t> chosen;
    for (;;) {
        pattern.clear();
        chosen.clear();
        for (std::size_t i = 0; i < length; ++i) {
            chosen.push_back(CategoryRule(categories[i], current[i] - 1u));
            pattern.push_back(&store.Rules[chosen.back()].Line.Left);
        }
        const TPatternLineScope scope(search,
                                      search.Record(pattern, RefCategory, TStepKind::Categories,
                                                    chosen.data(), chosen.size()));
        result = ReduceBreadthFirst(search, pattern);
        if (search.Stopped()) break;
        if (!NextCategoryCombination(current, highest, length)) break;
    }
    return result;
}

bool BottomUpParse(TParser& store, uint8_t options, TParseRun& run) {
    if (!BeginSearch(store, run, UnitCycleScope::FromWords)) return false;

    bool result = true;
    std::vector<std::string> categories;
    if (!AssignCategories(store, options, categories, run.Messages(store))) return false;
    TBottomUpSearch search(store, options, run);
    RunDeepSearch(store, run, [&] {
        if ((options & poDepthFirst) != 0)
            result = BottomUpDepthFirst(search, categories);
        else
            result = BottomUpBreadthFirst(search, categories);
    });
    if (search.Aborted) store.ParseFound = false;
    return store.ParseFound && result;
}

} // namespace gramarbor
