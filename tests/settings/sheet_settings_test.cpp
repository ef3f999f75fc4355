// The sheets' state through the settings file and back, without any toolkit.
#include "settings/sheet_settings.h"

#include <gtest/gtest.h>

#include "parsesheet/parse_sheet.h"
#include "rtn/rtn_workspace.h"
#include "settings_test_support.h"
#include "tree/canvas_measurer.h"
#include "treesheet/tree_sheet.h"

namespace gramarbor {
namespace {

using test::Changed;

// Fresh models of both sheets, as a new window has them.
struct Sheets {
    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    MeasuringCanvas Screen{Measurer};
    TTreeSheetHost Host;
    TWindowSettings Window;
    TParseSheet Parsing{Sink, Measurer};
    TRtnWorkspace Network{Sink, Measurer};
    TTreeSheet Trees{Sink, Screen, Host};

    // Restores env group by group, as the window does at start.
    void Restore(const TEnvironment& env) {
        RestoreWindowSettings(env, Window, Parsing);
        RestoreParsingSettings(env, Parsing, Network);
        RestoreTreeSettings(env, Trees);
    }
    TEnvironment Current(const TEnvironment& stored) const {
        return CurrentEnvironment(stored, Window, Parsing, Network, Trees);
    }
};

TEST(SheetSettings, EveryValueComesBackThroughTheFile) {
    for (const TEnvironment& env : {TEnvironment{}, Changed()}) {
        Sheets first;
        first.Restore(env);
        const TEnvironment saved = first.Current(TEnvironment{});
        Sheets second;
        second.Restore(ReadEnvironment(WriteEnvironment(saved)));
        EXPECT_EQ(second.Current(TEnvironment{}), saved);
    }
    // What the models hold after a start with the changed settings.
    Sheets sheets;
    sheets.Restore(Changed());
    EXPECT_EQ(sheets.Current(TEnvironment{}), Changed());
    EXPECT_TRUE(sheets.Parsing.Options.Controls().CaseSensitive);
    EXPECT_EQ(sheets.Network.Metrics.NodeSize, 6);
    EXPECT_EQ(sheets.Trees.HotKeys[1], "[S [NP] [VP]]");
    EXPECT_EQ(sheets.Trees.ActiveTreeIndex, 1);
    EXPECT_EQ(sheets.Trees.Tree1.ConvOpts.Brackets, "()");
}

// The options follow the check boxes; values outside their ranges are mended.
TEST(SheetSettings, RestoringFollowsTheBoxesAndMendsValuesOutOfRange) {
    TEnvironment env;
    env.TreeOptions = toFrames | toBoldLines; // the boxes say otherwise
    env.FrameBox = false;
    env.TriangleBox = true;
    env.ArrowBox = false;
    env.NodeSize = 1000;
    env.MainPage = 7;
    env.ResultPage = -3;
    Sheets sheets;
    sheets.Restore(env);
    EXPECT_EQ(sheets.Trees.TreeOptions, toBoldLines | toTriangles);
    const TEnvironment current = sheets.Current(env);
    EXPECT_FALSE(current.FrameBox);
    EXPECT_TRUE(current.TriangleBox);
    EXPECT_EQ(current.NodeSize, MaxRtnOption);
    EXPECT_EQ(current.MainPage, 0);
    EXPECT_EQ(current.ResultPage, 0);
}

} // namespace
} // namespace gramarbor
