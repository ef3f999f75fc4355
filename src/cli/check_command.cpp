// gramarbor-cli check: checks a grammar file and prints its internal CFG.
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "grammar/cfg_file.h"
#include "parsesheet/parse_sheet.h"
#include "picture/text_measurer.h"

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
    ApproxTextMeasurer measurer; // nothing is drawn
    TParseSheet sheet(sink, measurer);
    if (!sheet.Check(lines)) {
        PrintFileMessages(path, lines.empty() ? 0 : sheet.ErrorSourceLine() + 1, sink);
        return ExitError;
    }
    for (const std::string& line : sheet.InternalListing())
        PrintLine(line);
    return ExitOk;
}

const CommandRegistration Registration({"check", "check a grammar file and print its internal CFG",
                                        RunCheck});

} // namespace
} // namespace gramarbor::cli
