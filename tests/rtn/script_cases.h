// The cases of scenario scripts: every file of a folder under tests/data, each
// "case NAME" line starting a case that runs the lines after it ("#" lines and empty
// lines are skipped). Shared by the network sheet's and the parsing page's scripts.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace gramarbor::testing {

using Words = std::vector<std::string>;

struct ScriptCase {
    std::string Name, File;
    std::vector<std::pair<int, std::string>> Lines; // line number, text
    std::string Where(int line) const { return File + ":" + std::to_string(line) + ": "; }
};
inline void PrintTo(const ScriptCase& c, std::ostream* out) {
    *out << c.Name;
}

inline std::vector<ScriptCase> LoadScriptCases(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(GRAMARBOR_TEST_DATA) / folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<ScriptCase> cases;
    for (const auto& file : files) {
        std::ifstream in(file);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            if (++number, line.empty() || line[0] == '#') continue;
            if (line.rfind("case ", 0) == 0)
                cases.push_back({file.stem().string() + "_" + line.substr(5), file.string(), {}});
            else if (cases.empty()) // fails as an unknown command
                cases.push_back({"LineBeforeTheFirstCase", file.string(), {{number, "?"}}});
            else
                cases.back().Lines.emplace_back(number, line);
        }
    }
    return cases;
}

inline Words Split(const std::string& text, const std::string& separator) {
    Words parts;
    for (std::size_t from = 0, at = 0; at != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, (at = text.find(separator, from)) - from));
    return parts;
}

} // namespace gramarbor::testing
