// Finds out once whether wmf2svg and ImageMagick can read metafiles, and runs them.
#include "picture/wmf_readers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "base/file_io.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "picture/wmf_writer.h"

namespace gramarbor::testing {

namespace {

namespace fs = std::filesystem;

// Whether a shell command succeeds, its output thrown away.
bool Succeeds(const std::string& command) {
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

// What running a shell command gave: its exit status and what it wrote to stderr.
struct ReaderRun {
    int Status = -1;
    std::string Errors;
};

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

// The commands of wmf2svg and of ImageMagick that read the metafile at path.
std::pair<std::string, std::string> ReaderCommands(const std::string& path) {
    return {"wmf2svg -o " + path + ".svg " + path,
            "convert -density 96 " + path + " -depth 8 " + path + ".ppm"};
}

std::string FindMissing() {
    std::vector<std::string> missing;
    const bool wmf2svg = Succeeds("command -v wmf2svg"), convert = Succeeds("command -v convert");
    // A line "WMF* WMF r-- Windows Meta File" (the format, its module, its modes).
    const bool delegate =
        convert && Succeeds("convert -list format | grep -qE '^ *WMF\\*? +WMF +r'");
    if (!wmf2svg) missing.push_back("libwmf-bin (wmf2svg is not installed)");
    if (!convert) missing.push_back("imagemagick (convert is not installed)");
    if (convert && !delegate)
        missing.push_back("libmagickcore-6.q16-6-extra (\"convert -list format\" has no WMF, "
                          "ImageMagick's WMF delegate)");

    // A small metafile with a text in Arial (which libwmf maps to one of its Type 1
    // fonts), read by each reader there is.
    const fs::path folder =
        fs::path(::testing::TempDir()) / ("wmf_reader_probe_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string probe = (folder / "probe.wmf").string();
    ApproxTextMeasurer measurer;
    Picture picture;
    picture.Width = 120;
    picture.Height = 40;
    PictureRecorder(picture, measurer).TextOut(4, 4, "Probe");
    std::string other;
    bool fontsMissing = false;
    if (!SavePictureAsWmf(picture, probe))
        other = "the probe metafile could not be written in " + folder.string();
    const auto [toSvg, toPpm] = ReaderCommands(probe);
    for (const auto& [present, command] : {std::pair{wmf2svg, toSvg}, std::pair{delegate, toPpm}}) {
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

void ExpectReadableWmf(const std::string& path) {
    ASSERT_EQ(WmfReadersMissing(), "");
    ASSERT_TRUE(fs::exists(path)) << path;
    const auto [toSvg, toPpm] = ReaderCommands(path);
    for (const auto& [command, out] : {std::pair{toSvg, ".svg"}, std::pair{toPpm, ".ppm"}}) {
        const ReaderRun run = RunReader(command);
        EXPECT_EQ(run.Status, 0) << command;
        EXPECT_EQ(run.Errors, "") << command;
        EXPECT_TRUE(fs::exists(path + out) && fs::file_size(path + out) > 0) << command;
    }
}

} // namespace gramarbor::testing
