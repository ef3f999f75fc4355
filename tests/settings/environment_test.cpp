// The settings file: exact bytes, round trips, older versions and damaged files.
#include "settings/environment.h"

#include <gtest/gtest.h>

#include "base/byte_writer.h"

namespace gramarbor {
namespace {

// The file of a first start that saved with the option off.
std::string DefaultFileBytes(uint8_t saveFlag) {
    ByteWriter out;
    out.WriteBytes("v002");
    out.WriteU8(saveFlag);
    for (int32_t v : {255, 0, 0, 0, 0, 0, 0, 0, 0}) // length, pages, history, HelpRect
        out.WriteI32(v);
    out.WriteU8(0x65);
    out.WriteU8(1);
    out.WriteU8(1);
    out.WriteI32(0);
    out.WriteI32(0);
    out.WriteI32(5);
    for (const char* entry :
         {"Start node@[Start]", "Full binary tree@FullBin", "Left binary tree@LeftBin",
          "Right binary tree@RghtBin", "Clear tree@[]"})
        out.WriteString(entry);
    out.WriteU8(0);  // split screen
    out.WriteI32(0); // active tree
    out.WriteU8(0);  // paste mode
    out.WriteI32(5);
    out.WriteU8(toTidy); // tree options
    out.WriteU8(1);
    out.WriteU8(0);
    out.WriteI32(64);
    out.WriteI32(64);
    out.WriteU8(1);
    out.WriteU8(1);
    out.WriteU8(1);
    out.WriteString("Arial");
    out.WriteBytes(std::string("\x10\x00\x04\x00\x00\x41\x00\x00", 8));
    out.WriteBytes(std::string(4, '\0'));
    return out.Take();
}

// Every value away from its default.
TEnvironment ChangedEnvironment() {
    TEnvironment env;
    env.SaveEnvironment = true;
    env.MaxTextLength = 99999;
    env.MainPage = 1;
    env.GrammarPage = 1;
    env.ResultPage = 2;
    env.InputHistory = {"the man sees the dog", "a b c", "sch\xF6n"};
    env.HelpRect = {100, 80, 400, 300};
    env.ParseOptions = 0x02 | 0x08 | 0x10 | 0x80;
    env.SplitWmf = false;
    env.LinesAllowed = false;
    env.NodeSize = 7;
    env.NodeDist = 16;
    env.TreeList = {"(1) S@[S [NP] [VP]]", "File@\"x.tre\""};
    env.SplitScreen = true;
    env.ActiveTree = 1;
    env.PasteMode = 1;
    env.BinaryLayers = 9;
    env.TreeOptions = toPlane | toBoldLines;
    env.OptimalTree = false;
    env.PlaneTree = true;
    env.HDist = 16;
    env.VDist = 996;
    env.FrameBox = false;
    env.TriangleBox = false;
    env.ArrowBox = false;
    env.FontName = "Times New Roman";
    env.NodeDefaults = {96, 100, 0x0F, naCenter | naRound | naArrow};
    env.IOFormat = {1, 2, 1, 3}; // labelled brackets
    return env;
}

TEST(EnvironmentFile, DefaultsAreWrittenByteForByte) {
    EXPECT_EQ(WriteEnvironment(TEnvironment{}), DefaultFileBytes(0));
    TEnvironment saving;
    saving.SaveEnvironment = true;
    EXPECT_EQ(WriteEnvironment(saving), DefaultFileBytes(1));
}

TEST(EnvironmentFile, EverySettingSurvivesWriteAndRead) {
    const TEnvironment changed = ChangedEnvironment();
    EXPECT_EQ(ReadEnvironment(WriteEnvironment(changed)), changed);
    EXPECT_EQ(ReadEnvironment(WriteEnvironment(TEnvironment{})), TEnvironment{});
    // One field at a time, so that no two fields can stand in for each other.
    const TEnvironment base = [] {
        TEnvironment env;
        env.SaveEnvironment = true;
        return env;
    }();
    const auto roundTrip = [](const TEnvironment& env) {
        return ReadEnvironment(WriteEnvironment(env)) == env;
    };
    TEnvironment one = base;
    one.GrammarPage = 1;
    EXPECT_TRUE(roundTrip(one));
    one = base;
    one.NodeDist = 3;
    EXPECT_TRUE(roundTrip(one));
    one = base;
    one.TriangleBox = false;
    EXPECT_TRUE(roundTrip(one));
    one = base;
    one.IOFormat = {0, 0, 1, 0};
    EXPECT_TRUE(roundTrip(one));
    one = base;
    one.TreeList.clear();
    EXPECT_TRUE(roundTrip(one));
}

TEST(EnvironmentFile, SaveFlagOffGivesDefaultsWhateverTheFileHolds) {
    TEnvironment changed = ChangedEnvironment();
    changed.SaveEnvironment = false;
    EXPECT_EQ(ReadEnvironment(WriteEnvironment(changed)), TEnvironment{});
    // Only 1 counts as set.
    std::string bytes = WriteEnvironment(ChangedEnvironment());
    bytes[4] = 2;
    EXPECT_EQ(ReadEnvironment(bytes), TEnvironment{});
}

TEST(EnvironmentFile, MissingOrForeignFilesGiveDefaults) {
    for (const std::string& bytes :
         {std::string(), std::string("v00"), std::string("v002"), std::string("x002\x01", 5),
          std::string("v0a2\x01", 5), std::string("MZ\x90\x00\x03\x00", 6)}) {
        TEnvironmentReader reader(bytes);
        EXPECT_FALSE(reader.SaveFlag());
        TEnvironment env;
        env.MaxTextLength = 7;
        reader.ReadWindow(env);
        EXPECT_EQ(env.MaxTextLength, 255);
        EXPECT_EQ(ReadEnvironment(bytes), TEnvironment{});
    }
    TEnvironmentReader header(WriteEnvironment(ChangedEnvironment()));
    EXPECT_TRUE(header.HasFile());
    EXPECT_EQ(header.FileVersion(), 2);
    EXPECT_TRUE(header.SaveFlag());
}

TEST(EnvironmentFile, OlderVersionsLackTheirNewerFields) {
    const TEnvironment changed = ChangedEnvironment();
    const std::string v2 = WriteEnvironment(changed);
    // Version 1: no maximum length after the save flag.
    const std::string v1 = "v001" + v2.substr(4, 1) + v2.substr(9);
    TEnvironment expected = changed;
    expected.MaxTextLength = 255;
    EXPECT_EQ(ReadEnvironment(v1), expected);
    // Version 0: no in/out format at the end either.
    const std::string v0 = "v000" + v1.substr(4, v1.size() - 8);
    expected.IOFormat = {};
    EXPECT_EQ(ReadEnvironment(v0), expected);
    // A later version is read with the fields of version 2.
    EXPECT_EQ(ReadEnvironment("v003" + v2.substr(4)), changed);
}

TEST(EnvironmentFile, FileCutAnywhereKeepsWhatWasReadAndDefaultsTheRest) {
    const TEnvironment changed = ChangedEnvironment();
    const std::string bytes = WriteEnvironment(changed);
    const TEnvironment defaults;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        const TEnvironment env = ReadEnvironment(bytes.substr(0, length));
        // Every field is either what was stored or its default...
        EXPECT_TRUE(env.MaxTextLength == changed.MaxTextLength ||
                    env.MaxTextLength == defaults.MaxTextLength);
        EXPECT_TRUE(env.InputHistory == changed.InputHistory || env.InputHistory.empty());
        EXPECT_TRUE(env.HelpRect == changed.HelpRect || env.HelpRect == THelpRect{});
        EXPECT_TRUE(env.TreeList == changed.TreeList || env.TreeList == DefaultTreeList());
        EXPECT_TRUE(env.FontName == changed.FontName || env.FontName == "Arial");
        EXPECT_TRUE(env.NodeDefaults == changed.NodeDefaults ||
                    env.NodeDefaults == DefaultEnvNodeDefaults());
        EXPECT_TRUE(env.IOFormat == changed.IOFormat || env.IOFormat == TIOFormatBytes{});
        // ...and the last field is only there in the whole file.
        EXPECT_EQ(env.IOFormat, TIOFormatBytes{});
    }
    // Cut just before the in/out format: everything else is read.
    TEnvironment expected = changed;
    expected.IOFormat = {};
    EXPECT_EQ(ReadEnvironment(bytes.substr(0, bytes.size() - 1)), expected);
    // Cut inside the help rectangle: the history is kept, the rectangle is not.
    const std::size_t historyEnd = 4 + 1 + 4 * 5 + 4 + 20 + 4 + 5 + 4 + 5;
    const TEnvironment cut = ReadEnvironment(bytes.substr(0, historyEnd + 12));
    EXPECT_EQ(cut.InputHistory, changed.InputHistory);
    EXPECT_EQ(cut.HelpRect, THelpRect{});
    EXPECT_EQ(cut.ParseOptions, defaults.ParseOptions);
}

TEST(EnvironmentFile, DamagedLengthsAndCountsStopReadingSafely) {
    const std::string bytes = WriteEnvironment(ChangedEnvironment());
    const std::size_t historyCount = 4 + 1 + 4 * 4;
    std::string damaged = bytes;
    // A history count far beyond the file.
    damaged.replace(historyCount, 4, std::string("\xFF\xFF\xFF\x7F", 4));
    TEnvironment env = ReadEnvironment(damaged);
    EXPECT_EQ(env.MaxTextLength, 99999);
    EXPECT_EQ(env.ResultPage, 2);
    EXPECT_TRUE(env.InputHistory.empty());
    EXPECT_EQ(env.TreeList, DefaultTreeList());
    EXPECT_EQ(env.FontName, "Arial");
    // A negative count.
    damaged.replace(historyCount, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_TRUE(ReadEnvironment(damaged).InputHistory.empty());
    // A string length beyond the end of the file.
    damaged = bytes;
    damaged.replace(historyCount + 4, 4, std::string("\x00\x00\x00\x40", 4));
    env = ReadEnvironment(damaged);
    EXPECT_TRUE(env.InputHistory.empty());
    EXPECT_EQ(env.HelpRect, THelpRect{});
    EXPECT_EQ(env.NodeDefaults, DefaultEnvNodeDefaults());
}

TEST(EnvironmentFile, ValuesOutOfRangeTakeTheirDefaultsAlone) {
    TEnvironment odd = ChangedEnvironment();
    odd.MaxTextLength = 0;
    odd.MainPage = 2;
    odd.ResultPage = -1;
    odd.HelpRect = {0, 0, -5, 300};
    odd.ParseOptions = 0x03 | 0x04; // both directions
    odd.NodeSize = 17;
    odd.ActiveTree = 2;
    odd.PasteMode = 2;
    odd.BinaryLayers = 0;
    odd.TreeOptions = 0x80;
    odd.HDist = 15;
    odd.VDist = 66; // not a step of the up-down
    odd.FontName = "";
    odd.NodeDefaults.FontSize = 5;
    odd.IOFormat = {0, 3, 0, 0};
    const TEnvironment env = ReadEnvironment(WriteEnvironment(odd));
    const TEnvironment defaults;
    EXPECT_EQ(env.MaxTextLength, 255);
    EXPECT_EQ(env.MainPage, 0);
    EXPECT_EQ(env.GrammarPage, 1);
    EXPECT_EQ(env.ResultPage, 0);
    EXPECT_EQ(env.InputHistory, odd.InputHistory);
    EXPECT_EQ(env.HelpRect, THelpRect{});
    EXPECT_EQ(env.ParseOptions, defaults.ParseOptions);
    EXPECT_EQ(env.NodeSize, 0);
    EXPECT_EQ(env.NodeDist, 16);
    EXPECT_EQ(env.TreeList, odd.TreeList);
    EXPECT_EQ(env.ActiveTree, 0);
    EXPECT_EQ(env.PasteMode, 0);
    EXPECT_EQ(env.BinaryLayers, 5);
    EXPECT_EQ(env.TreeOptions, toTidy);
    EXPECT_EQ(env.HDist, 64);
    EXPECT_EQ(env.VDist, 64);
    EXPECT_FALSE(env.FrameBox);
    EXPECT_EQ(env.FontName, "Arial");
    EXPECT_EQ(env.NodeDefaults, DefaultEnvNodeDefaults());
    EXPECT_EQ(env.IOFormat, TIOFormatBytes{});
}

TEST(EnvironmentFile, HistoryKeepsOnlyTextsTheFieldWouldRecord) {
    TEnvironment env;
    env.SaveEnvironment = true;
    for (int i = 0; i < 20; ++i)
        env.InputHistory.push_back("sentence " + std::to_string(i));
    env.InputHistory.insert(env.InputHistory.begin() + 1, "");
    env.InputHistory.insert(env.InputHistory.begin() + 2, std::string(256, 'x'));
    env.TreeList = {"A@[A]"};
    env.FontName = "Courier New";
    const TEnvironment read = ReadEnvironment(WriteEnvironment(env));
    ASSERT_EQ(read.InputHistory.size(), 16u);
    EXPECT_EQ(read.InputHistory[0], "sentence 0");
    EXPECT_EQ(read.InputHistory[1], "sentence 1");
    EXPECT_EQ(read.InputHistory[15], "sentence 15");
    // The damaged history does not shift the fields after it.
    EXPECT_EQ(read.TreeList, env.TreeList);
    EXPECT_EQ(read.FontName, "Courier New");
}

} // namespace
} // namespace gramarbor
