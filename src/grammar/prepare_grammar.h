// From grammar text to a checked grammar object: the shared first step of "Check
// CFG", parsing and the conversion into a network.
#pragma once

#include <string>
#include <vector>

#include "grammar/grammar_store.h"

namespace gramarbor {

// The rule lines of a grammar text and where each stands in that text.
struct TGrammarLines {
    std::vector<std::string> GrammarLines; // trimmed, without empty and "//" lines
    std::vector<const void*> FuncCallList; // one empty reference per rule line
    std::vector<int> SourceLines;          // 0-based line in the text of each rule line

    // The 0-based line of the text to point at for a rule-line index such as
    // TParser::ErrorLine: that rule line's line in the text, or -1 when there is no
    // such rule line (a text without rules, or a valid grammar's -1).
    int SourceLineOf(int32_t ruleLine) const;
};

// Trims every line of the text and keeps those that are neither empty nor begin
// with "//".
TGrammarLines SelectRuleLines(const std::vector<std::string>& sourceLines);

// Selects the rule lines of the text (into lines when given), resets the parser when a
// previous check built it and runs CheckGrammar with "=" as separator and no comment
// symbols. True exactly when the grammar is valid; otherwise the message has gone to
// the parser's sink and ErrorLine indexes the rule lines (lines->SourceLineOf turns it
// into a line of the text).
bool PrepareGrammar(TParser& parser, const std::vector<std::string>& sourceLines, bool fullCheck,
                    TGrammarLines* lines = nullptr);

} // namespace gramarbor
