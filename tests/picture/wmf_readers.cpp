// Finds out once whether wmf2svg and ImageMagick can read metafiles, and runs them.
#include "picture/wmf_readers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "base/file_io.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "picture/wmf_writer.h"

namespace gramarbor::testing {

namespace {

namespace fs = std::filesystem;

bool HaveCommand(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Whether "convert -list format" has a line "WMF* WMF r-- Windows Meta File" (the
// format, its module, its modes) that can read.
bool HaveWmfDelegate() {
    std::string formats;
    if (FILE* pipe = ::popen("convert -list format 2>/dev/null", "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            formats.append(buffer, got);
        ::pclose(pipe);
    }
    std::istringstream lines(formats);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string format, module, modes;
        fields >> format >> module >> modes;
        if ((format == "WMF" || format == "WMF*") && modes.find('r') != std::string::npos)
            return true;
    }
    return false;
}

std::string FindMissing() {
    std::vector<std::string> missing;
    const bool wmf2svg = HaveCommand("wmf2svg"), convert = HaveCommand("convert");
    const bool delegate = convert && HaveWmfDelegate();
    if (!wmf2svg) missing.push_back("libwmf-bin (wmf2svg is not installed)");
    if (!convert) missing.push_back("imagemagick (convert is not installed)");
    if (convert && !delegate)
        missing.push_back("libmagickcore-6.q16-6-extra (\"convert -list format\" has no WMF, "
                          "ImageMagick's WMF delegate)");

    // A small metafile with a line and a text in Arial (which libwmf maps to one of
    // its Type 1 fonts), read by each reader there is.
    const fs::path folder =
        fs::path(::testing::TempDir()) / ("wmf_reader_probe_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string probe = (folder / "probe.wmf").string();
    ApproxTextMeasurer measurer;
    Picture picture;
    picture.Width = 120;
    picture.Height = 40;
    PictureRecorder canvas(picture, measurer);
    canvas.MoveTo(0, 30);
    canvas.LineTo(100, 30);
    canvas.State.Font = {"Arial", -16, 0, clBlack};
    canvas.TextOut(4, 4, "Probe");
    std::string other;
    bool fontsMissing = false;
    if (!SavePictureAsWmf(picture, probe))
        other = "the probe metafile could not be written in " + folder.string();
    const std::pair<bool, std::string> readers[] = {
        {wmf2svg, "wmf2svg -o " + probe + ".svg " + probe},
        {delegate, "convert " + probe + " " + probe + ".png"}};
    for (const auto& [present, command] : readers) {
        if (!present || !other.empty()) continue;
        const ReaderRun run = RunReader(command);
        if (run.Errors.find("font") != std::string::npos)
            fontsMissing = true;
        else if (run.Status != 0 || !run.Errors.empty())
            other = command.substr(0, command.find(' ')) +
                    " fails on a simple metafile: " + run.Errors.substr(0, run.Errors.find('\n'));
    }
    if (fontsMissing)
        missing.push_back("fonts-urw-base35 (libwmf finds no fonts for the texts of metafiles)");
    std::error_code ignored;
    fs::remove_all(folder, ignored);

    std::string text;
    for (std::size_t i = 0; i < missing.size(); ++i)
        text += (i ? "; " : "Missing Debian package(s), which scripts/setup installs: ") +
                missing[i] + (i + 1 == missing.size() ? "." : "");
    if (!other.empty()) text += (text.empty() ? "" : " ") + other;
    return text;
}

} // namespace

const std::string& WmfReadersMissing() {
    static const std::string missing = FindMissing();
    return missing;
}

ReaderRun RunReader(const std::string& command) {
    char errPath[] = "/tmp/gramarbor-reader-err-XXXXXX";
    const int fd = ::mkstemp(errPath);
    ReaderRun run;
    if (fd < 0) return run;
    ::close(fd);
    const int status = std::system((command + " 2>" + errPath).c_str());
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ReadFileBytes(errPath, run.Errors);
    ::unlink(errPath);
    return run;
}

void ExpectReadableWmf(const std::string& path) {
    ASSERT_EQ(WmfReadersMissing(), "");
    ASSERT_TRUE(fs::exists(path)) << path;
    for (const std::string& command : {"wmf2svg -o " + path + ".svg " + path,
                                       "convert -density 96 " + path + " " + path + ".png"}) {
        const ReaderRun run = RunReader(command);
        EXPECT_EQ(run.Status, 0) << command;
        EXPECT_EQ(run.Errors, "") << command;
    }
}

} // namespace gramarbor::testing
