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

// The standard output of a command ("" when it cannot run).
std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, got);
        ::pclose(pipe);
    }
    return text;
}

bool Mentions(const std::string& text, const std::string& word) {
    return text.find(word) != std::string::npos;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// A small metafile with a line and a text in Arial (which libwmf maps to one of
// its Type 1 fonts).
std::string WriteProbe(const fs::path& folder) {
    static ApproxTextMeasurer measurer;
    Picture picture;
    picture.Width = 120;
    picture.Height = 40;
    PictureRecorder canvas(picture, measurer);
    canvas.MoveTo(0, 30);
    canvas.LineTo(100, 30);
    canvas.State.Font = {"Arial", -16, 0, clBlack};
    canvas.TextOut(4, 4, "Probe");
    const std::string path = (folder / "probe.wmf").string();
    return SavePictureAsWmf(picture, path) ? path : std::string();
}

std::string FindMissing() {
    std::vector<std::string> missing;
    const bool wmf2svg = HaveCommand("wmf2svg");
    const bool convert = HaveCommand("convert");
    if (!wmf2svg) missing.push_back("libwmf-bin (wmf2svg is not installed)");
    if (!convert) missing.push_back("imagemagick (convert is not installed)");
    bool delegate = false;
    if (convert) {
        // A line "WMF* WMF r-- Windows Meta File": the format, its module, its modes.
        std::istringstream formats(Output("convert -list format 2>/dev/null"));
        std::string line;
        while (std::getline(formats, line)) {
            std::istringstream fields(line);
            std::string format, module, modes;
            fields >> format >> module >> modes;
            delegate = delegate || ((format == "WMF" || format == "WMF*") && Mentions(modes, "r"));
        }
        if (!delegate)
            missing.push_back("libmagickcore-6.q16-6-extra (\"convert -list format\" has no WMF, "
                              "ImageMagick's WMF delegate)");
    }

    const fs::path folder =
        fs::path(::testing::TempDir()) / ("wmf_reader_probe_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string probe = WriteProbe(folder);
    bool fontsMissing = false;
    std::string other;
    if (probe.empty()) other = "the probe metafile could not be written in " + folder.string();
    if (!probe.empty() && wmf2svg) {
        const ReaderRun run = RunReader("wmf2svg -o " + probe + ".svg " + probe);
        if (Mentions(run.Errors, "font"))
            fontsMissing = true;
        else if (run.Status != 0 || !run.Errors.empty())
            other = "wmf2svg fails on a simple metafile: " + FirstLine(run.Errors);
    }
    if (!probe.empty() && convert && delegate) {
        const ReaderRun run = RunReader("convert " + probe + " " + probe + ".png");
        if (Mentions(run.Errors, "font"))
            fontsMissing = true;
        else if (run.Status != 0 || !run.Errors.empty())
            other = "convert fails on a simple metafile: " + FirstLine(run.Errors);
    }
    if (fontsMissing)
        missing.push_back("fonts-urw-base35 (libwmf finds no fonts for the texts of metafiles)");
    std::error_code ignored;
    fs::remove_all(folder, ignored);

    std::string text;
    if (!missing.empty()) {
        text = "Missing Debian package(s), which scripts/setup installs: ";
        for (std::size_t i = 0; i < missing.size(); ++i)
            text += (i ? "; " : "") + missing[i];
        text += ".";
    }
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
