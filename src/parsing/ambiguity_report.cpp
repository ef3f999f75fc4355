#include "parsing/ambiguity_report.h"

#include <new>

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

bool ListAmbiguities(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                     std::vector<std::string>& lines, const CancelToken* cancel) {
    lines.clear();
    const bool caseSensitive = (options & poCaseSensitive) != 0;
    TParseRun run;
    bool ok = false;
    try {
        if (!BeginParseRun(store, sentence, options, run)) return false;
        // Looking at the chart leaves the verdict of the parse as it was.
        const bool parseFound = store.ParseFound;
        const bool ready = BeginSearch(store, run, UnitCycleScope::FromStart);
        store.ParseFound = parseFound;
        if (ready) {
            TChartParser chart(store.Rules, store.StartLine, store.Tokens, caseSensitive);
            std::vector<TChartParser::TAmbiguity> found;
            switch (chart.FindAmbiguities(found, cancel)) {
            case TChartParser::TAmbiguityResult::Done:
                ok = true;
                break;
            case TChartParser::TAmbiguityResult::Cancelled:
                break;
            case TChartParser::TAmbiguityResult::TooLarge:
                run.Messages(store).Error(MsgAmbiguitiesTooLarge);
                break;
            }
            for (const auto& ambiguity : found) {
                const TGramLine& first = store.Rules[ambiguity.Analyses.front().Rule].Line;
                lines.push_back(Words(store, ambiguity.From, ambiguity.To, caseSensitive) +
                                " (words " + std::to_string(ambiguity.From + 1) + " to " +
                                std::to_string(ambiguity.To) + "): " + first.Left.Text + ", " +
                                Readings(ambiguity.Readings) + " in " +
                                std::to_string(ambiguity.AnalysisCount) + " analyses");
                for (const auto& analysis : ambiguity.Analyses) {
                    const TGramLine& line = store.Rules[analysis.Rule].Line;
                    std::string text = "    " + RuleText(line) + ": ";
                    for (std::size_t c = 0; c + 1 < analysis.Bounds.size(); ++c) {
                        if (c > 0) text += " + ";
                        text +=
                            Words(store, analysis.Bounds[c], analysis.Bounds[c + 1], caseSensitive);
                    }
                    lines.push_back(text + ", " + Readings(analysis.Readings));
                }
                if (ambiguity.AnalysisCount > ambiguity.Analyses.size())
                    lines.push_back(
                        "    ... and " +
                        std::to_string(ambiguity.AnalysisCount - ambiguity.Analyses.size()) +
                        " more analyses");
            }
        }
    } catch (const std::bad_alloc&) {
        lines.clear();
        store.Sink->Error(MsgParserMemory);
        ok = false;
    }
    run.Scanner.Done();
    return ok;
}

} // namespace gramarbor
