// The grammar object: the rule lists of the last check and the data the parsing
// engines share (tokens, trace list, parse trees).
#pragma once

#include <cstdint>
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

    bool ParserBuilt = false;
    bool RulesAllocated = false;
    bool RulesRead = false;

    // Parse run data: fields the parsing engines add for themselves go here.
};

} // namespace gramarbor
