// What the "Ambiguities" panel of the parse-tree page shows: the ambiguous spans of
// the sentence parsed last with their readings, or a note saying why there are none,
// and the first tree of the reading chosen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/big_uint.h"
#include "base/cancel_token.h"
#include "grammar/grammar_store.h"
#include "parsing/ambiguity_report.h"

namespace gramarbor {

inline const std::string NoteNoParseTree = "The sentence has no parse tree.";
inline const std::string NoteOneParseTree =
    "The sentence has one parse tree: nothing in it is ambiguous.";
// "3 ambiguous spans. Choose a reading to see the first tree with it."
std::string NoteSpansListed(std::size_t spans);
// "Tree 5 is the first tree with this reading."
std::string NoteFirstTree(const std::string& number);
inline const std::string NoteNotAReading = "Choose one of the readings below a span.";
inline const std::string NoteReadingNotFound = "No parse tree has this reading.";

// Spans listed at most; the rest are counted in one line.
inline constexpr std::size_t MaxListedSpans = 1000;

class TAmbiguityList {
public:
    // Nothing listed and nothing said (before a parse, after a cancelled one).
    void Clear();
    // After an accepted parse with trees in the store: lists where the trees of
    // sentence differ when there are several, or says that there are one or none.
    // False when the listing was cancelled (the list is then cleared).
    bool Fill(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
              const BigUint& trees, const CancelToken* cancel);
    // After a rejected parse.
    void SetNoTrees();

    const std::vector<TAmbiguityLine>& Lines() const { return Report.Lines; }
    const std::string& Note() const { return NoteText; }
    // The 0-based number of the first tree with the reading on line; false, with the
    // note saying why, when line holds no reading or the tree cannot be found.
    bool FirstTreeOf(std::size_t line, BigUint& number);

private:
    TAmbiguityReport Report;
    std::string NoteText;
};

} // namespace gramarbor
