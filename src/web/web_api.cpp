// The page's entry points into the core: C functions over one TWebSession, with text
// measured by the page's own fonts (a canvas's measureText). Each returns JSON text
// that stays valid until the next call.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <sys/stat.h>

#include "picture/canvas.h"
#include "picture/svg_writer.h"
#include "picture/text_measurer.h"
#include "text/cp1252.h"
#include "treesheet/tree_dialogs.h"
#include "web/json_text.h"
#include "web/web_session.h"

// Width in pixels of UTF-8 text in a CSS font, from a canvas of the page (an offscreen
// one inside a worker).
// clang-format off
EM_JS(int, gb_js_text_width, (const char* font, const char* text), {
    if (!Module.gbMeasureContext) {
        const canvas = typeof OffscreenCanvas != "undefined" ? new OffscreenCanvas(1, 1)
                                                              : document.createElement("canvas");
        Module.gbMeasureContext = canvas.getContext("2d");
    }
    const context = Module.gbMeasureContext;
    context.font = UTF8ToString(font);
    return Math.round(context.measureText(UTF8ToString(text)).width);
});
// clang-format on

namespace gramarbor {
namespace {

// Asked for the search's stack when the browser's own runs out.
const std::string MsgSearchTooDeep =
    "The search went deeper than the browser's stack allows: the sentence or the grammar is "
    "too large to be parsed here.";

class PageTextMeasurer final : public TextMeasurer {
public:
    int32_t TextWidth(const TFont& font, std::string_view text) override {
        const double em = FontEmSize(font.Height, ArialCellToEm);
        std::string css;
        if (font.Style & fsItalic) css += "italic ";
        if (font.Style & fsBold) css += "bold ";
        css += std::to_string(em) + "px \"" + Cp1252ToUtf8(font.Name) + "\", Arial, sans-serif";
        return gb_js_text_width(css.c_str(), Cp1252ToUtf8(text).c_str());
    }
};

TWebSession& Session() {
    // The in-memory file system starts with a mask that leaves saved files unreadable;
    // files the session saves are read back at once.
    static const bool masked = (::umask(022), true);
    (void)masked;
    static PageTextMeasurer measurer;
    static TWebSession session(
        measurer, "/tmp", [](const Picture& picture) { return WriteSvgText(picture, measurer); });
    return session;
}

std::string Result;

// Runs one request; memory running out on the way is reported as the core reports it.
template <typename Request>
const char* Answer(Request request) {
    try {
        Result = request(Session());
    } catch (const std::bad_alloc&) {
        Result.clear();
        JsonText json;
        json.BeginObject().Key("messages").BeginArray().BeginObject();
        json.Key("kind").Utf8String("error").Key("text").String(MsgOutOfMemory);
        json.EndObject().EndArray().EndObject();
        Result = json.Text();
    }
    return Result.c_str();
}

TBracketFormat Format(int separation, int parentPosition, int orientation, int bracketType) {
    TBracketFormat format;
    format.Separation = static_cast<uint8_t>(separation == 1 ? 1 : 0);
    format.ParentPosition =
        static_cast<uint8_t>(parentPosition >= 0 && parentPosition <= 2 ? parentPosition : 0);
    format.Orientation = static_cast<uint8_t>(orientation == 1 ? 1 : 0);
    format.BracketType =
        static_cast<uint8_t>(bracketType >= 0 && bracketType <= 3 ? bracketType : 0);
    return format;
}

} // namespace
} // namespace gramarbor

using gramarbor::Answer;
using gramarbor::TWebSession;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* gb_set_options(int options) {
    return Answer([&](TWebSession& s) { return s.SetOptions(options); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_option_click(const char* control, int value) {
    return Answer([&](TWebSession& s) { return s.OptionClick(control, value); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_record_input(const char* sentence) {
    return Answer([&](TWebSession& s) { return s.RecordInput(sentence); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_set_history(const char* lines) {
    return Answer([&](TWebSession& s) { return s.SetHistory(lines); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_check(const char* grammar) {
    return Answer([&](TWebSession& s) { return s.Check(grammar); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_parse(const char* grammar, const char* sentence, int options) {
    return Answer([&](TWebSession& s) { return s.Parse(grammar, sentence, options); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_trace_page(double first) {
    // JavaScript numbers: anything not a line number gives the first or the last page.
    const int64_t line = first >= 0 ? static_cast<int64_t>(std::min(first, 1e15)) : 0;
    return Answer([&](TWebSession& s) { return s.TracePage(line); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_step_tree(int delta) {
    return Answer([&](TWebSession& s) { return s.StepTree(delta); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_step_tree_typed(const char* text) {
    return Answer([&](TWebSession& s) { return s.StepTreeTyped(text); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_save_parse_tree() {
    return Answer([&](TWebSession& s) { return s.SaveParseTree(); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_network(const char* grammar) {
    return Answer([&](TWebSession& s) { return s.Network(grammar); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_text_to_tree(const char* text, int separation,
                                                 int parentPosition, int orientation,
                                                 int bracketType, int tidy) {
    return Answer([&](TWebSession& s) {
        return s.TextToTree(text,
                            gramarbor::Format(separation, parentPosition, orientation, bracketType),
                            tidy != 0);
    });
}
EMSCRIPTEN_KEEPALIVE const char* gb_tree_to_text(int separation, int parentPosition,
                                                 int orientation, int bracketType) {
    return Answer([&](TWebSession& s) {
        return s.TreeToText(
            gramarbor::Format(separation, parentPosition, orientation, bracketType));
    });
}
EMSCRIPTEN_KEEPALIVE const char* gb_save_tree_file() {
    return Answer([&](TWebSession& s) { return s.SaveTreeFile(); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_save_tree_metafile() {
    return Answer([&](TWebSession& s) { return s.SaveTreeMetafile(); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_check_open_size(const char* name, double size) {
    const int64_t bytes = size >= 0 ? static_cast<int64_t>(std::min(size, 1e15)) : -1;
    return Answer([&](TWebSession& s) { return s.CheckOpenSize(name, bytes); });
}
EMSCRIPTEN_KEEPALIVE const char* gb_open_tree_file(const char* name, const char* bytes, int size) {
    return Answer([&](TWebSession& s) {
        return s.OpenTreeFile(name, std::string_view(bytes, size > 0 ? size : 0));
    });
}
EMSCRIPTEN_KEEPALIVE const char* gb_step_treebank(int delta) {
    return Answer([&](TWebSession& s) { return s.StepTreebank(delta); });
}
// The bytes of the last save.
EMSCRIPTEN_KEEPALIVE const char* gb_bytes_data() {
    return gramarbor::Session().Bytes.data();
}
EMSCRIPTEN_KEEPALIVE int gb_bytes_size() {
    return static_cast<int>(gramarbor::Session().Bytes.size());
}
// The in/out format of a shortcut of the In/out dialog, as JSON.
EMSCRIPTEN_KEEPALIVE const char* gb_shortcut_format(int item) {
    const gramarbor::TBracketFormat format = gramarbor::ShortcutFormat(item);
    gramarbor::JsonText json;
    json.BeginObject();
    json.Key("separation").Number(format.Separation);
    json.Key("parentPosition").Number(format.ParentPosition);
    json.Key("orientation").Number(format.Orientation);
    json.Key("bracketType").Number(format.BracketType);
    json.EndObject();
    gramarbor::Result = json.Text();
    return gramarbor::Result.c_str();
}
// Messages the page shows itself: "cancelled" when the user stopped a parse (the
// search is then gone with its worker), "tooDeep" when a search ran out of stack,
// "memory" when it ran out of memory.
EMSCRIPTEN_KEEPALIVE const char* gb_message(const char* name) {
    const std::string which = name;
    gramarbor::Result =
        gramarbor::Cp1252ToUtf8(which == "cancelled" ? gramarbor::MsgParsingCancelled
                                : which == "tooDeep" ? gramarbor::MsgSearchTooDeep
                                                     : gramarbor::MsgOutOfMemory);
    return gramarbor::Result.c_str();
}

} // extern "C"
