// The metafile readers of Linux desktops that the tests read our WMF files with:
// libwmf's wmf2svg and ImageMagick's convert. Before a test relies on their output it
// asks whether they can run here, so that a machine without them (or without libwmf's
// fonts or ImageMagick's WMF delegate) is told which Debian package to install.
#pragma once

#include <string>

namespace gramarbor::testing {

// Empty when both readers read a metafile with text cleanly; otherwise, for each
// missing part, the Debian package that supplies it and what gave it away. Checked
// once per test program.
const std::string& WmfReadersMissing();

// Converts the metafile at path with both readers (to path.svg and to path.ppm, a
// binary PPM at 96 dots an inch) and expects each to succeed without a word on stderr.
// Fails at once, naming the missing package, when the readers cannot run.
void ExpectReadableWmf(const std::string& path);

} // namespace gramarbor::testing
