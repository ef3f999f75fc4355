// The Qt application object that font metrics and image exports need.
#pragma once

namespace gramarbor {

// Creates a QGuiApplication when there is no Qt application yet. Without a display
// (no DISPLAY or WAYLAND_DISPLAY, and no platform chosen by QT_QPA_PLATFORM) it runs on
// the offscreen platform, so that the command-line tool can measure fonts and export
// pictures. The application lives until the program ends.
void EnsureGuiApplication();

} // namespace gramarbor
