// Working data of one parse run: the sentence's scanner, cancellation and the
// bounds that keep a long search from exhausting memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "base/cancel_token.h"
#include "grammar/grammar_store.h"
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

struct TParseRun {
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
    // The trace list overflowed in this run (the memory message is shown once); it
    // then stays empty for the rest of the run.
    bool TraceOverflowed = false;

    std::size_t MaxParseTrees = DefaultMaxParseTrees;
    // The sentence has more parse trees than MaxParseTrees.
    bool TreesTruncated = false;
    // The exact number of parse trees, when all trees were asked for.
    BigUint TreeCount;
};

// Sets up run.Scanner on the sentence lines with the store's token list and the
// case rule of options, and clears the run's flags. sentence must outlive the run's
// use. False (with the memory message) when the scanner cannot be set up.
bool BeginParseRun(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                   TParseRun& run);

// Empties store.Tokens and fills it anew from run.Scanner; true when the whole
// sentence was tokenised.
bool RebuildTokens(TParser& store, TParseRun& run);

} // namespace gramarbor
