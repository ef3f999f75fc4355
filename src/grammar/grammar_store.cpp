// Copying and releasing the rule lists and the data of the grammar object.
#include "grammar/grammar_store.h"

#include <new>

namespace gramarbor {

std::optional<TRuleList> CopyRules(const TRuleList& rules, MessageSink& sink) {
    try {
        return TRuleList(rules);
    } catch (const std::bad_alloc&) {
        sink.Error(MsgParserMemory);
        return std::nullopt;
    }
}

std::optional<TRuleList> CopyRulesUnexpanded(const TParser& parser) {
    if (!parser.RulesRead) return std::nullopt;
    return CopyRules(parser.ExtRules, *parser.Sink);
}

void FreeRules(TRuleList& rules) {
    TRuleList().swap(rules);
}

void FreeTokens(std::vector<TTokLst>& tokens) {
    std::vector<TTokLst>().swap(tokens);
}

void FreeParser(TParser& parser) {
    if (parser.RulesAllocated) FreeRules(parser.Rules);
    if (parser.RulesRead) FreeRules(parser.ExtRules);
    std::vector<std::string>().swap(parser.Terminals);
    std::vector<std::string>().swap(parser.TraceLines);
    std::vector<std::string>().swap(parser.ParseTrees);
    FreeTokens(parser.Tokens);
}

void ResetParser(TParser& parser) {
    if (parser.ParserBuilt) FreeParser(parser);
    parser.RulesAllocated = false;
    parser.RulesRead = false;
}

} // namespace gramarbor
