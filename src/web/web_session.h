// What the web page works with: the parsing page's model, the trees sheet and the
// network, driven by requests that return JSON text. The page's binding
// (web_api.cpp) hands its calls to one session; nothing here needs a browser, so the
// session is tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/message_sink.h"
#include "parsesheet/parse_sheet.h"
#include "picture/text_measurer.h"
#include "rtn/rtn_workspace.h"
#include "tree/canvas_measurer.h"
#include "treesheet/tree_sheet.h"
#include "web/json_text.h"

namespace gramarbor {

// Shown when a text typed on the page holds a character the core's code page lacks.
inline const std::string MsgNotWindows1252 =
    "The text holds a character that Windows-1252 cannot represent.";

// The trees sheet's file choosers answer with a file in the session's scratch folder:
// the page hands over the bytes of files opened from disk and takes the bytes saved.
class TWebTreeHost final : public TTreeSheetHost {
public:
    std::string OpenName;
    std::string SaveName;
    std::string OpenFileName(const std::string&, const std::string&, const std::string&) override {
        return OpenName;
    }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override {
        return SaveName;
    }
};

// The lines of the trace list one answer carries.
inline constexpr std::size_t TracePageLines = 500;

// Turns a drawn picture into the text the page shows (SVG).
using TPictureText = std::function<std::string(const Picture&)>;

class TWebSession {
public:
    // scratchFolder holds the files the trees sheet reads and writes (the browser's
    // in-memory file system on the page); pictureText makes the pictures' text.
    TWebSession(TextMeasurer& measurer, std::string scratchFolder, TPictureText pictureText);
    TWebSession(const TWebSession&) = delete;
    TWebSession& operator=(const TWebSession&) = delete;

    // Parsing page: the option byte and its controls (a negative byte keeps the
    // options as they are, the defaults at first).
    std::string SetOptions(int options);
    // A click on one of the option controls by its name (ParseMethodRG, ParseDirRG,
    // TraceListRG with the item; TraceListCB, ParseTreeCB, CaseSensCB with 0 or 1).
    std::string OptionClick(std::string_view control, int value);
    // The in/out history: a text recorded, and the history given back (one entry a line).
    std::string RecordInput(std::string_view sentence);
    std::string SetHistory(std::string_view lines);

    // "Check CFG" and "Parse CFG" on the grammar text.
    std::string Check(std::string_view grammar);
    std::string Parse(std::string_view grammar, std::string_view sentence, int options);
    // The trace list of the last parse, a page of TracePageLines lines from line first
    // (counted from 0): the page never holds a whole trace, which can be hundreds of
    // megabytes.
    std::string TracePage(int64_t first);
    // Stepping through the parse trees: by delta, or to the typed number.
    std::string StepTree(int delta);
    std::string StepTreeTyped(std::string_view text);
    // "Save tree" of the parse tree shown: the tree file's bytes in Bytes.
    std::string SaveParseTree();

    // The network of the grammar as written ("Make RTN"), drawn.
    std::string Network(std::string_view grammar);

    // Trees page. format is the in/out format's four bytes (separation, parent
    // position, orientation, bracket type), as the In/out dialog sets them.
    std::string TextToTree(std::string_view text, const TBracketFormat& format, bool tidy);
    std::string TreeToText(const TBracketFormat& format);
    // Files: the bytes of a .TRE file or a metafile of the tree shown go to Bytes.
    std::string SaveTreeFile();
    std::string SaveTreeMetafile();
    // Whether a file of the user's of size bytes may be opened: files larger than a
    // treebank may be are refused before the page reads them.
    std::string CheckOpenSize(std::string_view name, int64_t size);
    // Opens a file of the user's (a tree file, or a treebank of labelled brackets).
    std::string OpenTreeFile(std::string_view name, std::string_view bytes);
    std::string StepTreebank(int delta);

    // The bytes of the last save.
    std::string Bytes;

private:
    // Starts a request: earlier messages are dropped.
    void Begin();
    // Ends the JSON of a request with its messages.
    std::string Finish(JsonText& json);
    bool ToCore(std::string_view utf8, std::string& text);
    void WriteControls(JsonText& json);
    void WriteParseTree(JsonText& json);
    void WriteTracePage(JsonText& json, int64_t first);
    void WriteTreePage(JsonText& json);
    void WritePicture(JsonText& json, const Picture& picture);
    bool ReadScratch(const std::string& name);
    // False, with the message, for a file too large to open.
    bool OpenSizeAllowed(std::string_view name, int64_t size);

    RecordingSink Sink;
    MeasuringCanvas Screen;
    std::string Scratch;
    TPictureText PictureText;
    TWebTreeHost Host;
    TParseSheet Sheet;
    TTreeSheet Trees;
    TRtnWorkspace Networks;
};

} // namespace gramarbor
