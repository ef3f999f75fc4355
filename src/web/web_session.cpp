// The web page's requests on the parsing page's model, the trees sheet and the network.
#include "web/web_session.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/file_io.h"
#include "grammar/grammar_messages.h"
#include "picture/wmf_writer.h"
#include "text/cp1252.h"
#include "tree/treebank.h"

namespace gramarbor {

namespace {

const char* VerdictName(TParseVerdict verdict) {
    switch (verdict) {
    case TParseVerdict::Accepted:
        return "accepted";
    case TParseVerdict::Rejected:
        return "rejected";
    case TParseVerdict::Cancelled:
        return "cancelled";
    case TParseVerdict::Refused:
        break;
    }
    return "refused";
}

const char* KindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return "error";
    case MessageKind::Warning:
        return "warning";
    case MessageKind::Information:
        break;
    }
    return "information";
}

// The grammar text's lines as the grammar field gives them: none for an empty text.
std::vector<std::string> GrammarLines(const std::string& text) {
    if (text.empty()) return {};
    return SplitTextLines(text);
}

} // namespace

TWebSession::TWebSession(TextMeasurer& measurer, std::string scratchFolder,
                         TPictureText pictureText)
    : Screen(measurer), Scratch(std::move(scratchFolder)), PictureText(std::move(pictureText)),
      Sheet(Sink, measurer), Trees(Sink, Screen, Host), Networks(Sink, measurer) {
}

void TWebSession::WritePicture(JsonText& json, const Picture& picture) {
    json.Key("svg").Utf8String(picture.Empty() ? std::string() : PictureText(picture));
    json.Key("width").Number(picture.Width);
    json.Key("height").Number(picture.Height);
}

void TWebSession::Begin() {
    Sink.Clear();
    Bytes.clear();
}

std::string TWebSession::Finish(JsonText& json) {
    json.Key("messages").BeginArray();
    for (const RecordingSink::Entry& entry : Sink.Entries()) {
        json.BeginObject();
        json.Key("kind").Utf8String(KindName(entry.Kind));
        json.Key("text").String(entry.Text);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

bool TWebSession::ToCore(std::string_view utf8, std::string& text) {
    if (Utf8ToCp1252(utf8, text)) return true;
    Sink.Error(MsgNotWindows1252);
    return false;
}

void TWebSession::WriteControls(JsonText& json) {
    const TParseControls& shown = Sheet.Options.Controls();
    json.Key("options").Number(Sheet.ParseOptions());
    json.Key("controls").BeginObject();
    json.Key("ParseMethodRG").Number(shown.MethodItem);
    json.Key("ParseDirRG").Number(shown.DirectionItem);
    json.Key("TraceListRG").Number(shown.TraceKindItem);
    json.Key("TraceListCB").Bool(shown.TraceList);
    json.Key("ParseTreeCB").Bool(shown.ParseTrees);
    json.Key("CaseSensCB").Bool(shown.CaseSensitive);
    json.Key("groupsEnabled").Bool(shown.GroupsEnabled);
    json.EndObject();
}

std::string TWebSession::SetOptions(int options) {
    Begin();
    if (options >= 0) Sheet.Options.SetOptions(static_cast<uint8_t>(options & 0xFF));
    JsonText json;
    json.BeginObject();
    WriteControls(json);
    return Finish(json);
}

std::string TWebSession::OptionClick(std::string_view control, int value) {
    Begin();
    TParseOptionState& state = Sheet.Options;
    if (control == "ParseMethodRG")
        state.ParseMethodRGClick(value);
    else if (control == "ParseDirRG")
        state.ParseDirRGClick(value);
    else if (control == "TraceListRG")
        state.TraceListRGClick(value);
    else if (control == "TraceListCB")
        state.TraceListCBClick(value != 0);
    else if (control == "ParseTreeCB")
        state.ParseTreeCBClick(value != 0);
    else if (control == "CaseSensCB")
        state.CaseSensCBClick(value != 0);
    JsonText json;
    json.BeginObject();
    WriteControls(json);
    return Finish(json);
}

std::string TWebSession::RecordInput(std::string_view sentence) {
    Begin();
    std::string text;
    if (Utf8ToCp1252(sentence, text)) Sheet.RecordInput(text);
    JsonText json;
    json.BeginObject();
    json.Key("history").Strings(Sheet.History);
    return Finish(json);
}

std::string TWebSession::SetHistory(std::string_view lines) {
    Begin();
    std::string text;
    Sheet.History.clear();
    if (Utf8ToCp1252(lines, text)) {
        // Oldest first, so that each lands in front of the ones before it.
        std::vector<std::string> entries = GrammarLines(text);
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
            Sheet.RecordInput(*entry);
    }
    JsonText json;
    json.BeginObject();
    json.Key("history").Strings(Sheet.History);
    return Finish(json);
}

std::string TWebSession::Check(std::string_view grammar) {
    Begin();
    JsonText json;
    json.BeginObject();
    std::string text;
    const bool read = ToCore(grammar, text);
    const std::vector<std::string> lines = GrammarLines(text);
    const bool ok = read && Sheet.Check(lines);
    json.Key("ok").Bool(ok);
    if (ok) json.Key("listing").Strings(Sheet.InternalListing());
    json.Key("errorLine").Number(!ok && read && !lines.empty() ? Sheet.ErrorSourceLine() : -1);
    return Finish(json);
}

std::string TWebSession::Parse(std::string_view grammar, std::string_view sentence, int options) {
    Begin();
    JsonText json;
    json.BeginObject();
    std::string text;
    std::string words;
    Sheet.Options.SetOptions(static_cast<uint8_t>(options & 0xFF));
    if (!ToCore(grammar, text) || !ToCore(sentence, words)) {
        json.Key("verdict").Utf8String("refused");
        return Finish(json);
    }
    const std::vector<std::string> lines = GrammarLines(text);
    const TParseStart start = Sheet.PrepareParse(lines, words);
    if (start != TParseStart::Ready) {
        json.Key("verdict").Utf8String("refused");
        json.Key("errorLine")
            .Number(start == TParseStart::GrammarError ? Sheet.ErrorSourceLine() : -1);
        return Finish(json);
    }
    Sheet.RecordInput(words);
    const TParseOutcome outcome = Sheet.RunParse(words);
    Sheet.ReportOutcome(outcome);
    json.Key("verdict").Utf8String(VerdictName(outcome.Verdict));
    json.Key("history").Strings(Sheet.History);
    if (Sheet.ShowsTrace(outcome)) {
        json.Key("listing").Strings(Sheet.InternalListing());
        json.Key("trace").BeginObject();
        WriteTracePage(json, 0);
        json.EndObject();
    }
    if (Sheet.ShowsTrees(outcome)) {
        json.Key("trees").BeginObject();
        WriteParseTree(json);
        json.EndObject();
    }
    return Finish(json);
}

void TWebSession::WriteTracePage(JsonText& json, int64_t first) {
    const std::vector<std::string>& lines = Sheet.Parser.TraceLines;
    // Pages start at multiples of TracePageLines; a line past the end gives the last page.
    std::size_t start = 0;
    if (first > 0 && !lines.empty())
        start = std::min(static_cast<std::size_t>(first), lines.size() - 1) / TracePageLines *
                TracePageLines;
    json.Key("count").Number(static_cast<int64_t>(lines.size()));
    json.Key("last").String(lines.empty() ? std::string() : lines.back());
    json.Key("first").Number(static_cast<int64_t>(start));
    json.Key("lines").Strings(lines, start, TracePageLines);
}

std::string TWebSession::TracePage(int64_t first) {
    Begin();
    JsonText json;
    json.BeginObject();
    WriteTracePage(json, first);
    return Finish(json);
}

void TWebSession::WriteParseTree(JsonText& json) {
    json.Key("count").String(Sheet.TreeCountText());
    json.Key("current").String(Sheet.CurrentTreeText());
    json.Key("atFirst").Bool(Sheet.AtFirstTree());
    json.Key("atLast").Bool(Sheet.AtLastTree());
    WritePicture(json, Sheet.ParseTree.GetMetafile());
}

std::string TWebSession::StepTree(int delta) {
    Begin();
    Sheet.StepBy(delta);
    JsonText json;
    json.BeginObject();
    WriteParseTree(json);
    return Finish(json);
}

std::string TWebSession::StepTreeTyped(std::string_view typed) {
    Begin();
    std::string text;
    if (ToCore(typed, text)) Sheet.StepToTyped(text);
    JsonText json;
    json.BeginObject();
    WriteParseTree(json);
    return Finish(json);
}

std::string TWebSession::SaveParseTree() {
    Begin();
    JsonText json;
    json.BeginObject();
    bool ok = Sheet.CanSaveParseTree();
    if (ok) ok = Sheet.ParseTree.SaveTreeBytes(Sheet.ParseTree.GetRoot(), 1, Bytes);
    if (!ok) Sheet.ParseTree.ResetError();
    json.Key("ok").Bool(ok);
    return Finish(json);
}

std::string TWebSession::Network(std::string_view grammar) {
    Begin();
    JsonText json;
    json.BeginObject();
    std::string text;
    bool ok = ToCore(grammar, text);
    if (ok) {
        const std::vector<std::string> lines = GrammarLines(text);
        if (lines.empty()) {
            Sink.Error(MsgDefineCfgFirst);
            ok = false;
        } else {
            const bool prepared = Sheet.ReadGrammar(lines);
            ok = Networks.MakeRTNClick(prepared, Sheet.Parser) == TMakeRtnResult::Made;
            if (!prepared) json.Key("errorLine").Number(Sheet.ErrorSourceLine());
        }
    }
    json.Key("ok").Bool(ok);
    if (ok) WritePicture(json, Networks.RtnPicture);
    return Finish(json);
}

void TWebSession::WriteTreePage(JsonText& json) {
    const TTree& tree = Trees.ActiveTree();
    json.Key("hasTree").Bool(tree.GetRoot() != nullptr);
    json.Key("treebank").String(Trees.TreebankPosition());
    WritePicture(json, Trees.ActiveTree().GetMetafile());
}

std::string TWebSession::TextToTree(std::string_view typed, const TBracketFormat& format,
                                    bool tidy) {
    Begin();
    Trees.IOFormat = format;
    Trees.ApplyIOFormat();
    Trees.TidyLayoutCBClick(tidy);
    std::string text;
    if (ToCore(typed, text)) Trees.TextToTree(text);
    JsonText json;
    json.BeginObject();
    WriteTreePage(json);
    return Finish(json);
}

std::string TWebSession::TreeToText(const TBracketFormat& format) {
    Begin();
    Trees.IOFormat = format;
    Trees.ApplyIOFormat();
    std::string text;
    const bool ok = Trees.TreeToText(text);
    JsonText json;
    json.BeginObject();
    json.Key("ok").Bool(ok);
    json.Key("text").String(ok ? text : std::string());
    return Finish(json);
}

bool TWebSession::ReadScratch(const std::string& name) {
    const bool read = ReadFileBytes(name, Bytes) == FileError::None;
    std::remove(name.c_str());
    if (!read) Bytes.clear();
    return read;
}

std::string TWebSession::SaveTreeFile() {
    Begin();
    Host.SaveName = Scratch + "/tree.tre";
    std::remove(Host.SaveName.c_str());
    Trees.SaveTreeBtnClick();
    const bool ok = ReadScratch(Host.SaveName);
    JsonText json;
    json.BeginObject();
    json.Key("ok").Bool(ok);
    return Finish(json);
}

std::string TWebSession::SaveTreeMetafile() {
    Begin();
    const bool ok = Trees.HasPicture(true);
    if (ok) Bytes = WriteWmfBytes(Trees.ActiveTree().GetMetafile());
    JsonText json;
    json.BeginObject();
    json.Key("ok").Bool(ok);
    return Finish(json);
}

bool TWebSession::OpenSizeAllowed(std::string_view name, int64_t size) {
    if (size >= 0 && static_cast<uint64_t>(size) <= MaxTreebankBytes) return true;
    std::string coreName;
    if (ToCore(name, coreName)) Sink.Error(TreebankTooLargeText(coreName));
    return false;
}

std::string TWebSession::CheckOpenSize(std::string_view name, int64_t size) {
    Begin();
    JsonText json;
    json.BeginObject();
    json.Key("ok").Bool(OpenSizeAllowed(name, size));
    return Finish(json);
}

std::string TWebSession::OpenTreeFile(std::string_view name, std::string_view bytes) {
    Begin();
    std::string coreName;
    JsonText json;
    json.BeginObject();
    // Only the file's own name is kept, so that it lands in the scratch folder.
    const std::size_t slash = name.find_last_of("/\\");
    if (OpenSizeAllowed(name, static_cast<int64_t>(bytes.size())) &&
        ToCore(name.substr(slash == std::string_view::npos ? 0 : slash + 1), coreName)) {
        Host.OpenName = Scratch + "/" + (coreName.empty() ? std::string("tree") : coreName);
        if (AtomicSave(Host.OpenName, bytes) == FileError::None) Trees.LoadTreeBtnClick();
        std::remove(Host.OpenName.c_str());
        Host.OpenName.clear();
    }
    WriteTreePage(json);
    return Finish(json);
}

std::string TWebSession::StepTreebank(int delta) {
    Begin();
    Trees.StepTreebank(delta);
    JsonText json;
    json.BeginObject();
    WriteTreePage(json);
    return Finish(json);
}

} // namespace gramarbor
