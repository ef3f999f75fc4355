// The settings every test of this folder starts from.
#pragma once

#include "parsing/parse_options.h"
#include "settings/environment.h"

namespace gramarbor::test {

// Every value away from its default, each within the range the sheets accept.
inline TEnvironment Changed() {
    TEnvironment env;
    env.SaveEnvironment = true;
    env.MaxTextLength = 99999;
    env.MainPage = 1;
    env.GrammarPage = 1;
    env.ResultPage = 2;
    env.InputHistory = {"the cat chases the dog", "the dog", "sch\xF6n"};
    env.HelpRect = {100, 80, 400, 300};
    env.ParseOptions = poTopDown | poDepthFirst | poTraceList | poCaseSensitive;
    env.SplitWmf = false;
    env.LinesAllowed = false;
    env.NodeSize = 6;
    env.NodeDist = 9;
    env.TreeList = {"(1) Sentence@[S [NP] [VP]]", "Empty@[]"};
    env.SplitScreen = true;
    env.ActiveTree = 1;
    env.PasteMode = 1;
    env.BinaryLayers = 3;
    env.TreeOptions = toBoldLines | toTriangles; // as the boxes say
    env.OptimalTree = false;
    env.PlaneTree = true;
    env.HDist = 16;
    env.VDist = 996;
    env.FrameBox = false;
    env.ArrowBox = false;
    env.FontName = "Courier New";
    env.NodeDefaults = {24, 2, 1, naCenter | naRound};
    env.IOFormat = {1, 1, 0, 1}; // labelled brackets
    return env;
}

} // namespace gramarbor::test
