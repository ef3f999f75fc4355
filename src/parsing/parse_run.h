// Working data of one parse run: the sentence's scanner, cancellation and the
// bounds that keep a long search from exhausting memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "base/cancel_token.h"
#include "base/message_sink.h"
#include "grammar/grammar_store.h"
#include "parsing/trace_steps.h"
#include "text/scanner.h"

namespace gramarbor {

// A sentential form: references to symbols of the internal CFG, never copies.
using TPattern = std::vector<const TElemNode*>;

// Past this many bytes the trace list is treated as unable to grow.
inline constexpr std::size_t DefaultMaxTraceBytes = std::size_t(256) << 20;
// Deepest recursion a search may reach; searches run on a large stack (see
// RunWithLargeStack), which holds this many frames with room to spare.
inline constexpr std::size_t MaxSearchDepth = 1000000;
// At most this many parse trees are kept (a short, highly ambiguous sentence can
// have billions); their exact number is counted all the same.
inline constexpr std::size_t DefaultMaxParseTrees = 32768;

// Receives the bracketed text (Windows-1252) of one parse tree; returns false to end
// the enumeration there.
using TParseTreeVisitor = std::function<bool(const std::string& text)>;

struct TParseRun {
    // Where the messages of this run go (on the caller's thread, see RunDeepSearch);
    // the store's own sink when not set. Not owned.
    MessageSink* Sink = nullptr;
    MessageSink& Messages(const TParser& store) const { return Sink ? *Sink : *store.Sink; }

    // Scans the sentence; set up by ParseSentence or BeginParseRun.
    TScanner Scanner;
    // Polled by every search step; when it is set the search stops and Cancelled
    // is raised. Not owned.
    CancelToken* Cancel = nullptr;
    // Set when a search of this run stopped because Cancel was set.
    bool Cancelled = false;
    // Set when the parse never ran (a message said why, for example a unit-rule
    // cycle): the sentence was neither accepted nor rejected.
    bool Refused = false;

    std::size_t MaxTraceBytes = DefaultMaxTraceBytes;
    std::size_t TraceBytes = 0;
    // The trace list reached MaxTraceBytes in this run: it keeps the lines it had, ends
    // with one line saying so (TraceCutShortLine) and takes no more lines.
    bool TraceOverflowed = false;
    // Whether reaching the limit is also reported with the memory message (once per
    // run), as the desktop program does; the command-line tool words its own warning.
    bool ReportTraceOverflow = true;
    // Whether each trace line's step is kept in TraceSteps (for rebuilding the
    // partial analysis at a line); the steps count towards MaxTraceBytes.
    bool KeepTraceSteps = false;
    TTraceSteps TraceSteps;

    std::size_t MaxParseTrees = DefaultMaxParseTrees;
    // The sentence has more parse trees than MaxParseTrees.
    bool TreesTruncated = false;
    // The exact number of parse trees, when all trees were asked for and CountTrees
    // is set. It is counted from the chart before the trees are enumerated.
    BigUint TreeCount;
    bool CountTrees = true;
    // When set, the parse trees are handed to it one at a time, in order, as they are
    // found, and store.ParseTrees stays empty: memory then stays bounded by the chart
    // however many trees there are. At most MaxParseTrees are handed over.
    TParseTreeVisitor OnParseTree;
    // The 0-based number of the first tree ChartEnumerateTreeTexts hands over: it is
    // found from the counts, and the trees before it are never built.
    BigUint FirstTree;
    // The number of parse trees kept or handed over in this run.
    std::size_t TreesFound = 0;
};

// Sets up run.Scanner on the sentence lines with the store's token list and the
// case rule of options, and clears the run's flags. sentence must outlive the run's
// use. False (with the memory message) when the scanner cannot be set up.
bool BeginParseRun(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                   TParseRun& run);

// Empties store.Tokens and fills it anew from run.Scanner; true when the whole
// sentence was tokenised.
bool RebuildTokens(TParser& store, TParseRun& run);

// The message for a sentence that RebuildTokens could not tokenise: the token-list
// text, then the character at which reading stopped and its position.
std::string TokenListMessage(const TParseRun& run);

} // namespace gramarbor
