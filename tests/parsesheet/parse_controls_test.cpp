// The option byte of the parsing page and its controls, click by click, and the
// in/out history.
#include "parsesheet/parse_controls.h"

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "parsesheet/input_history.h"
#include "parsing/parse_options.h"

namespace gramarbor {
namespace {

TEST(ParseOptionState, ClicksKeepTheByteAndTheControlsInStep) {
    TParseOptionState state(DefaultParseOptions);
    EXPECT_FALSE(state.Controls().GroupsEnabled);
    const struct {
        std::function<void()> Click;
        uint8_t Options;
    } clicks[] = {
        // Switching the trace on takes over method, direction and kind shown.
        {[&] { state.TraceListCBClick(true); }, 0x75},
        {[&] { state.ParseMethodRGClick(0); }, 0x76},
        {[&] { state.ParseDirRGClick(0); },
         poTopDown | poDepthFirst | poTraceList | poOptimalTrace | poParseTrees},
        {[&] { state.TraceListRGClick(0); }, poTopDown | poDepthFirst | poTraceList | poParseTrees},
        {[&] { state.CaseSensCBClick(true); },
         poTopDown | poDepthFirst | poTraceList | poParseTrees | poCaseSensitive},
        {[&] { state.ParseTreeCBClick(false); },
         poTopDown | poDepthFirst | poTraceList | poCaseSensitive},
        {[&] { state.TraceListRGClick(1); },
         poTopDown | poDepthFirst | poTraceList | poOptimalTrace | poCaseSensitive},
        // Switching it off clears the kind and keeps method and direction.
        {[&] { state.TraceListCBClick(false); }, poTopDown | poDepthFirst | poCaseSensitive},
        // On again: the kind shown (optimal) comes back.
        {[&] { state.TraceListCBClick(true); },
         poTopDown | poDepthFirst | poTraceList | poOptimalTrace | poCaseSensitive},
    };
    int step = 0;
    for (const auto& click : clicks) {
        click.Click();
        EXPECT_EQ(state.Options(), click.Options) << "click " << step;
        // The controls show what a byte read from the settings would show, but for the
        // trace kind, which keeps its item while the trace list is off.
        TParseControls expected = TParseOptionState(click.Options).Controls();
        if (!expected.TraceList) expected.TraceKindItem = state.Controls().TraceKindItem;
        EXPECT_EQ(state.Controls(), expected) << "click " << step;
        ++step;
    }
}

TEST(ParseOptionState, ControlsFromAStoredByte) {
    const struct {
        uint8_t Options;
        TParseControls Shown;
    } cases[] = {
        {DefaultParseOptions, {1, 1, 1, false, true, false, false}},
        {poTopDown | poDepthFirst | poTraceList | poCaseSensitive,
         {0, 0, 0, true, false, true, true}},
        // Neither of a pair chosen: no item.
        {poTraceList, {-1, -1, 0, true, false, false, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TParseOptionState(c.Options).Controls(), c.Shown) << int(c.Options);
}

TEST(InputHistory, RecordsNewTextsFirstAndKeepsSixteen) {
    std::vector<std::string> history;
    const struct {
        std::string Text;
        int MaxLength;
        std::size_t Size; // afterwards
    } steps[] = {
        {"a", 255, 1},
        {"b", 255, 2},
        {"a", 255, 2}, // known texts are not listed twice
        {"", 255, 2},
        {std::string(256, 'x'), 99999, 2},
        {"too long for 3", 3, 2},
        {std::string(255, 'x'), 99999, 3},
    };
    for (const auto& step : steps) {
        RecordInputHistory(history, step.Text, step.MaxLength);
        EXPECT_EQ(history.size(), step.Size) << step.Text.size();
    }
    EXPECT_THAT(history, ::testing::ElementsAre(std::string(255, 'x'), "b", "a"));
    for (int i = 0; i < 20; ++i)
        RecordInputHistory(history, std::to_string(i), 255);
    ASSERT_EQ(history.size(), 16u);
    EXPECT_EQ(history.front(), "19");
    EXPECT_EQ(history.back(), "4");
}

} // namespace
} // namespace gramarbor
