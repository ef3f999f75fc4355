// The mapping between what the sheets hold and the settings file: the stored values
// pushed into the sheet models at start, and the models' state gathered at exit.
#pragma once

#include <cstdint>

#include "settings/environment.h"

namespace gramarbor {

class TParseSheet;
class TRtnWorkspace;
class TTreeSheet;

// The values of the main window itself: the global save option, the pages in front
// and the place of the instructions window.
struct TWindowSettings {
    bool SaveEnvironment = false;
    int32_t MainPage = 0;    // 0 Parsing, 1 Trees
    int32_t GrammarPage = 0; // 0 external, 1 internal
    int32_t ResultPage = 0;  // 0 RTNetwork, 1 trace list, 2 parse trees
    // All 0 when the instructions window was closed.
    THelpRect HelpRect;
};

// Group 1: window values, in/out history and its text length.
void RestoreWindowSettings(const TEnvironment& env, TWindowSettings& window, TParseSheet& parsing);
// Group 2: parse options and the network's display options.
void RestoreParsingSettings(const TEnvironment& env, TParseSheet& parsing, TRtnWorkspace& network);
// Groups 3 to 6: tree list, tree windows, tree options, font, node defaults and the
// in/out format. Frames, triangles and arrows follow their check boxes' stored state.
void RestoreTreeSettings(const TEnvironment& env, TTreeSheet& trees);

// The settings as the window and the sheets hold them now; stored supplies any value
// none of them holds.
TEnvironment CurrentEnvironment(const TEnvironment& stored, const TWindowSettings& window,
                                const TParseSheet& parsing, const TRtnWorkspace& network,
                                const TTreeSheet& trees);

} // namespace gramarbor
