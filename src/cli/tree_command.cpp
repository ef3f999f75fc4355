// gramarbor-cli tree: reads a tree from bracket text, a tree file or a file of many
// trees and writes it as a picture, a tree file, bracket text or LaTeX.
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/file_io.h"
#include "cli/cli_support.h"
#include "picture/text_measurer.h"
#include "picture/wmf_writer.h"
#include "text/cp1252.h"
#include "text/text_utils.h"
#include "tree/canvas_measurer.h"
#include "tree/latex_export.h"
#include "tree/tree.h"
#include "tree/treebank.h"

#ifdef GRAMARBOR_WITH_QT
#include "qtcanvas/gui_session.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_text_measurer.h"
#endif

namespace gramarbor::cli {
namespace {

void PrintTreeHelp() {
    Print("Usage: gramarbor-cli tree [OPTIONS] [--] TEXT|- [-o OUT]\n"
          "       gramarbor-cli tree [OPTIONS] --in FILE.TRE [-o OUT]\n"
          "       gramarbor-cli tree [OPTIONS] --in FILE.MRG|FILE.TXT [--tree N] [-o OUT]\n\n"
          "Reads a tree from bracketed text (an argument, or '-' for standard input)\n"
          "or from a tree file, lays it out and writes it to OUT. The extension of OUT\n"
          "chooses the format: .wmf, .svg, .png, .pdf (the drawn tree), .tre (tree\n"
          "file), .txt (bracketed text) or .tex (a LaTeX document). Without -o the\n"
          "bracketed text is printed (or the LaTeX code, with --latex).\n"
          "After '--' the next argument is the text, even when it starts with '-'.\n\n"
          "A .mrg or .txt file given with --in holds trees in labelled brackets, as\n"
          "treebanks write them; --tree N picks the Nth (from 1). Without --tree, text\n"
          "output lists every tree, one per line.\n\n"
          "Bracket format (for reading and writing text):\n"
          "  --labelled                labelled brackets: words as leaves, as in\n"
          "                            (S (NP (DT the) (NN dog)) (VP barks)); the\n"
          "                            brackets are those of the text unless given\n"
          "  --separator blank|comma   separator between items (default blank)\n"
          "  --brackets PAIR           '[]' (default), '()', '{}' or '<>'\n"
          "  --parent-outside          parent name before its brackets: s(np,vp)\n"
          "  --vertical                write children after the first on new lines\n\n"
          "Output:\n"
          "  --latex forest|qtree      LaTeX code with the forest (default) or the\n"
          "                            tikz-qtree package, a document pdflatex compiles\n"
          "  --scale N                 pixels per unit of a .png picture, 1 to 4\n\n"
          "Tree options (added to those of a tree file):\n"
          "  --frames  --triangles  --arrows  --bold-lines\n"
          "                            (frames, triangles and arrows are marks of single\n"
          "                            nodes, which only tree files hold: on bracket\n"
          "                            text they do nothing, and a warning says so)\n"
          "  --plane[=ok|direct]       leaves on the lowest level, joined by chains\n"
          "                            (ok, the default) or by direct lines\n"
          "  --hdist N, --vdist N      horizontal and vertical node distances\n"
          "  --font NAME               default font of the node texts\n"
          "  --tidy, --no-tidy         tidy layout: boxes of any width keep the distance,\n"
          "                            parents stand over their first and last child\n"
          "                            (the default for bracket text; a tree file keeps\n"
          "                            its own choice unless one of these is given)\n"
          "  --keep-positions          draw a tree file's stored positions, no layout\n\n");
    Print(ExitStatusHelp);
}

struct TreeArgs {
    std::optional<std::string> Text; // bracket text (Windows-1252)
    bool FromStdin = false;
    std::string InFile;
    std::string OutFile;
    TConvOpts Format;
    uint8_t Options = 0;
    std::optional<uint8_t> Plane;
    std::optional<int32_t> HDist;
    std::optional<int32_t> VDist;
    std::string Font;
    bool KeepPositions = false;
    bool BracketsGiven = false;
    std::optional<TLatexStyle> Latex;
    std::optional<int> Scale;
    std::optional<std::size_t> TreeNumber; // from 1, of a file of many trees
    std::optional<bool> Tidy;
};

bool IsTreebankFile(const std::string& path) {
    const std::string ext = UpperCaseGerman(FileExtension(path));
    return ext == ".MRG" || ext == ".TXT";
}

std::optional<int32_t> DistanceArg(const std::string& text) {
    const auto value = ParseNumber(text);
    if (!value || *value < 0 || *value > 10000) return std::nullopt;
    return static_cast<int32_t>(*value);
}

// Parses the arguments; returns an exit code when the command is done already.
std::optional<int> ParseTreeArgs(const std::vector<std::string>& args, TreeArgs& parsed) {
    bool textNext = false; // after "--"
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool literal = textNext;
        textNext = false;
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (literal) {
            if (parsed.Text || parsed.FromStdin)
                return UsageError("tree", "more than one tree given");
            const auto text = ArgToCp1252(arg, "the tree text");
            if (!text) return ExitError;
            parsed.Text = *text;
        } else if (arg == "--") {
            if (i + 1 == args.size()) return UsageError("tree", "-- needs the tree text after it");
            textNext = true;
        } else if (IsHelpFlag(arg)) {
            PrintTreeHelp();
            return ExitOk;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(parsed.OutFile)) return UsageError("tree", arg + " needs a file name");
        } else if (arg == "--in") {
            if (!value(parsed.InFile)) return UsageError("tree", "--in needs a tree file");
        } else if (arg == "--separator") {
            if (!value(v) || (v != "blank" && v != "comma"))
                return UsageError("tree", "--separator takes blank or comma");
            parsed.Format.Separator = v == "comma" ? ',' : ' ';
        } else if (arg == "--brackets") {
            if (!value(v) || (v != "[]" && v != "()" && v != "{}" && v != "<>"))
                return UsageError("tree", "--brackets takes [], (), {} or <>");
            parsed.Format.Brackets = v;
            parsed.BracketsGiven = true;
        } else if (arg == "--labelled") {
            parsed.Format.Labelled = true;
        } else if (arg == "--latex") {
            if (!value(v) || (v != "forest" && v != "qtree"))
                return UsageError("tree", "--latex takes forest or qtree");
            parsed.Latex = v == "forest" ? TLatexStyle::Forest : TLatexStyle::Qtree;
        } else if (arg == "--scale") {
            const auto scale = value(v) ? ParseNumber(v) : std::nullopt;
            if (!scale || *scale < 1 || *scale > 4)
                return UsageError("tree", "--scale takes 1, 2, 3 or 4");
            parsed.Scale = static_cast<int>(*scale);
        } else if (arg == "--tree") {
            const auto number = value(v) ? ParseNumber(v) : std::nullopt;
            if (!number || *number < 1 || *number > int64_t(MaxTreebankTrees))
                return UsageError("tree", "--tree takes a tree number from 1");
            parsed.TreeNumber = static_cast<std::size_t>(*number);
        } else if (arg == "--parent-outside") {
            parsed.Format.ParentOutside = true;
        } else if (arg == "--vertical") {
            parsed.Format.Vertical = true;
        } else if (arg == "--frames") {
            parsed.Options |= toFrames;
        } else if (arg == "--triangles") {
            parsed.Options |= toTriangles;
        } else if (arg == "--arrows") {
            parsed.Options |= toArrows;
        } else if (arg == "--bold-lines") {
            parsed.Options |= toBoldLines;
        } else if (arg == "--plane" || arg == "--plane=ok") {
            parsed.Plane = toPlane | toPlaneOK;
        } else if (arg == "--plane=direct") {
            parsed.Plane = toPlane;
        } else if (arg == "--hdist" || arg == "--vdist") {
            const auto distance = value(v) ? DistanceArg(v) : std::nullopt;
            if (!distance) return UsageError("tree", arg + " takes a number from 0 to 10000");
            (arg == "--hdist" ? parsed.HDist : parsed.VDist) = distance;
        } else if (arg == "--font") {
            if (!value(v) || v.empty()) return UsageError("tree", "--font needs a font name");
            const auto font = ArgToCp1252(v, "the font name");
            if (!font) return ExitError;
            parsed.Font = *font;
        } else if (arg == "--tidy" || arg == "--no-tidy") {
            parsed.Tidy = arg == "--tidy";
        } else if (arg == "--keep-positions") {
            parsed.KeepPositions = true;
        } else if (arg == "-") {
            if (parsed.Text || parsed.FromStdin)
                return UsageError("tree", "more than one tree given");
            parsed.FromStdin = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return UsageError("tree", "unknown option " + arg);
        } else {
            if (parsed.Text || parsed.FromStdin)
                return UsageError("tree", "more than one tree given");
            const auto text = ArgToCp1252(arg, "the tree text");
            if (!text) return ExitError;
            parsed.Text = *text;
        }
    }
    const int sources =
        (parsed.Text ? 1 : 0) + (parsed.FromStdin ? 1 : 0) + (parsed.InFile.empty() ? 0 : 1);
    if (sources != 1)
        return UsageError("tree", "give one tree: bracket text, '-' or --in FILE.TRE");
    const std::string ext = UpperCaseGerman(FileExtension(parsed.OutFile));
    if (parsed.Scale && ext != ".PNG")
        return UsageError("tree", "--scale applies to .png pictures only");
    if (parsed.Latex && !parsed.OutFile.empty() && ext != ".TEX")
        return UsageError("tree", "--latex writes LaTeX: print it, or give -o FILE.tex");
    if (parsed.TreeNumber && !IsTreebankFile(parsed.InFile))
        return UsageError("tree", "--tree picks a tree of a .mrg or .txt file given with --in");
    return std::nullopt;
}

// Standard input as text, read up to the size a tree file may have.
std::optional<std::string> ReadStdinText() {
    constexpr std::size_t MaxInputBytes = std::size_t(256) << 20;
    std::string bytes;
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, block, sizeof block);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            PrintError(std::string("error: cannot read standard input: ") + std::strerror(errno));
            return std::nullopt;
        }
        if (bytes.size() + static_cast<std::size_t>(got) > MaxInputBytes) {
            PrintError("error: standard input holds more than 256 MB");
            return std::nullopt;
        }
        bytes.append(block, static_cast<std::size_t>(got));
    }
    std::string text;
    int badLine = 0;
    if (!DecodeTextFile(bytes, text, &badLine)) {
        PrintError("error: standard input line " + std::to_string(badLine) +
                   " holds a character that Windows-1252 cannot represent");
        return std::nullopt;
    }
    return text;
}

// Prints text (UTF-8), or saves it to the output file.
int WriteText(const std::string& text, const TreeArgs& args) {
    if (args.OutFile.empty()) {
        Print(text);
        return ExitOk;
    }
    if (AtomicSave(args.OutFile, text) != FileError::None) {
        PrintError(args.OutFile + ": error: cannot write the file");
        return ExitError;
    }
    return ExitOk;
}

bool WritesLatex(const TreeArgs& args) {
    return args.Latex || UpperCaseGerman(FileExtension(args.OutFile)) == ".TEX";
}

int WriteOutput(TTree& tree, const TreeArgs& args) {
    const std::string ext = UpperCaseGerman(FileExtension(args.OutFile));
    if (WritesLatex(args)) {
        std::string latex;
        if (!TreeToLatex(tree, args.Latex.value_or(TLatexStyle::Forest), latex)) return ExitError;
        return WriteText(latex, args);
    }
    if (args.OutFile.empty() || ext == ".TXT") {
        std::string text;
        if (!tree.TreeToStr(text)) return ExitError;
        return WriteText(Cp1252ToUtf8(text) + (args.Format.Vertical ? "\r\n" : "\n"), args);
    }
    if (ext == ".TRE") return tree.SaveTree(args.OutFile, tree.GetRoot(), 1) ? ExitOk : ExitError;

    std::string error;
#ifdef GRAMARBOR_WITH_QT
    const auto format = PictureFormatFromPath(args.OutFile);
    if (!format) return UsageError("tree", "unknown output format " + FileExtension(args.OutFile));
    const bool saved =
        SavePicture(tree.GetMetafile(), args.OutFile, *format, &error, args.Scale.value_or(1));
#else
    if (ext != ".WMF") return UsageError("tree", "this build writes pictures only as .wmf");
    const bool saved = SavePictureAsWmf(tree.GetMetafile(), args.OutFile, &error);
#endif
    if (!saved) {
        PrintError(args.OutFile + ": error: " + error);
        return ExitError;
    }
    return ExitOk;
}

// Frames, triangles and arrows are marks of single nodes, which bracket text cannot
// give: the options would silently do nothing.
void WarnOfNodeMarks(uint8_t options, MessageSink& sink) {
    std::vector<std::string> named;
    for (const auto& [flag, name] :
         {std::pair{toFrames, "--frames"}, std::pair{toTriangles, "--triangles"},
          std::pair{toArrows, "--arrows"}})
        if ((options & flag) != 0) named.push_back(name);
    if (named.empty()) return;
    std::string list = named[0];
    for (std::size_t i = 1; i < named.size(); ++i)
        list += (i + 1 == named.size() ? " and " : ", ") + named[i];
    sink.Warning(list + (named.size() == 1 ? " does" : " do") +
                 " nothing here: nodes read from bracket text carry no frames, triangles or "
                 "arrows (the nodes of a tree file can)");
}

// A file of many trees as Windows-1252 text.
std::optional<std::string> ReadTreebankFile(const std::string& path) {
    std::string bytes;
    switch (ReadFileBytes(path, bytes, MaxTreebankBytes)) {
    case FileError::None:
        break;
    case FileError::TooLarge:
        PrintError(path + ": error: the file holds more than " +
                   std::to_string(MaxTreebankBytes >> 20) + " MB");
        return std::nullopt;
    default:
        PrintError(path + ": error: cannot read the file");
        return std::nullopt;
    }
    std::string text;
    int badLine = 0;
    if (!DecodeTextFile(bytes, text, &badLine)) {
        PrintError(path + ": error: line " + std::to_string(badLine) +
                   " holds a character that Windows-1252 cannot represent");
        return std::nullopt;
    }
    return text;
}

// Every tree of a file as text, one per line (or per block, when vertical).
int WriteEveryTree(TTree& tree, const std::vector<std::string>& trees,
                   const std::string& fileBrackets, const TreeArgs& args) {
    std::string all;
    const std::string written = args.BracketsGiven ? args.Format.Brackets : fileBrackets;
    for (const std::string& source : trees) {
        std::string text;
        tree.ConvOpts.Brackets = fileBrackets;
        if (!tree.StrToTree(source)) return ExitError;
        tree.ConvOpts.Brackets = written;
        if (!tree.TreeToStr(text)) return ExitError;
        all += Cp1252ToUtf8(text) + (args.Format.Vertical ? "\r\n" : "\n");
    }
    return WriteText(all, args);
}

int RunTree(const std::vector<std::string>& argList) {
    TreeArgs args;
    if (const auto done = ParseTreeArgs(argList, args)) return *done;
    if (!args.OutFile.empty()) {
        const std::string ext = UpperCaseGerman(FileExtension(args.OutFile));
        if (ext != ".WMF" && ext != ".SVG" && ext != ".PNG" && ext != ".PDF" && ext != ".TRE" &&
            ext != ".TXT" && ext != ".TEX")
            return UsageError(
                "tree", "the output file must end in .wmf, .svg, .png, .pdf, .tre, .txt or .tex");
    }

    TerminalSink sink;
    TTree tree(true, sink);
    const auto setFormat = [&](const std::string& brackets) {
        tree.SetConvOpts(brackets, args.Format.Separator, args.Format.ParentOutside,
                         args.Format.Vertical, args.Format.Labelled);
    };
    setFormat(args.Format.Brackets);
    const std::string ext = UpperCaseGerman(FileExtension(args.OutFile));
    const bool toText = (args.OutFile.empty() || ext == ".TXT") && !WritesLatex(args);
    if (IsTreebankFile(args.InFile)) {
        std::string text;
        if (const auto read = ReadTreebankFile(args.InFile); read)
            text = *read;
        else
            return ExitError;
        // Read with the file's brackets; --brackets chooses those written.
        args.Format.Labelled = true;
        const std::string fileBrackets = TreebankBrackets(text);
        setFormat(fileBrackets);
        std::vector<std::string> trees;
        if (!SplitTreebank(tree, text, trees)) return ExitError;
        if (!args.TreeNumber && toText) return WriteEveryTree(tree, trees, fileBrackets, args);
        if (!args.TreeNumber && trees.size() > 1) {
            PrintError(args.InFile + ": error: the file holds " + std::to_string(trees.size()) +
                       " trees; pick one with --tree N");
            return ExitError;
        }
        const std::size_t number = args.TreeNumber.value_or(1);
        if (number > trees.size()) {
            PrintError(args.InFile + ": error: the file holds only " +
                       std::to_string(trees.size()) + " trees");
            return ExitError;
        }
        if (!tree.StrToTree(trees[number - 1])) return ExitError;
        setFormat(args.BracketsGiven ? args.Format.Brackets : fileBrackets);
    } else if (!args.InFile.empty()) {
        if (!tree.LoadTree(args.InFile)) return ExitError;
    } else {
        std::string text;
        if (args.FromStdin) {
            const auto input = ReadStdinText();
            if (!input) return ExitError;
            text = *input;
        } else {
            text = *args.Text;
        }
        if (args.Format.Labelled && !args.BracketsGiven) setFormat(TreebankBrackets(text));
        if (!tree.StrToTree(text)) return ExitError;
        WarnOfNodeMarks(args.Options, sink);
    }
    // Text output names this case itself ("Can`t translate an empty tree ...").
    if (!tree.GetRoot() && !toText) {
        PrintError("error: the text gives no tree, so there is nothing to write to " +
                   args.OutFile);
        return ExitError;
    }

    int32_t hDist = 0, vDist = 0;
    std::string font;
    uint8_t options = 0;
    TNodeAttr defaults;
    tree.GetParams(hDist, vDist, font, options, defaults);
    options |= args.Options;
    if (args.Tidy.value_or(args.InFile.empty()))
        options |= toTidy;
    else if (args.Tidy)
        options &= ~toTidy;
    if (args.Plane)
        options = static_cast<uint8_t>((options & ~(toPlane | toPlaneOK)) | *args.Plane);
    tree.SetParams(args.HDist.value_or(hDist), args.VDist.value_or(vDist),
                   args.Font.empty() ? font : args.Font, options, defaults);

    if (toText || WritesLatex(args)) return WriteOutput(tree, args);

        // Lay the tree out and draw it with the widths the desktop program measures.
#ifdef GRAMARBOR_WITH_QT
    EnsureGuiApplication();
    QtTextMeasurer measurer;
#else
    ApproxTextMeasurer measurer;
#endif
    MeasuringCanvas screen(measurer);
    const bool layout = args.InFile.empty() || !args.KeepPositions;
    if (!tree.Display(screen, 4, 4, tree.GetRoot(), layout, false, tree.GetMetafile()))
        return ExitError;
    // A markup error leaves text out of the picture: no file is written for it.
    if (tree.ErrorCode != teNone) return ExitError;
    return WriteOutput(tree, args);
}

const CommandRegistration
    Registration({"tree", "convert a tree between bracket text, tree files and pictures", RunTree});

} // namespace
} // namespace gramarbor::cli
