// The grammar object: the rule lists of the last check and the data the parsing
// engines share (tokens, trace list, parse trees).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/grammar_types.h"
#include "text/token.h"

namespace gramarbor {

inline const std::string MsgParserMemory =
    "Not enough memory for parser to proceed. Please close this application!";

class TParser {
public:
    explicit TParser(MessageSink& sink) : Sink(&sink) {}

    // Where the grammar check and the parsing engines report.
    MessageSink* Sink;

    TRuleList Rules;    // the internal CFG
    TRuleList ExtRules; // the rules as read, before expansion
    std::string Sep = "=";
    std::string CommentSyms;
    std::string TokenSyms;
    std::vector<std::string> Terminals; // index 0 empty, then the terminal texts
    std::vector<std::string> TraceLines;
    int32_t StartLine = 0;
    int32_t ErrorLine = 0;
    int32_t NameCounter = 0;
    std::vector<TTokLst> Tokens;
    bool ParseFound = false;
    std::vector<std::string> ParseTrees;

    // ParserBuilt: a check has filled the store. RulesAllocated: the rule records of the
    // last check exist. RulesRead: the last check read its rules without error, so
    // ExtRules holds them.
    bool ParserBuilt = false;
    bool RulesAllocated = false;
    bool RulesRead = false;

    int32_t GetErrorLine() const { return ErrorLine; }
    const std::vector<std::string>& GetTraceLines() const { return TraceLines; }
    const std::vector<std::string>& GetParseTrees() const { return ParseTrees; }

    // Parse run data: fields the parsing engines add for themselves go here.
};

// A deep copy of a rule list. On lack of memory reports MsgParserMemory to sink and
// gives none.
std::optional<TRuleList> CopyRules(const TRuleList& rules, MessageSink& sink);

// The rules of the last check as read, before expansion (brackets still present):
// a copy the caller owns, or none when the rules were not read or copying failed.
std::optional<TRuleList> CopyRulesUnexpanded(const TParser& parser);

void FreeRules(TRuleList& rules);
// Empties the token list (the flag of the original interface, "free the list too",
// means nothing for a list held by value).
void FreeTokens(std::vector<TTokLst>& tokens);
// Releases the rule lists (as the state flags say they exist), terminals, trace
// list, parse trees and tokens.
void FreeParser(TParser& parser);
// Frees the store when a check has built it, then clears RulesAllocated and RulesRead.
void ResetParser(TParser& parser);

} // namespace gramarbor
