// gramarbor-cli: the complete output (status, stdout, stderr) of a table of command
// lines of every command stays byte for byte as recorded in tests/data/cli_golden,
// and so do the files the commands write. With GRAMARBOR_UPDATE_GOLDEN=1 in the
// environment the files are written anew.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "common/golden_file.h"
#include "picture/wmf_readers.h"
#include "run_cli.h"

namespace {

namespace fs = std::filesystem;

struct GoldenCase {
    std::string Name;
    std::vector<std::vector<std::string>> Commands; // separated by ";;" in the table
    friend void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.Name; }
};

std::vector<GoldenCase> ReadCases() {
    std::vector<GoldenCase> cases;
    std::istringstream lines(Slurp(TestDataPath("cli_golden/cases.txt")));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
        GoldenCase c{line.substr(0, colon), {{}}};
        std::istringstream words(line.substr(colon + 2));
        for (std::string word; words >> word;) {
            if (word == ";;") {
                c.Commands.emplace_back();
                continue;
            }
            // 'a b' is one argument with its blanks; '' is an empty one.
            for (std::string more;
                 word[0] == '\'' && (word.size() == 1 || word.back() != '\'') && words >> more;)
                word += " " + more;
            if (word[0] == '\'' && word.size() > 1 && word.back() == '\'')
                word = word.substr(1, word.size() - 2);
            c.Commands.back().push_back(word);
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

class CliGolden : public ::testing::TestWithParam<GoldenCase> {
protected:
    // The case's own folder for the files its commands write.
    const std::string Out = TempPath(GetParam().Name);

    // The folders the table names $OUT, $EX and $DATA: hidden behind their names, or
    // put in for them.
    std::string Places(std::string text, bool hide) const {
        const std::string places[][2] = {
            {Out, "$OUT"}, {GRAMARBOR_EXAMPLES, "$EX"}, {GRAMARBOR_TEST_DATA, "$DATA"}};
        for (const auto& place : places) {
            const std::string &from = place[hide ? 0 : 1], &to = place[hide ? 1 : 0];
            for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos;)
                text.replace(at, from.size(), to), at += to.size();
        }
        return text;
    }
    // Exit status, then stdout and stderr; before each command when there are several.
    std::string RecordCommands() const {
        std::string record;
        for (const std::vector<std::string>& words : GetParam().Commands) {
            std::vector<std::string> args;
            std::string shown = "$";
            for (const std::string& word : words)
                args.push_back(Places(word, false)), shown += " " + word;
            const CliResult r = RunCli(args);
            if (GetParam().Commands.size() > 1) record += shown + "\n";
            record += "exit " + std::to_string(r.ExitCode) + "\n--- stdout\n" +
                      Places(r.Out, true) + "--- stderr\n" + Places(r.Err, true);
        }
        return record;
    }
    // The files written, by name: texts whole, tree and network files by their header
    // (16 bytes), pictures by their signature (8 bytes; the rest depends on the fonts),
    // a file equal to an earlier one by that one's name. Metafiles must also read back.
    std::string RecordFiles() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(Out))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        std::string record;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string bytes = Slurp(files[i].string()), ext = files[i].extension().string();
            record += "--- file " + files[i].filename().string();
            const auto same = std::find_if(files.begin(), files.begin() + i, [&](const auto& f) {
                return Slurp(f.string()) == bytes;
            });
            if (same != files.begin() + i) {
                record += ": same bytes as " + same->filename().string() + "\n";
            } else if (ext == ".cfg" || ext == ".nltk" || ext == ".tex" || ext == ".txt") {
                record += "\n" + bytes;
            } else {
                record += ":";
                const bool picture = ext != ".tre" && ext != ".rtn" && ext != ".RTN";
                for (std::size_t b = 0; b < std::min<std::size_t>(picture ? 8 : 16, bytes.size());
                     ++b) {
                    const auto byte = static_cast<unsigned char>(bytes[b]);
                    record += {' ', "0123456789abcdef"[byte >> 4], "0123456789abcdef"[byte & 15]};
                }
                record += "\n";
            }
            if (ext == ".wmf" || ext == ".WMF")
                gramarbor::testing::ExpectReadableWmf(files[i].string());
        }
        return record;
    }
};

TEST_P(CliGolden, OutputIsByteIdentical) {
    fs::create_directories(Out);
    const std::string commands = RecordCommands(); // before the files they write
    gramarbor::testing::ExpectGolden("cli_golden/" + GetParam().Name + ".out",
                                     commands + RecordFiles());
}

INSTANTIATE_TEST_SUITE_P(Recorded, CliGolden, ::testing::ValuesIn(ReadCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return info.param.Name;
                         });

} // namespace
