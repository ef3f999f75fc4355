// The web page's session: the JSON each request answers with, the messages it
// carries, and the files it hands over, on the same models the desktop program uses.
#include "web/web_session.h"

#include <algorithm>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "parsing/parse_options.h"
#include "tree/treebank.h"
#include "web/json_text.h"

namespace gramarbor {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(JsonText, WritesNestedValuesWithEscapesAndUtf8) {
    const struct {
        std::string Text; // Windows-1252
        std::string Json;
    } strings[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"\\", "\"say \\\"hi\\\"\\\\\""},
        {"a\tb\nc\r", "\"a\\tb\\nc\\r\""},
        {std::string("\x01", 1), "\"\\u0001\""},
        {"\xE4\xDF\x80", "\"\xC3\xA4\xC3\x9F\xE2\x82\xAC\""},
    };
    for (const auto& row : strings) {
        JsonText json;
        json.String(row.Text);
        EXPECT_EQ(json.Text(), row.Json) << row.Text;
    }
    JsonText json;
    json.BeginObject();
    json.Key("a").Number(-3).Key("b").BeginArray().Bool(true).Bool(false).EndArray();
    json.Key("c").BeginObject().EndObject().Key("d").Strings({"x", "y"});
    json.EndObject();
    EXPECT_EQ(json.Text(), "{\"a\":-3,\"b\":[true,false],\"c\":{},\"d\":[\"x\",\"y\"]}");
}

// Pictures come back as a short text naming their size, which is all a test needs.
std::string PictureSize(const Picture& picture) {
    return "<picture " + std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + ">";
}

const char* const AmbiguousGrammar = "S = NP VP\n"
                                     "NP = \"I\"\n"
                                     "NP = DET N [PP]\n"
                                     "VP = V NP [PP]\n"
                                     "PP = P NP\n"
                                     "DET = \"the\"\n"
                                     "N = \"man\"\n"
                                     "N = \"telescope\"\n"
                                     "V = \"saw\"\n"
                                     "P = \"with\"";

class WebSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder =
            std::filesystem::temp_directory_path() /
            ("gramarbor_web_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(Folder);
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    std::filesystem::path Folder;
    ApproxTextMeasurer Measurer;
    TWebSession Session{Measurer, "", PictureSize};
};

TEST_F(WebSessionTest, CheckAnswersWithTheListingOrTheMessageAndTheLineToMark) {
    const std::string good = Session.Check("// a comment\nS = \"a\"");
    EXPECT_THAT(good, HasSubstr("\"ok\":true"));
    EXPECT_THAT(good, HasSubstr("\"listing\":[\"0 (T):\\tS = \\\"a\\\"\"]"));
    EXPECT_THAT(good, HasSubstr("\"errorLine\":-1"));
    EXPECT_THAT(good, HasSubstr("\"messages\":[]"));

    const std::string bad = Session.Check("S = A\n\nA = = \"a\"");
    EXPECT_THAT(bad, HasSubstr("\"ok\":false"));
    EXPECT_THAT(bad, Not(HasSubstr("listing")));
    EXPECT_THAT(bad, HasSubstr("\"errorLine\":2"));
    EXPECT_THAT(bad, HasSubstr("{\"kind\":\"error\",\"text\":"));

    EXPECT_THAT(Session.Check(""), HasSubstr("\"text\":\"Please define a CFG first.\""));
    // Text the core's code page cannot hold is refused before the check.
    EXPECT_THAT(Session.Check("S = \"\xE2\x98\x83\""),
                HasSubstr("\"text\":\"" + MsgNotWindows1252 + "\""));
}

TEST_F(WebSessionTest, ParseCountsAndStepsThroughEveryTree) {
    const std::string parsed =
        Session.Parse(AmbiguousGrammar, "I saw the man with the telescope", DefaultParseOptions);
    EXPECT_THAT(parsed, HasSubstr("\"verdict\":\"accepted\""));
    EXPECT_THAT(parsed, HasSubstr("\"count\":\"2\",\"current\":\"1\",\"atFirst\":true,"
                                  "\"atLast\":false"));
    EXPECT_THAT(parsed, HasSubstr("\"svg\":\"<picture "));
    EXPECT_THAT(parsed, HasSubstr("\"history\":[\"I saw the man with the telescope\"]"));
    // Trees without a trace list: no trace, and no "Parsing successful!" box.
    EXPECT_THAT(parsed, Not(HasSubstr("\"trace\"")));
    EXPECT_THAT(parsed, HasSubstr("\"messages\":[]"));

    EXPECT_THAT(Session.StepTree(1), HasSubstr("\"current\":\"2\",\"atFirst\":false,"
                                               "\"atLast\":true"));
    EXPECT_THAT(Session.StepTree(1), HasSubstr("\"current\":\"2\""));
    EXPECT_THAT(Session.StepTreeTyped("1"), HasSubstr("\"current\":\"1\""));
    EXPECT_THAT(Session.StepTreeTyped("3"),
                HasSubstr("\"current\":\"1\",\"atFirst\":true,\"atLast\":false"));
    EXPECT_THAT(Session.StepTreeTyped("3"),
                HasSubstr("\"text\":\"Please enter a tree number from 1 to 2.\""));

    EXPECT_THAT(Session.SaveParseTree(), HasSubstr("\"ok\":true"));
    EXPECT_FALSE(Session.Bytes.empty());
}

TEST_F(WebSessionTest, ParseAnswersWithTheVerdictTheTraceAndTheMessages) {
    const struct {
        int Options;
        std::string Sentence;
        std::string Verdict;
        bool Trace;
        std::string Message;
    } rows[] = {
        {poTopDown | poDepthFirst | poTraceList, "I saw the man", "accepted", true, ""},
        {poBottomUp | poBreadthFirst | poTraceList | poOptimalTrace, "I saw the man", "accepted",
         true, ""},
        {poTopDown | poBreadthFirst, "I saw the man", "accepted", false, "Parsing successful!"},
        {poBottomUp | poDepthFirst | poTraceList, "the man saw", "rejected", false,
         "Parsing failed!"},
        {DefaultParseOptions, "", "refused", false, "You have not entered a text to parse."},
    };
    for (const auto& row : rows) {
        const std::string answer = Session.Parse(AmbiguousGrammar, row.Sentence, row.Options);
        EXPECT_THAT(answer, HasSubstr("\"verdict\":\"" + row.Verdict + "\"")) << row.Options;
        if (row.Trace) {
            EXPECT_THAT(answer, HasSubstr("\"trace\":{\"count\":")) << row.Options;
            EXPECT_THAT(answer, HasSubstr("\"listing\":[\"0 (N):")) << row.Options;
        } else {
            EXPECT_THAT(answer, Not(HasSubstr("\"trace\""))) << row.Options;
        }
        if (!row.Message.empty()) {
            EXPECT_THAT(answer, HasSubstr("\"text\":\"" + row.Message + "\"")) << row.Options;
        }
    }
    // A faulty grammar stops the parse at its line.
    EXPECT_THAT(Session.Parse("S = \"a\"\nS = = B", "a", DefaultParseOptions),
                HasSubstr("\"errorLine\":1"));
}

TEST_F(WebSessionTest, TraceListComesInPagesOfBoundedSize) {
    // Bottom-up depth-first tries every reduction: some 75,000 lines.
    const std::string parsed = Session.Parse(AmbiguousGrammar, "the man with the man saw the man",
                                             poBottomUp | poDepthFirst | poTraceList);
    ASSERT_THAT(parsed, HasSubstr("\"trace\":{\"count\":"));
    const std::size_t at = parsed.find("\"count\":") + 8;
    const long long count = std::stoll(parsed.substr(at));
    ASSERT_GT(count, static_cast<long long>(2 * TracePageLines));
    // Bottom-up traces number their lines from 0, so a line starts with its index.
    EXPECT_THAT(parsed, HasSubstr("\"first\":0,\"lines\":[\"0\\t"));
    // Each page is TracePageLines lines from a multiple of it; lines past the end give
    // the last page and negative ones the first.
    const long long lastFirst = (count - 1) / TracePageLines * TracePageLines;
    const struct {
        int64_t Asked;
        long long First;
    } pages[] = {{0, 0},
                 {TracePageLines + 7, TracePageLines},
                 {-5, 0},
                 {count, lastFirst},
                 {INT64_MAX, lastFirst}};
    for (const auto& page : pages) {
        const std::string answer = Session.TracePage(page.Asked);
        EXPECT_THAT(answer, HasSubstr("\"first\":" + std::to_string(page.First) + ",\"lines\":[\"" +
                                      std::to_string(page.First) + "\\t"))
            << page.Asked;
        // Two escaped tabs a line of the page.
        long long lines = 0;
        for (std::size_t at = answer.find("\\t", answer.find("\"lines\"")); at != std::string::npos;
             at = answer.find("\\t", at + 2))
            ++lines;
        lines /= 2;
        EXPECT_EQ(lines, std::min<long long>(TracePageLines, count - page.First)) << page.Asked;
    }
}

TEST_F(WebSessionTest, OptionControlsFollowTheClicksAndHistoryKeepsItsOrder) {
    EXPECT_THAT(Session.SetOptions(-1),
                HasSubstr("\"options\":" + std::to_string(DefaultParseOptions)));
    EXPECT_THAT(Session.OptionClick("TraceListCB", 1),
                HasSubstr("\"TraceListCB\":true,\"ParseTreeCB\":true,\"CaseSensCB\":false,"
                          "\"groupsEnabled\":true"));
    EXPECT_THAT(Session.OptionClick("ParseMethodRG", 0), HasSubstr("\"ParseMethodRG\":0"));
    EXPECT_THAT(Session.SetOptions(poTopDown),
                HasSubstr("\"options\":2,\"controls\":{\"ParseMethodRG\":0,\"ParseDirRG\":-1"));
    Session.RecordInput("first");
    EXPECT_THAT(Session.RecordInput("second"), HasSubstr("\"history\":[\"second\",\"first\"]"));
    EXPECT_THAT(Session.SetHistory("newest\nolder\noldest"),
                HasSubstr("\"history\":[\"newest\",\"older\",\"oldest\"]"));
    EXPECT_THAT(Session.SetHistory(""), HasSubstr("\"history\":[]"));
}

TEST_F(WebSessionTest, BracketTextBecomesATreeInEveryFormat) {
    const struct {
        TBracketFormat Format;
        std::string Text;
    } rows[] = {
        {{0, 0, 0, 0}, "[S [NP [John]] [VP [sleeps]]]"},
        {{1, 0, 0, 0}, "[S,[NP,[John]],[VP,[sleeps]]]"},
        {{1, 1, 0, 1}, "S(NP(John),VP(sleeps))"},
        {{0, 2, 0, 1}, "(S (NP John) (VP sleeps))"},
        {{0, 0, 0, 2}, "{S {NP {John}} {VP {sleeps}}}"},
    };
    for (const auto& row : rows) {
        const std::string drawn = Session.TextToTree(row.Text, row.Format, true);
        EXPECT_THAT(drawn, HasSubstr("\"hasTree\":true")) << row.Text;
        EXPECT_THAT(drawn, HasSubstr("\"messages\":[]")) << row.Text;
        EXPECT_THAT(Session.TreeToText(row.Format), HasSubstr("\"text\":\"" + row.Text + "\""));
    }
    EXPECT_THAT(Session.TextToTree("", {}, true),
                HasSubstr("There is no text in \\\"Input text\\\" to translate into a tree."));
}

TEST_F(WebSessionTest, TreeFilesGoOutAndComeBackAsBytes) {
    TWebSession session(Measurer, Folder.string(), PictureSize);
    EXPECT_THAT(session.SaveTreeFile(), HasSubstr("\"text\":\"An empty tree will not be saved.\""));
    EXPECT_THAT(session.SaveTreeMetafile(),
                HasSubstr("\"text\":\"There is no tree or metafile to save by now.\""));
    session.TextToTree("[S [NP] [VP [V] [NP]]]", {}, true);
    ASSERT_THAT(session.SaveTreeMetafile(), HasSubstr("\"ok\":true"));
    // A placeable metafile starts with its key.
    EXPECT_EQ(session.Bytes.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
    ASSERT_THAT(session.SaveTreeFile(), HasSubstr("\"ok\":true"));
    const std::string saved = session.Bytes;

    session.TextToTree("[X]", {}, true);
    EXPECT_THAT(session.OpenTreeFile("C:\\trees\\mine.tre", saved), HasSubstr("\"hasTree\":true"));
    EXPECT_THAT(session.TreeToText({}), HasSubstr("\"text\":\"[S [NP] [VP [V] [NP]]]\""));
    // Nothing is left behind in the scratch folder.
    EXPECT_TRUE(std::filesystem::is_empty(Folder));

    EXPECT_THAT(session.OpenTreeFile("notes.doc", saved),
                HasSubstr("Wrong file type: extension \\\"*.TRE\\\" expected."));
    EXPECT_THAT(session.OpenTreeFile("broken.tre", "garbage"), HasSubstr("\"kind\":\"error\""));
}

TEST_F(WebSessionTest, FilesLargerThanATreebankAreRefusedUnread) {
    EXPECT_THAT(Session.CheckOpenSize("bank.mrg", MaxTreebankBytes), HasSubstr("\"ok\":true"));
    for (const int64_t size : {int64_t(MaxTreebankBytes) + 1, int64_t(-1), INT64_MAX}) {
        const std::string answer = Session.CheckOpenSize("big.tre", size);
        EXPECT_THAT(answer, HasSubstr("\"ok\":false")) << size;
        EXPECT_THAT(answer, HasSubstr("The file big.tre holds more than 64 MB of trees.")) << size;
    }
}

TEST_F(WebSessionTest, TreebankFilesAreSteppedTreeByTree) {
    TWebSession session(Measurer, Folder.string(), PictureSize);
    const std::string bank = "(S (NP a) (VP b))\n(S (NP c) (VP d))\n";
    EXPECT_THAT(session.OpenTreeFile("bank.mrg", bank), HasSubstr("\"treebank\":\"Tree 1 of 2\""));
    EXPECT_THAT(session.StepTreebank(1), HasSubstr("\"treebank\":\"Tree 2 of 2\""));
    EXPECT_THAT(session.StepTreebank(1), HasSubstr("\"treebank\":\"Tree 2 of 2\""));
}

TEST_F(WebSessionTest, NetworkIsDrawnFromTheGrammarAsWritten) {
    EXPECT_THAT(Session.Network("S = \"a\" [B]\nB = \"b\""),
                HasSubstr("\"ok\":true,\"svg\":\"<picture "));
    const std::string bad = Session.Network("S = = \"a\"");
    EXPECT_THAT(bad, HasSubstr("\"ok\":false"));
    EXPECT_THAT(bad, HasSubstr("\"errorLine\":0"));
    EXPECT_THAT(Session.Network(""), HasSubstr("Please define a CFG first."));
}

} // namespace
} // namespace gramarbor
