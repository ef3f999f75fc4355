// The mapping between the sheet models and the settings file.
#include "settings/sheet_settings.h"

#include <algorithm>

#include "parsesheet/parse_sheet.h"
#include "rtn/rtn_workspace.h"
#include "treesheet/tree_sheet.h"

namespace gramarbor {

void RestoreWindowSettings(const TEnvironment& env, TWindowSettings& window, TParseSheet& parsing) {
    window.SaveEnvironment = env.SaveEnvironment;
    window.MainPage = env.MainPage;
    window.GrammarPage = env.GrammarPage;
    window.ResultPage = env.ResultPage;
    window.HelpRect = env.HelpRect;
    parsing.MaxTextLength = env.MaxTextLength;
    parsing.History = env.InputHistory;
}

void RestoreParsingSettings(const TEnvironment& env, TParseSheet& parsing, TRtnWorkspace& network) {
    parsing.Options.SetOptions(env.ParseOptions);
    network.SetDisplayOptions(env.NodeSize, env.NodeDist, env.LinesAllowed, env.SplitWmf);
}

void RestoreTreeSettings(const TEnvironment& env, TTreeSheet& trees) {
    // The hot keys and the names follow from the tree list.
    trees.TreeList = env.TreeList;
    trees.RebuildTreeNames();
    trees.SplitScreen = env.SplitScreen;
    trees.SetActiveTree(env.ActiveTree);
    trees.PasteMode = env.PasteMode == 1 ? TPasteMode::Replace : TPasteMode::Append;
    trees.BinaryLayers = env.BinaryLayers;
    trees.TreeOptions = env.TreeOptions;
    const auto follow = [&trees](uint8_t bit, bool on) {
        trees.TreeOptions = on ? (trees.TreeOptions | bit) : (trees.TreeOptions & ~bit);
    };
    follow(toFrames, env.FrameBox);
    follow(toTriangles, env.TriangleBox);
    follow(toArrows, env.ArrowBox);
    trees.OptimalTree = env.OptimalTree;
    trees.PlaneTree = env.PlaneTree;
    trees.HDist = env.HDist;
    trees.VDist = env.VDist;
    trees.FontName = env.FontName;
    trees.NodeDefaults = env.NodeDefaults;
    trees.IOFormat = {env.IOFormat[0], env.IOFormat[1], env.IOFormat[2], env.IOFormat[3]};
    trees.ApplyIOFormat();
    trees.ClearHighlight();
}

TEnvironment CurrentEnvironment(const TEnvironment& stored, const TWindowSettings& window,
                                const TParseSheet& parsing, const TRtnWorkspace& network,
                                const TTreeSheet& trees) {
    TEnvironment env = stored;
    env.SaveEnvironment = window.SaveEnvironment;
    env.MaxTextLength = parsing.MaxTextLength;
    env.MainPage = window.MainPage == 1 ? 1 : 0;
    env.GrammarPage = window.GrammarPage == 1 ? 1 : 0;
    env.ResultPage = std::max(window.ResultPage, 0);
    env.InputHistory = parsing.History;
    env.HelpRect = window.HelpRect;
    env.ParseOptions = parsing.ParseOptions();
    env.SplitWmf = network.SplitWmf;
    env.LinesAllowed = network.LinesAllowed;
    env.NodeSize = network.Metrics.NodeSize;
    env.NodeDist = network.Metrics.NodeDist;
    env.TreeList = trees.TreeList;
    env.SplitScreen = trees.SplitScreen;
    env.ActiveTree = trees.ActiveTreeIndex;
    env.PasteMode = trees.PasteMode == TPasteMode::Replace ? 1 : 0;
    env.BinaryLayers = trees.BinaryLayers;
    env.TreeOptions = trees.TreeOptions;
    env.OptimalTree = trees.OptimalTree;
    env.PlaneTree = trees.PlaneTree;
    env.HDist = trees.HDist;
    env.VDist = trees.VDist;
    env.FrameBox = (trees.TreeOptions & toFrames) != 0;
    env.TriangleBox = (trees.TreeOptions & toTriangles) != 0;
    env.ArrowBox = (trees.TreeOptions & toArrows) != 0;
    env.FontName = trees.FontName;
    env.NodeDefaults = trees.NodeDefaults;
    env.IOFormat = {trees.IOFormat.Separation, trees.IOFormat.ParentPosition,
                    trees.IOFormat.Orientation, trees.IOFormat.BracketType};
    return env;
}

} // namespace gramarbor
