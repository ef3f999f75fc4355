// The listing of the ambiguous spans and the lookup of the first tree of a reading.
#include "parsing/ambiguity_report.h"

#include <algorithm>
#include <new>
#include <utility>

#include "chart/chart_parser.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/parse_run.h"
#include "parsing/search_context.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

// The words as the sentence has them; keywords are stored in capitals when case does
// not count, and are shown in small letters then.
std::string Words(const TParser& store, int32_t from, int32_t to, bool caseSensitive) {
    std::string text = "\"";
    for (int32_t i = from; i < to; ++i) {
        if (i > from) text += ' ';
        const TTokLst& token = store.Tokens[i];
        const bool keyword = token.Code >= 1 && token.Code <= MaxKeywordCode;
        text += keyword && !caseSensitive ? LowerCaseGerman(token.Val.Text, false) : token.Val.Text;
    }
    return text + "\"";
}

std::string Readings(const BigUint& count) {
    return count.ToString() + (count == BigUint(1) ? " reading" : " readings");
}

std::string RuleText(const TGramLine& line) {
    std::string text = line.Left.Text + " =";
    for (const TElemNode& symbol : line.Right)
        text += " " + (line.Lexical ? "\"" + symbol.Text + "\"" : symbol.Text);
    return text;
}

} // namespace

// The chart of the sentence listed and what it found, for looking up readings.
struct TAmbiguityReport::TChartState {
    std::unique_ptr<TChartParser> Chart;
    std::vector<TChartParser::TAmbiguity> Found;
    // Per line: the span and the analysis it shows (-1 for other lines).
    std::vector<std::pair<int32_t, int32_t>> Refs;
};

TAmbiguityReport::TAmbiguityReport() : State(std::make_unique<TChartState>()) {
}

TAmbiguityReport::~TAmbiguityReport() = default;

std::size_t TAmbiguityReport::SpanCount() const {
    return State->Found.size();
}

void TAmbiguityReport::Clear() {
    Lines.clear();
    State->Chart.reset();
    State->Found.clear();
    State->Refs.clear();
}

TReadingLookup TAmbiguityReport::FirstTreeOf(std::size_t line, BigUint& number,
                                             const CancelToken* cancel) {
    if (line >= State->Refs.size() || State->Refs[line].second < 0 || !State->Chart)
        return TReadingLookup::NotInTrees;
    const auto [span, analysis] = State->Refs[line];
    try {
        switch (
            State->Chart->FirstTreeWith(State->Found[span].Analyses[analysis], number, cancel)) {
        case TChartParser::TReadingResult::Found:
            return TReadingLookup::Found;
        case TChartParser::TReadingResult::NotInTrees:
            return TReadingLookup::NotInTrees;
        case TChartParser::TReadingResult::Cancelled:
            return TReadingLookup::Cancelled;
        case TChartParser::TReadingResult::TooLarge:
            break;
        }
    } catch (const std::bad_alloc&) {
    }
    return TReadingLookup::TooLarge;
}

bool ReportAmbiguities(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                       TAmbiguityReport& report, const CancelToken* cancel, MessageSink* sink,
                       std::size_t maxSpans) {
    report.Clear();
    auto& state = *report.State;
    auto& lines = report.Lines;
    const bool caseSensitive = (options & poCaseSensitive) != 0;
    auto add = [&](TAmbiguityLineKind kind, std::string text, int32_t span, int32_t analysis) {
        lines.push_back({kind, std::move(text)});
        state.Refs.push_back({span, analysis});
    };
    TParseRun run;
    run.Sink = sink;
    bool ok = false;
    try {
        if (!BeginParseRun(store, sentence, options, run)) return false;
        // Looking at the chart leaves the verdict of the parse as it was.
        const bool parseFound = store.ParseFound;
        const bool ready = BeginSearch(store, run, UnitCycleScope::FromStart);
        store.ParseFound = parseFound;
        if (ready) {
            state.Chart = std::make_unique<TChartParser>(store.Rules, store.StartLine, store.Tokens,
                                                         caseSensitive);
            auto& found = state.Found;
            switch (state.Chart->FindAmbiguities(found, cancel)) {
            case TChartParser::TAmbiguityResult::Done:
                ok = true;
                break;
            case TChartParser::TAmbiguityResult::Cancelled:
                break;
            case TChartParser::TAmbiguityResult::TooLarge:
                run.Messages(store).Error(MsgAmbiguitiesTooLarge);
                break;
            }
            const std::size_t listed = std::min(found.size(), maxSpans);
            for (std::size_t s = 0; s < listed; ++s) {
                const auto& ambiguity = found[s];
                const auto span = static_cast<int32_t>(s);
                const TGramLine& first = store.Rules[ambiguity.Analyses.front().Rule].Line;
                add(TAmbiguityLineKind::Span,
                    Words(store, ambiguity.From, ambiguity.To, caseSensitive) + " (words " +
                        std::to_string(ambiguity.From + 1) + " to " + std::to_string(ambiguity.To) +
                        "): " + first.Left.Text + ", " + Readings(ambiguity.Readings) + " in " +
                        std::to_string(ambiguity.AnalysisCount) + " analyses",
                    span, -1);
                for (std::size_t a = 0; a < ambiguity.Analyses.size(); ++a) {
                    const auto& analysis = ambiguity.Analyses[a];
                    const TGramLine& line = store.Rules[analysis.Rule].Line;
                    std::string text = RuleText(line) + ": ";
                    for (std::size_t c = 0; c + 1 < analysis.Bounds.size(); ++c) {
                        if (c > 0) text += " + ";
                        text +=
                            Words(store, analysis.Bounds[c], analysis.Bounds[c + 1], caseSensitive);
                    }
                    add(TAmbiguityLineKind::Reading, text + ", " + Readings(analysis.Readings),
                        span, static_cast<int32_t>(a));
                }
                if (ambiguity.AnalysisCount > ambiguity.Analyses.size())
                    add(TAmbiguityLineKind::More,
                        "... and " +
                            std::to_string(ambiguity.AnalysisCount - ambiguity.Analyses.size()) +
                            " more analyses",
                        span, -1);
            }
            if (found.size() > listed)
                add(TAmbiguityLineKind::More,
                    "... and " + std::to_string(found.size() - listed) + " more ambiguous spans",
                    -1, -1);
        }
    } catch (const std::bad_alloc&) {
        run.Messages(store).Error(MsgParserMemory);
        ok = false;
    }
    run.Scanner.Done();
    if (!ok) report.Clear();
    return ok;
}

bool ListAmbiguities(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                     std::vector<std::string>& lines, const CancelToken* cancel) {
    lines.clear();
    TAmbiguityReport report;
    const bool ok = ReportAmbiguities(store, sentence, options, report, cancel);
    for (const TAmbiguityLine& line : report.Lines)
        lines.push_back((line.Kind == TAmbiguityLineKind::Span ? "" : "    ") + line.Text);
    return ok;
}

} // namespace gramarbor
