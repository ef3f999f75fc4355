// The ambiguous spans of a sentence as lines of text, for the command line and the
// parsing page alike, and the first tree of each reading they list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "base/cancel_token.h"
#include "base/message_sink.h"
#include "grammar/grammar_store.h"

namespace gramarbor {

// One line of the listing: an ambiguous span, one of its analyses (a reading of the
// span), or how many of its analyses are not listed. Texts have no indentation.
enum class TAmbiguityLineKind { Span, Reading, More };
struct TAmbiguityLine {
    TAmbiguityLineKind Kind = TAmbiguityLineKind::Span;
    std::string Text;
};

enum class TReadingLookup { Found, NotInTrees, Cancelled, TooLarge };

class TAmbiguityReport {
public:
    TAmbiguityReport();
    ~TAmbiguityReport();
    TAmbiguityReport(const TAmbiguityReport&) = delete;
    TAmbiguityReport& operator=(const TAmbiguityReport&) = delete;

    std::vector<TAmbiguityLine> Lines;
    // The number of ambiguous spans, listed or not.
    std::size_t SpanCount() const;
    void Clear();
    // The 0-based number of the first parse tree, in the order the trees are numbered,
    // with the reading on line (a Reading line). It is found from the chart of the
    // sentence listed, which the report keeps, without going through the trees.
    TReadingLookup FirstTreeOf(std::size_t line, BigUint& number,
                               const CancelToken* cancel = nullptr);

private:
    friend bool ReportAmbiguities(TParser&, const std::vector<std::string>&, uint8_t,
                                  TAmbiguityReport&, const CancelToken*, MessageSink*, std::size_t);
    struct TChartState;
    std::unique_ptr<TChartState> State;
};

// Parses sentence with the chart and lists, for each span of words that the parse
// trees derive in more than one way, a line naming the words, the symbol and the number
// of readings, then one line per analysis (its rule, the words of each child and the
// readings it gives). No lines when the sentence has at most one tree; after maxSpans
// spans one line says how many more there are. False, after a message to sink (the
// store's when null), when the sentence cannot be tokenised, the grammar is refused, the
// sentence is too long to be examined, or memory runs out; false without a message when
// cancel was set.
bool ReportAmbiguities(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                       TAmbiguityReport& report, const CancelToken* cancel = nullptr,
                       MessageSink* sink = nullptr, std::size_t maxSpans = SIZE_MAX);

// The listing as the command line prints it: analyses indented by four blanks.
bool ListAmbiguities(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                     std::vector<std::string>& lines, const CancelToken* cancel = nullptr);

} // namespace gramarbor
