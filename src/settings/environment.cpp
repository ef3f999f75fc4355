// Reading and writing of the settings file Environment.Env.
#include "settings/environment.h"

#include <cctype>

#include "base/byte_writer.h"

namespace gramarbor {

namespace {

// Longest string of a list entry or a font name that is taken from the file.
constexpr std::size_t MaxStoredString = 1 << 16;
constexpr std::size_t MaxFontName = 255;
// More entries than this are taken as damage.
constexpr int32_t MaxStoredListEntries = 1 << 16;

bool ReadValue(ByteReader& reader, uint8_t& value) {
    return reader.ReadU8(value);
}
bool ReadValue(ByteReader& reader, bool& value) {
    return reader.ReadBool(value);
}
bool ReadValue(ByteReader& reader, int32_t& value) {
    return reader.ReadI32(value);
}

bool ValidParseOptions(uint8_t options) {
    const bool oneDirection = ((options & 0x01) != 0) != ((options & 0x02) != 0);
    const bool oneMethod = ((options & 0x04) != 0) != ((options & 0x08) != 0);
    return oneDirection && oneMethod;
}

bool InRange(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

} // namespace

std::vector<std::string> DefaultTreeList() {
    return {"Start node@[Start]", "Full binary tree@FullBin", "Left binary tree@LeftBin",
            "Right binary tree@RghtBin", "Clear tree@[]"};
}

TNodeAttr DefaultEnvNodeDefaults() {
    TNodeAttr attr;
    attr.FontSize = 16;
    attr.LineDist = 4;
    attr.FontStyle = 0;
    attr.Flags = naLeft | naAnnoBrackets;
    return attr;
}

TEnvironmentReader::TEnvironmentReader(std::string_view bytes) : Reader(bytes) {
    std::string tag;
    if (!Reader.ReadBytes(4, tag) || tag[0] != 'v') return;
    int version = 0;
    for (std::size_t i = 1; i < 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(tag[i]))) return;
        version = version * 10 + (tag[i] - '0');
    }
    uint8_t flag = 0;
    if (!Reader.ReadU8(flag)) return;
    Version = version;
    Saved = flag == 1;
}

template <typename T, typename Check>
void TEnvironmentReader::Field(T& target, T fallback, Check valid) {
    T value{};
    target = Saved && ReadValue(Reader, value) && valid(value) ? value : fallback;
}

bool TEnvironmentReader::ReadStringList(std::vector<std::string>& list) {
    int32_t count = 0;
    if (!Saved || !Reader.ReadCount(count, MaxStoredListEntries, 4)) return false;
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        std::string entry;
        if (!Reader.ReadString(entry, MaxStoredString)) return false;
        entries.push_back(std::move(entry));
    }
    list = std::move(entries);
    return true;
}

void TEnvironmentReader::ReadWindow(TEnvironment& env) {
    const TEnvironment defaults;
    env.SaveEnvironment = Saved;
    // Files before version 2 have no maximum length.
    if (Version >= 2)
        Field(env.MaxTextLength, defaults.MaxTextLength,
              [](int32_t v) { return InRange(v, 1, MaxMaxTextLength); });
    else
        env.MaxTextLength = defaults.MaxTextLength;
    Field(env.MainPage, defaults.MainPage, [](int32_t v) { return InRange(v, 0, 1); });
    Field(env.GrammarPage, defaults.GrammarPage, [](int32_t v) { return InRange(v, 0, 1); });
    Field(env.ResultPage, defaults.ResultPage, [](int32_t v) { return InRange(v, 0, 2); });
    std::vector<std::string> history;
    if (!ReadStringList(history)) history.clear();
    // Only texts the in/out history itself would record, at most its length.
    env.InputHistory.clear();
    for (std::string& entry : history)
        if (!entry.empty() && entry.size() <= 255 && env.InputHistory.size() < MaxStoredHistory)
            env.InputHistory.push_back(std::move(entry));
    // The rectangle is taken only as a whole.
    THelpRect rect;
    const bool whole = Saved && Reader.ReadI32(rect.Left) && Reader.ReadI32(rect.Top) &&
                       Reader.ReadI32(rect.Width) && Reader.ReadI32(rect.Height) &&
                       InRange(rect.Left, -MaxHelpCoordinate, MaxHelpCoordinate) &&
                       InRange(rect.Top, -MaxHelpCoordinate, MaxHelpCoordinate) &&
                       InRange(rect.Width, 0, MaxHelpCoordinate) &&
                       InRange(rect.Height, 0, MaxHelpCoordinate);
    env.HelpRect = whole ? rect : THelpRect{};
}

void TEnvironmentReader::ReadParsing(TEnvironment& env) {
    const TEnvironment defaults;
    Field(env.ParseOptions, defaults.ParseOptions, ValidParseOptions);
    Field(env.SplitWmf, defaults.SplitWmf, [](bool) { return true; });
    Field(env.LinesAllowed, defaults.LinesAllowed, [](bool) { return true; });
    Field(env.NodeSize, defaults.NodeSize, [](int32_t v) { return InRange(v, 0, 16); });
    Field(env.NodeDist, defaults.NodeDist, [](int32_t v) { return InRange(v, 0, 16); });
}

void TEnvironmentReader::ReadTreeList(TEnvironment& env) {
    if (!ReadStringList(env.TreeList)) env.TreeList = DefaultTreeList();
}

void TEnvironmentReader::ReadTreeWindows(TEnvironment& env) {
    const TEnvironment defaults;
    Field(env.SplitScreen, defaults.SplitScreen, [](bool) { return true; });
    Field(env.ActiveTree, defaults.ActiveTree, [](int32_t v) { return InRange(v, 0, 1); });
    Field(env.PasteMode, defaults.PasteMode, [](uint8_t v) { return v <= 1; });
    Field(env.BinaryLayers, defaults.BinaryLayers, [](int32_t v) { return InRange(v, 1, 9); });
}

void TEnvironmentReader::ReadTreeOptions(TEnvironment& env) {
    const TEnvironment defaults;
    const auto distance = [](int32_t v) { return InRange(v, 16, 996) && v % 4 == 0; };
    Field(env.TreeOptions, defaults.TreeOptions,
          [](uint8_t v) { return (v & ~toAllOptions) == 0; });
    Field(env.OptimalTree, defaults.OptimalTree, [](bool) { return true; });
    Field(env.PlaneTree, defaults.PlaneTree, [](bool) { return true; });
    Field(env.HDist, defaults.HDist, distance);
    Field(env.VDist, defaults.VDist, distance);
    Field(env.FrameBox, defaults.FrameBox, [](bool) { return true; });
    Field(env.TriangleBox, defaults.TriangleBox, [](bool) { return true; });
    Field(env.ArrowBox, defaults.ArrowBox, [](bool) { return true; });
}

void TEnvironmentReader::ReadFontAndFormat(TEnvironment& env) {
    const TEnvironment defaults;
    std::string font;
    env.FontName =
        Saved && Reader.ReadString(font, MaxFontName) && !font.empty() ? font : defaults.FontName;

    TNodeAttr attr;
    uint8_t filler = 0;
    const bool attrRead = Saved && Reader.ReadU16(attr.FontSize) && Reader.ReadU16(attr.LineDist) &&
                          Reader.ReadU8(attr.FontStyle) && Reader.ReadU16(attr.Flags) &&
                          Reader.ReadU8(filler);
    const uint8_t fontStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    const bool attrValid = attr.FontSize >= MinNodeFontSize && attr.FontSize <= MaxNodeFontSize &&
                           attr.LineDist <= 100 && (attr.FontStyle & ~fontStyles) == 0 &&
                           (attr.Flags & ~naAllFlags) == 0;
    env.NodeDefaults = attrRead && attrValid ? attr : defaults.NodeDefaults;

    // Files before version 1 end before the format: all zero.
    TIOFormatBytes format{};
    bool formatRead = Saved && Version >= 1;
    for (uint8_t& byte : format)
        formatRead = formatRead && Reader.ReadU8(byte);
    // Parent position 2 is labelled brackets.
    const bool formatValid = format[0] <= 1 && format[1] <= 2 && format[2] <= 1 && format[3] <= 3;
    env.IOFormat = formatRead && formatValid ? format : TIOFormatBytes{};
}

TEnvironment ReadEnvironment(std::string_view bytes) {
    TEnvironment env;
    TEnvironmentReader reader(bytes);
    reader.ReadWindow(env);
    reader.ReadParsing(env);
    reader.ReadTreeList(env);
    reader.ReadTreeWindows(env);
    reader.ReadTreeOptions(env);
    reader.ReadFontAndFormat(env);
    return env;
}

std::string WriteEnvironment(const TEnvironment& env) {
    ByteWriter out;
    out.WriteBytes(EnvVersionTag);
    out.WriteBool(env.SaveEnvironment);
    out.WriteI32(env.MaxTextLength);
    out.WriteI32(env.MainPage);
    out.WriteI32(env.GrammarPage);
    out.WriteI32(env.ResultPage);
    out.WriteI32(static_cast<int32_t>(env.InputHistory.size()));
    for (const std::string& entry : env.InputHistory)
        out.WriteString(entry);
    out.WriteI32(env.HelpRect.Left);
    out.WriteI32(env.HelpRect.Top);
    out.WriteI32(env.HelpRect.Width);
    out.WriteI32(env.HelpRect.Height);
    out.WriteU8(env.ParseOptions);
    out.WriteBool(env.SplitWmf);
    out.WriteBool(env.LinesAllowed);
    out.WriteI32(env.NodeSize);
    out.WriteI32(env.NodeDist);
    out.WriteI32(static_cast<int32_t>(env.TreeList.size()));
    for (const std::string& entry : env.TreeList)
        out.WriteString(entry);
    out.WriteBool(env.SplitScreen);
    out.WriteI32(env.ActiveTree);
    out.WriteU8(env.PasteMode);
    out.WriteI32(env.BinaryLayers);
    out.WriteU8(env.TreeOptions);
    out.WriteBool(env.OptimalTree);
    out.WriteBool(env.PlaneTree);
    out.WriteI32(env.HDist);
    out.WriteI32(env.VDist);
    out.WriteBool(env.FrameBox);
    out.WriteBool(env.TriangleBox);
    out.WriteBool(env.ArrowBox);
    out.WriteString(env.FontName);
    out.WriteU16(env.NodeDefaults.FontSize);
    out.WriteU16(env.NodeDefaults.LineDist);
    out.WriteU8(env.NodeDefaults.FontStyle);
    out.WriteU16(env.NodeDefaults.Flags);
    out.WriteU8(0);
    for (uint8_t byte : env.IOFormat)
        out.WriteU8(byte);
    return out.Take();
}

} // namespace gramarbor
