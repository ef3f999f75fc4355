// The ambiguous spans of a sentence as lines of text, for the command line and the
// parsing page alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/cancel_token.h"
#include "grammar/grammar_store.h"

namespace gramarbor {

// Parses sentence with the chart and writes, for each span of words that the parse
// trees derive in more than one way, a line naming the words, the symbol and the
// number of readings, then one indented line per analysis (its rule, the words of each
// child and the readings it gives). No lines when the sentence has at most one tree.
// False, after a message to store.Sink, when the sentence cannot be tokenised, the
// grammar is refused, the sentence is too long to be examined, or memory runs out;
// false without a message when cancel was set.
bool ListAmbiguities(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                     std::vector<std::string>& lines, const CancelToken* cancel = nullptr);

} // namespace gramarbor
