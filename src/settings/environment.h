// The settings file Environment.Env: a toolkit-free record of every stored value with
// its default, read group by group as the main window is created and written whole.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "tree/tree.h"

namespace gramarbor {

inline constexpr char EnvFileName[] = "Environment.Env";
// The tag at the start of the file; its digits are the file version.
inline constexpr char EnvVersionTag[] = "v002";
inline constexpr int EnvFileVersion = 2;

// AppOptions bit: save the complete environment when exiting.
inline constexpr uint8_t aoSaveEnvironment = 0x01;

inline const std::string MsgCannotCreateEnvironment =
    "Couldn`t create environment-file. Maybe your disk is write-protected.";
inline const std::string MsgCannotWriteEnvironment =
    "Error while saving environment-file. Maybe your disk is full.";

// Limits of the stored values; a value outside them takes its default when read.
inline constexpr int32_t DefaultMaxTextLength = 255;
inline constexpr int32_t MaxMaxTextLength = 99999; // five digits in the options dialog
inline constexpr std::size_t MaxStoredHistory = 16;
inline constexpr int32_t MaxHelpCoordinate = 1 << 16;

// Left, top, width and height of the instructions window; all 0 when it was closed.
struct THelpRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const THelpRect&) const = default;
};

// The in/out text format: separation (1 comma), parent outside, vertical, bracket type
// 0..3, one byte each.
using TIOFormatBytes = std::array<uint8_t, 4>;

// The default tree list of the trees sheet.
std::vector<std::string> DefaultTreeList();
// FontSize 16, LineDist 4, no style, left aligned with annotation brackets.
TNodeAttr DefaultEnvNodeDefaults();

// Every value the file keeps, with the defaults of a start without stored settings.
struct TEnvironment {
    // Group 1: window.
    bool SaveEnvironment = false; // AppOptions: aoSaveEnvironment
    int32_t MaxTextLength = DefaultMaxTextLength;
    int32_t MainPage = 0;    // 0 Parsing, 1 Trees
    int32_t GrammarPage = 0; // 0 external, 1 internal
    int32_t ResultPage = 0;  // 0 RTNetwork, 1 trace list, 2 parse trees
    std::vector<std::string> InputHistory;
    THelpRect HelpRect;
    // Group 2: parsing and network display.
    uint8_t ParseOptions = 0x65;
    bool SplitWmf = true;
    bool LinesAllowed = true;
    int32_t NodeSize = 0;
    int32_t NodeDist = 0;
    // Group 3: tree list.
    std::vector<std::string> TreeList = DefaultTreeList();
    // Group 4: tree windows.
    bool SplitScreen = false;
    int32_t ActiveTree = 0; // 0 left, 1 right
    uint8_t PasteMode = 0;  // 0 Append, 1 Replace
    int32_t BinaryLayers = 5;
    // Group 5: tree options.
    uint8_t TreeOptions = toTidy; // new trees are laid out tidily
    bool OptimalTree = true;
    bool PlaneTree = false;
    int32_t HDist = 64;
    int32_t VDist = 64;
    bool FrameBox = true;
    bool TriangleBox = true;
    bool ArrowBox = true;
    // Group 6: font, node defaults, in/out format.
    std::string FontName = "Arial";
    TNodeAttr NodeDefaults = DefaultEnvNodeDefaults();
    TIOFormatBytes IOFormat{};

    bool operator==(const TEnvironment&) const = default;
};

// Reads a file's bytes in the order the main window restores them: the header at
// construction, then one group per call. While the save flag is 1 each group is read
// from the file; otherwise (and for every value that cannot be read or lies outside
// its range) the group's defaults are used. Reading never fails as a whole: after the
// first value that cannot be read, everything later takes its default.
class TEnvironmentReader {
public:
    explicit TEnvironmentReader(std::string_view bytes);

    // True when the tag has the form "v" and three digits.
    bool HasFile() const { return Version >= 0; }
    int FileVersion() const { return Version; }
    bool SaveFlag() const { return Saved; }

    void ReadWindow(TEnvironment& env);        // group 1, with AppOptions
    void ReadParsing(TEnvironment& env);       // group 2
    void ReadTreeList(TEnvironment& env);      // group 3
    void ReadTreeWindows(TEnvironment& env);   // group 4
    void ReadTreeOptions(TEnvironment& env);   // group 5
    void ReadFontAndFormat(TEnvironment& env); // group 6

private:
    template <typename T, typename Check>
    void Field(T& target, T fallback, Check valid);
    bool ReadStringList(std::vector<std::string>& list);

    ByteReader Reader;
    int Version = -1;
    bool Saved = false;
};

// All six groups in order.
TEnvironment ReadEnvironment(std::string_view bytes);
// The complete file of version 2; field 2 is env.SaveEnvironment.
std::string WriteEnvironment(const TEnvironment& env);

} // namespace gramarbor
