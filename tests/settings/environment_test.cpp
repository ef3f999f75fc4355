// The settings file: exact bytes, round trips, older versions and damaged files.
#include "settings/environment.h"

#include <functional>

#include <gtest/gtest.h>

#include "common/golden_file.h"
#include "settings_test_support.h"

namespace gramarbor {
namespace {

using test::Changed;

// The file of a first start that saved with the option off, and with it on.
TEST(EnvironmentFile, DefaultsAreWrittenByteForByte) {
    std::string expected = WriteEnvironment(TEnvironment{});
    testing::ExpectGolden("settings/default.env", expected);
    TEnvironment saving;
    saving.SaveEnvironment = true;
    expected[4] = 1;
    EXPECT_EQ(WriteEnvironment(saving), expected);
}

TEST(EnvironmentFile, EverySettingSurvivesWriteAndRead) {
    EXPECT_EQ(ReadEnvironment(WriteEnvironment(Changed())), Changed());
    // One field at a time, so that no two fields can stand in for each other.
    const std::function<void(TEnvironment&)> changes[] = {
        [](TEnvironment& e) { e.GrammarPage = 1; }, [](TEnvironment& e) { e.NodeDist = 3; },
        [](TEnvironment& e) { e.TriangleBox = false; },
        [](TEnvironment& e) {
            e.IOFormat = {0, 0, 1, 0};
        },
        [](TEnvironment& e) { e.TreeList.clear(); }};
    for (const auto& change : changes) {
        TEnvironment one;
        one.SaveEnvironment = true;
        change(one);
        EXPECT_EQ(ReadEnvironment(WriteEnvironment(one)), one) << &change - changes;
    }
}

// Files saved with the option off, missing or foreign files give the defaults; older
// versions lack their newer fields; a later version is read as version 2.
TEST(EnvironmentFile, HeaderDecidesWhichFieldsAreRead) {
    const std::string v2 = WriteEnvironment(Changed());
    const std::string v1 = "v001" + v2.substr(4, 1) + v2.substr(9); // no maximum length
    TEnvironment off = Changed(), inV1 = Changed();
    off.SaveEnvironment = false;
    inV1.MaxTextLength = 255;
    TEnvironment inV0 = inV1;
    inV0.IOFormat = {}; // no in/out format at the end either
    const std::pair<std::string, TEnvironment> cases[] = {
        {WriteEnvironment(off), {}},
        {"v002\x02" + v2.substr(5), {}}, // only 1 counts as set
        {"", {}},
        {"v00", {}},
        {"v002", {}},
        {std::string("x002\x01", 5), {}},
        {std::string("v0a2\x01", 5), {}},
        {std::string("MZ\x90\x00\x03\x00", 6), {}},
        {v1, inV1},
        {"v000" + v1.substr(4, v1.size() - 8), inV0},
        {"v003" + v2.substr(4), Changed()}};
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(&bytes - &cases[0].first);
        EXPECT_EQ(ReadEnvironment(bytes), expected);
        // Read group by group into settings already held, as the window does.
        TEnvironmentReader reader(bytes);
        EXPECT_EQ(reader.SaveFlag(), expected.SaveEnvironment);
        TEnvironment env;
        env.MaxTextLength = 7;
        reader.ReadWindow(env);
        EXPECT_EQ(env.MaxTextLength, expected.MaxTextLength);
    }
    TEnvironmentReader header(v2);
    EXPECT_TRUE(header.HasFile());
    EXPECT_EQ(header.FileVersion(), 2);
}

TEST(EnvironmentFile, FileCutAnywhereKeepsWhatWasReadAndDefaultsTheRest) {
    const TEnvironment changed = Changed();
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
        // ...and the last field is only there in the whole file.
        EXPECT_EQ(env.IOFormat, TIOFormatBytes{});
    }
    // Cut just before the in/out format: everything else is read.
    TEnvironment expected = changed;
    expected.IOFormat = {};
    EXPECT_EQ(ReadEnvironment(bytes.substr(0, bytes.size() - 1)), expected);
    // Cut inside the help rectangle: the history is kept, the rectangle is not.
    const std::size_t historyEnd = 4 + 1 + 4 * 5 + (4 + 22) + (4 + 7) + (4 + 5);
    const TEnvironment cut = ReadEnvironment(bytes.substr(0, historyEnd + 12));
    EXPECT_EQ(cut.InputHistory, changed.InputHistory);
    EXPECT_EQ(cut.HelpRect, THelpRect{});
    EXPECT_EQ(cut.ParseOptions, defaults.ParseOptions);
}

// A history count far beyond the file, a negative one, a string length beyond the end:
// the values before it are kept, everything from the history on takes its default.
TEST(EnvironmentFile, DamagedLengthsAndCountsStopReadingSafely) {
    const std::string bytes = WriteEnvironment(Changed());
    const std::size_t historyCount = 4 + 1 + 4 * 4;
    TEnvironment expected;
    expected.SaveEnvironment = true;
    expected.MaxTextLength = 99999;
    expected.MainPage = expected.GrammarPage = 1;
    expected.ResultPage = 2;
    const std::pair<std::size_t, std::string> damages[] = {
        {historyCount, std::string("\xFF\xFF\xFF\x7F", 4)},
        {historyCount, std::string("\xFF\xFF\xFF\xFF", 4)},
        {historyCount + 4, std::string("\x00\x00\x00\x40", 4)}};
    for (const auto& [at, value] : damages) {
        std::string damaged = bytes;
        damaged.replace(at, 4, value);
        EXPECT_EQ(ReadEnvironment(damaged), expected) << &at - &damages[0].first;
    }
}

// Each value outside its range takes its default; every other value is kept.
TEST(EnvironmentFile, ValuesOutOfRangeTakeTheirDefaultsAlone) {
    TEnvironment odd = Changed(), expected = Changed();
    const auto outOfRange = [&](auto field, auto value) {
        odd.*field = value;
        expected.*field = TEnvironment{}.*field;
    };
    outOfRange(&TEnvironment::MaxTextLength, 0);
    outOfRange(&TEnvironment::MainPage, 2);
    outOfRange(&TEnvironment::ResultPage, -1);
    outOfRange(&TEnvironment::HelpRect, THelpRect{0, 0, -5, 300});
    outOfRange(&TEnvironment::ParseOptions, 0x03 | 0x04); // both directions
    outOfRange(&TEnvironment::NodeSize, 17);
    outOfRange(&TEnvironment::ActiveTree, 2);
    outOfRange(&TEnvironment::PasteMode, 2);
    outOfRange(&TEnvironment::BinaryLayers, 0);
    outOfRange(&TEnvironment::TreeOptions, 0x80);
    outOfRange(&TEnvironment::HDist, 15);
    outOfRange(&TEnvironment::VDist, 66); // not a step of the up-down
    outOfRange(&TEnvironment::FontName, "");
    outOfRange(&TEnvironment::NodeDefaults, TNodeAttr{5, 2, 1, naCenter | naRound});
    outOfRange(&TEnvironment::IOFormat, TIOFormatBytes{0, 3, 0, 0});
    EXPECT_EQ(ReadEnvironment(WriteEnvironment(odd)), expected);
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
    EXPECT_EQ(read.InputHistory[1], "sentence 1");
    EXPECT_EQ(read.InputHistory[15], "sentence 15");
    // The damaged history does not shift the fields after it.
    EXPECT_EQ(read.TreeList, env.TreeList);
    EXPECT_EQ(read.FontName, "Courier New");
}

} // namespace
} // namespace gramarbor
