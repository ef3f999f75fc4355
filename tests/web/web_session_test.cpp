// The web page's session: the JSON each request answers with, the messages it
// carries, and the files it hands over, on the same models the desktop program uses.
// Most cases are scripts (tests/data/web_session_scripts/): a request a line, as
// "NAME ARG | ARG" (with \n and \xHH in the arguments), followed by "has TEXT" and
// "lacks TEXT" lines on its answer, taken literally; "keep" keeps the bytes last saved
// for opening as SAVED.
#include "web/web_session.h"

#include "web/json_text.h"

#include "common/script_cases.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <unistd.h>

#include <gtest/gtest.h>

namespace gramarbor {
namespace {

// Pictures come back as a short text naming their size, which is all a test needs.
std::string PictureSize(const Picture& picture) {
    return "<picture " + std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + ">";
}

// The arguments of a request: split at " | ", with \n, \\ and \xHH decoded.
std::vector<std::string> Arguments(const std::string& text) {
    std::vector<std::string> args;
    for (std::size_t from = 0, bar = 0; bar != std::string::npos; from = bar + 3)
        args.push_back(testing::Unescape(text.substr(from, (bar = text.find(" | ", from)) - from)));
    return args;
}

TBracketFormat Format(const std::string& digits) {
    if (digits.size() != 4) throw std::invalid_argument("a format is four digits: " + digits);
    return {uint8_t(digits[0] - '0'), uint8_t(digits[1] - '0'), uint8_t(digits[2] - '0'),
            uint8_t(digits[3] - '0')};
}

// Each case saves into a scratch folder of its own.
class WebScript : public ::testing::TestWithParam<testing::ScriptCase> {
protected:
    void SetUp() override { std::filesystem::create_directories(Folder); }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    std::filesystem::path Folder =
        std::filesystem::temp_directory_path() /
        ("gramarbor_web_" + std::to_string(::getpid()) + "_" + GetParam().Name);
    ApproxTextMeasurer Measurer;
};

// Every character a message or a picture may hold stays a valid JSON string, and
// Windows-1252 text comes out as UTF-8.
TEST(JsonText, EscapesQuotesBackslashesAndControlCharacters) {
    JsonText json;
    json.BeginArray().Utf8String("a\"b\\c\nd\re\tf\x01").String("M\xFCller").EndArray();
    EXPECT_EQ(json.Text(), "[\"a\\\"b\\\\c\\nd\\re\\tf\\u0001\",\"M\xC3\xBCller\"]");
}

TEST_P(WebScript, Answers) {
    TWebSession session(Measurer, Folder.string(), PictureSize);
    std::string answer, grammar, saved; // saved: the bytes kept by "keep"
    using A = const std::vector<std::string>&;
    const auto n = [](const std::string& text) { return std::stoll(text, nullptr, 0); };
    const std::map<std::string, std::function<std::string(A)>> requests{
        {"grammar", [&](A a) { return grammar = a[0], std::string(); }},
        {"check", [&](A a) { return session.Check(a[0]); }},
        {"parse", [&](A a) { return session.Parse(grammar, a[0], int(n(a.at(1)))); }},
        {"steptree", [&](A a) { return session.StepTree(int(n(a[0]))); }},
        {"tracepage", [&](A a) { return session.TracePage(n(a[0])); }},
        {"typedtree", [&](A a) { return session.StepTreeTyped(a[0]); }},
        {"saveparsetree", [&](A) { return session.SaveParseTree(); }},
        {"network", [&](A a) { return session.Network(a[0]); }},
        {"options", [&](A a) { return session.SetOptions(int(n(a[0]))); }},
        {"optionclick", [&](A a) { return session.OptionClick(a[0], int(n(a.at(1)))); }},
        {"record", [&](A a) { return session.RecordInput(a[0]); }},
        {"history", [&](A a) { return session.SetHistory(a[0]); }},
        {"texttotree", [&](A a) { return session.TextToTree(a.at(1), Format(a[0]), true); }},
        {"treetotext", [&](A a) { return session.TreeToText(Format(a[0])); }},
        {"savetree", [&](A) { return session.SaveTreeFile(); }},
        {"savemetafile", [&](A) { return session.SaveTreeMetafile(); }},
        {"opensize", [&](A a) { return session.CheckOpenSize(a[0], n(a.at(1))); }},
        {"open",
         [&](A a) { return session.OpenTreeFile(a[0], a.at(1) == "SAVED" ? saved : a[1]); }},
        {"steptreebank", [&](A a) { return session.StepTreebank(int(n(a[0]))); }},
    };
    for (const testing::ScriptLine& line : GetParam().Lines) {
        SCOPED_TRACE(GetParam().File + ":" + std::to_string(line.Number) + ": " + line.Text());
        const std::string& word = line.Command;
        const std::string& rest = line.Argument;
        if (word == "has" || word == "lacks") {
            EXPECT_FALSE(rest.empty()) << "nothing to look for";
            EXPECT_EQ(answer.find(rest) != std::string::npos, word == "has") << answer;
        } else if (word == "bytes") {
            EXPECT_EQ(session.Bytes.substr(0, Arguments(rest)[0].size()), Arguments(rest)[0]);
        } else if (word == "lines") { // of the trace page: two escaped tabs a line
            long long tabs = 0;
            for (std::size_t at = answer.find("\\t", answer.find("\"lines\""));
                 at != std::string::npos; at = answer.find("\\t", at + 2))
                ++tabs;
            EXPECT_EQ(tabs / 2, std::stoll(rest)) << answer.substr(0, 80);
        } else if (word == "keep") {
            saved = session.Bytes;
        } else if (word == "scratch-empty") {
            EXPECT_TRUE(std::filesystem::is_empty(Folder));
        } else if (const auto request = requests.find(word); request != requests.end()) {
            answer = request->second(Arguments(rest));
        } else {
            FAIL() << "unknown request";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Requests, WebScript,
                         ::testing::ValuesIn(testing::ReadScriptFolder("web_session_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
