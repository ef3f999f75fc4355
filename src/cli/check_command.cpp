// gramarbor-cli check: checks a grammar file and prints its internal CFG.
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "grammar/prepare_grammar.h"
#include "grammar/rule_listing.h"

namespace gramarbor::cli {
namespace {

void PrintCheckHelp() {
    Print("Usage: gramarbor-cli check GRAMMAR.CFG\n\n"
          "Checks a context-free grammar written in the external CFG notation and\n"
          "prints its internal CFG, one numbered rule per line, as the \"Internal CFG\"\n"
          "page shows it.\n\n"
          "A grammar error is reported on stderr as FILE:LINE: error: MESSAGE, LINE\n"
          "being the line of the offending rule in the file.\n\n");
    Print(ExitStatusHelp);
}

int RunCheck(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpFlag(args[0])) {
        PrintCheckHelp();
        return ExitOk;
    }
    if (args.size() != 1) return UsageError("check", "expects exactly one grammar file");
    const std::string& path = args[0];
    if (path.size() > 1 && path[0] == '-') return UsageError("check", "unknown option " + path);

    RecordingSink fileSink;
    std::vector<std::string> lines;
    if (!ReadCfgLines(path, lines, fileSink)) {
        PrintFileMessages(path, 0, fileSink);
        return ExitError;
    }
    RecordingSink sink;
    if (lines.empty()) {
        sink.Error(MsgDefineCfgFirst);
        PrintFileMessages(path, 0, sink);
        return ExitError;
    }

    TParser parser(sink);
    TGrammarLines ruleLines;
    if (!PrepareGrammar(parser, lines, true, &ruleLines)) {
        PrintFileMessages(path, ruleLines.SourceLineOf(parser.ErrorLine) + 1, sink);
        return ExitError;
    }
    for (const std::string& line : ShowInternal(parser))
        PrintLine(line);
    return ExitOk;
}

const CommandRegistration Registration({"check", "check a grammar file and print its internal CFG",
                                        RunCheck});

} // namespace
} // namespace gramarbor::cli
