// Grammars in NLTK's notation read into productions: "S -> NP VP | VP",
// "Det -> 'the' | 'a'", "#" comments, alternatives continued on lines that begin
// with "|" or after a closing backslash, "%start X", empty right sides. Feature
// structures and probabilities are read over and noted, not kept.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gramarbor {

// A remark tied to a line of the file (1-based; 0 when it concerns no single line).
struct TNltkNote {
    int Line = 0;
    std::string Text;
};

// Remarks about what a conversion could not carry over, at most MaxNotes of them;
// Dropped counts those beyond.
struct TNltkNotes {
    static constexpr std::size_t MaxNotes = 200;
    std::vector<TNltkNote> Kept;
    std::size_t Dropped = 0;

    void Add(int line, const std::string& text);
    bool Empty() const { return Kept.empty() && Dropped == 0; }
};

struct TNltkSymbol {
    bool Terminal = false; // a quoted word; otherwise a category name
    std::string Text;      // the word without its quotes, or the name as written
    bool operator==(const TNltkSymbol&) const = default;
};

// One alternative of one rule line.
struct TNltkProduction {
    std::string Left;
    std::vector<TNltkSymbol> Right; // empty for an empty alternative
    int Line = 0;                   // where the alternative was written
};

struct TNltkGrammar {
    std::vector<TNltkProduction> Productions;
    std::string Start; // "%start X", else the left side of the first rule
    int StartLine = 0;
};

// True when the first line that is neither empty nor a comment ("#", "//") nor a
// "%" directive has "->" before any "=": the file is in NLTK's notation, not in this
// program's.
bool LooksLikeNltkGrammar(const std::vector<std::string>& lines);

// Reads the lines (Windows-1252). Stops at the first malformed line with its number
// and the reason in error; what is read over goes to notes.
bool ReadNltkGrammar(const std::vector<std::string>& lines, TNltkGrammar& grammar,
                     TNltkNotes& notes, TNltkNote& error);

} // namespace gramarbor
