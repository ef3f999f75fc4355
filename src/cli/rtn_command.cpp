// gramarbor-cli rtn: converts a grammar file into a network and writes it as a
// network file or as a picture.
#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "cli/cli_support.h"
#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "grammar/prepare_grammar.h"
#include "picture/wmf_writer.h"
#include "rtn/rtn_workspace.h"
#include "text/text_utils.h"

#ifdef GRAMARBOR_WITH_QT
#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_text_measurer.h"
#endif

namespace gramarbor::cli {
namespace {

void PrintRtnHelp() {
    Print("Usage: gramarbor-cli rtn GRAMMAR.CFG -o OUT [--split] [--node-size N]\n"
          "                        [--node-dist N] [--arcs-only]\n\n"
          "Reads a context-free grammar without normalising it and converts every rule,\n"
          "brackets included, into a net of a recursive transition network, as \"Make RTN\"\n"
          "does. The extension of OUT chooses what is written:\n"
          "  .rtn   the network file with its display options\n"
          "  .wmf   the drawing as a Windows metafile\n"
          "  .svg, .png, .pdf   the drawing in that format\n\n"
          "Options:\n"
          "  -o OUT          the file to write\n"
          "  --split         split the drawing into three pictures of a third of the nets\n"
          "                  each, written as OUT_0, OUT_1 and OUT_2 with OUT's extension\n"
          "                  (only the pictures that receive nets are written)\n"
          "  --node-size N   node size 0..16 (default 0)\n"
          "  --node-dist N   node distance 0..16 (default 0)\n"
          "  --arcs-only     draw single conditions as arcs rather than straight lines\n\n"
          "Messages go to stderr, grammar errors as FILE:LINE: error: MESSAGE. A grammar\n"
          "that cannot be made into a network counts as input that could not be used.\n\n");
    Print(ExitStatusHelp);
}

struct RtnArgs {
    std::string Grammar;
    std::string Out;
    bool Split = false;
    int32_t NodeSize = 0;
    int32_t NodeDist = 0;
    bool ArcsOnly = false;
};

// Parses the arguments; returns an exit code when the command must stop.
std::optional<int> ParseArgs(const std::vector<std::string>& args, RtnArgs& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (IsHelpFlag(arg)) {
            PrintRtnHelp();
            return ExitOk;
        } else if (arg == "-o") {
            const auto out = value();
            if (!out) return UsageError("rtn", "-o needs a file name");
            parsed.Out = *out;
        } else if (arg == "--split") {
            parsed.Split = true;
        } else if (arg == "--arcs-only") {
            parsed.ArcsOnly = true;
        } else if (arg == "--node-size" || arg == "--node-dist") {
            const auto text = value();
            const auto number = text ? ParseNumber(*text) : std::nullopt;
            if (!number || *number < MinRtnOption || *number > MaxRtnOption)
                return UsageError("rtn", arg + " needs a number from 0 to 16");
            (arg == "--node-size" ? parsed.NodeSize : parsed.NodeDist) =
                static_cast<int32_t>(*number);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("rtn", "unknown option " + arg);
        } else if (parsed.Grammar.empty()) {
            parsed.Grammar = arg;
        } else {
            return UsageError("rtn", "expects exactly one grammar file");
        }
    }
    if (parsed.Grammar.empty()) return UsageError("rtn", "expects a grammar file");
    if (parsed.Out.empty()) return UsageError("rtn", "expects an output file (-o OUT)");
    return std::nullopt;
}

int RunRtn(const std::vector<std::string>& args) {
    RtnArgs parsed;
    if (const auto stop = ParseArgs(args, parsed)) return *stop;

    const std::string ext = LowerCaseGerman(FileExtension(parsed.Out), false);
    const bool toRtn = ext == ".rtn";
    if (!toRtn && ext != ".wmf" && ext != ".svg" && ext != ".png" && ext != ".pdf")
        return UsageError("rtn", "the output must end in .rtn, .wmf, .svg, .png or .pdf");
    if (toRtn && parsed.Split) return UsageError("rtn", "--split needs a picture output");

    PictureFileWriter writer = [](const Picture& picture, const std::string& path) {
        std::string error;
        if (SavePictureAsWmf(picture, path, &error)) return true;
        PrintError(path + ": error: " + error);
        return false;
    };
    ApproxTextMeasurer approx;
    TextMeasurer* measurer = &approx;
#ifdef GRAMARBOR_WITH_QT
    QtTextMeasurer qtMeasurer;
    if (!toRtn) {
        EnsureGuiApplication();
        measurer = &qtMeasurer;
        const auto format = PictureFormatFromPath(parsed.Out);
        writer = [format](const Picture& picture, const std::string& path) {
            std::string error;
            if (SavePicture(picture, path, *format, &error)) return true;
            PrintError(path + ": error: " + error);
            return false;
        };
    }
#else
    if (ext != ".rtn" && ext != ".wmf")
        return UsageError("rtn", "this build writes only .rtn and .wmf files");
#endif

    RecordingSink fileSink;
    std::vector<std::string> lines;
    if (!ReadCfgLines(parsed.Grammar, lines, fileSink)) {
        PrintFileMessages(parsed.Grammar, 0, fileSink);
        return ExitError;
    }
    RecordingSink sink;
    if (lines.empty()) {
        sink.Error(MsgDefineCfgFirst);
        PrintFileMessages(parsed.Grammar, 0, sink);
        return ExitError;
    }

    RecordingSink grammarSink;
    TParser parser(grammarSink);
    TGrammarLines ruleLines;
    const bool prepared = PrepareGrammar(parser, lines, false, &ruleLines);
    PrintFileMessages(parsed.Grammar, ruleLines.SourceLineOf(parser.ErrorLine) + 1, grammarSink);

    TRtnWorkspace workspace(sink, *measurer);
    workspace.SetDisplayOptions(parsed.NodeSize, parsed.NodeDist, !parsed.ArcsOnly, parsed.Split);
    const TMakeRtnResult made = workspace.MakeRTNClick(prepared, parser);
    PrintFileMessages(parsed.Grammar, 0, sink);
    if (made != TMakeRtnResult::Made) return ExitError;

    sink.Clear();
    const bool saved = toRtn ? workspace.SaveRTNButtonClick(parsed.Out)
                             : workspace.SaveMetaButtonClick(parsed.Out, writer);
    PrintFileMessages(parsed.Out, 0, sink);
    return saved ? ExitOk : ExitError;
}

const CommandRegistration
    Registration({"rtn", "convert a grammar file into a network file or network picture", RunRtn});

} // namespace
} // namespace gramarbor::cli
