// Selecting the rule lines of a grammar text and checking them.
#include "grammar/prepare_grammar.h"

#include <new>

#include "grammar/grammar_check.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {
const std::string RuleSep = "=";
}

int TGrammarLines::SourceLineOf(int32_t ruleLine) const {
    if (ruleLine < 0 || static_cast<std::size_t>(ruleLine) >= SourceLines.size()) return -1;
    return SourceLines[static_cast<std::size_t>(ruleLine)];
}

TGrammarLines SelectRuleLines(const std::vector<std::string>& sourceLines) {
    TGrammarLines result;
    for (std::size_t i = 0; i < sourceLines.size(); ++i) {
        std::string line = TrimText(sourceLines[i]);
        if (line.empty() || line.compare(0, 2, "//") == 0) continue;
        result.GrammarLines.push_back(std::move(line));
        result.FuncCallList.push_back(nullptr);
        result.SourceLines.push_back(static_cast<int>(i));
    }
    return result;
}

bool PrepareGrammar(TParser& parser, const std::vector<std::string>& sourceLines, bool fullCheck,
                    TGrammarLines* lines) {
    TGrammarLines local;
    TGrammarLines& selected = lines ? *lines : local;
    try {
        selected = SelectRuleLines(sourceLines);
    } catch (const std::bad_alloc&) {
        selected = TGrammarLines();
        parser.ErrorLine = 0;
        parser.Sink->Error(MsgParserMemory);
        return false;
    }
    if (parser.ParserBuilt) ResetParser(parser);
    CheckGrammar(parser, RuleSep, std::string(), selected.GrammarLines, &selected.FuncCallList,
                 fullCheck);
    return parser.ErrorLine == -1;
}

} // namespace gramarbor
