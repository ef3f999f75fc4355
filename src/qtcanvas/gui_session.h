// The Qt application object that font metrics and image exports need.
#pragma once

namespace gramarbor {

// Creates a QGuiApplication when there is no Qt application yet, for programs that
// measure fonts and export pictures without showing a window (the command-line
// tool). It runs on the offscreen platform unless QT_QPA_PLATFORM names another, so
// it needs no display, and a display that cannot be reached does not abort the
// program. The application lives until the program ends.
void EnsureGuiApplication();

} // namespace gramarbor
