// Property: a grammar written only with constructs the network can express gives,
// after conversion to a network and back to grammar text, the same internal grammar.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grammar/prepare_grammar.h"
#include "grammar/rule_listing.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_to_cfg.h"

namespace gramarbor {
namespace {

class GrammarGenerator {
public:
    explicit GrammarGenerator(unsigned seed) : Random(seed) {}

    // "START = N0", then rules for N0..Nk; each Ni uses only later nonterminals and
    // at least N(i+1), so the grammar has one start rule and no cycles.
    std::vector<std::string> Make() {
        const int count = Pick(1, 5);
        std::vector<std::string> lines = {"// generated", "START = " + Name(0)};
        for (int i = 0; i <= count; ++i) {
            const int rules = Pick(1, 2);
            for (int r = 0; r < rules; ++r)
                lines.push_back(MakeRule(i, count, r == 0));
        }
        return lines;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

    std::string Name(int i) {
        // Names in mixed case: the reader folds them to upper case.
        return Pick(0, 1) ? "n" + std::to_string(i) : "N" + std::to_string(i);
    }

    std::string Terminal() {
        static const char* const words[] = {"the",
                                            "a",
                                            "cat",
                                            "d\xF6g",
                                            "+",
                                            "x1",
                                            "Stra\xDF"
                                            "e"};
        return "\"" + std::string(words[Pick(0, 6)]) + "\"";
    }

    // A simple element that may appear in rule i.
    std::string Simple(int i, int count) {
        switch (Pick(0, i < count ? 3 : 1)) {
        case 0:
            return Terminal();
        case 1: {
            static const char* const classes[] = {"@Ident", "@number", "@FLOAT", "@Integer"};
            return classes[Pick(0, 3)];
        }
        default:
            return Name(Pick(i + 1, count));
        }
    }

    std::string List(int i, int count, int size) {
        const std::string sep = Pick(0, 1) ? "," : "|";
        std::string text = Simple(i, count);
        for (int k = 1; k < size; ++k)
            text += sep + Simple(i, count);
        return text;
    }

    std::string Element(int i, int count, bool plain) {
        switch (plain ? Pick(0, 1) * 3 : Pick(0, 5)) {
        case 1:
            return "[" + Simple(i, count) + "]";
        case 2:
            return "{" + Simple(i, count) + "}";
        case 3:
            return "<" + List(i, count, Pick(2, 5)) + ">";
        case 4:
            return "(" + List(i, count, Pick(2, 4)) + ")";
        default:
            return Simple(i, count);
        }
    }

    std::string MakeRule(int i, int count, bool usesNext) {
        const int size = Pick(1, 5);
        const int plainAt = Pick(0, size - 1); // one element that can never vanish
        const int nextAt = Pick(0, size - 1);
        std::string text = Name(i) + " =";
        for (int e = 0; e < size; ++e) {
            std::string element = Element(i, count, e == plainAt);
            if (usesNext && e == nextAt && i < count)
                element = e == plainAt ? Name(i + 1) : "[" + Name(i + 1) + "]";
            text += " " + element;
        }
        return text;
    }

    std::mt19937 Random;
};

struct Checked {
    bool Valid = false;
    std::vector<std::string> Listing;
    std::string Messages;
};

Checked Check(const std::vector<std::string>& lines, bool fullCheck, TRuleList* asRead = nullptr) {
    RecordingSink sink;
    TParser parser(sink);
    Checked result;
    result.Valid = PrepareGrammar(parser, lines, fullCheck);
    if (result.Valid) result.Listing = ShowInternal(parser);
    if (asRead && parser.RulesRead) *asRead = parser.ExtRules;
    for (const std::string& text : sink.Texts())
        result.Messages += text + "\n";
    return result;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST(CfgRoundTrip, RandomGrammarsKeepTheirInternalGrammar) {
    int converted = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        GrammarGenerator generator(seed);
        const std::vector<std::string> grammar = generator.Make();
        const Checked original = Check(grammar, true);
        if (!original.Valid) {
            // Only expansion clashes (several start lines, empty rules) may refuse a
            // generated grammar; those are not the conversion's business.
            continue;
        }
        TRuleList asRead;
        ASSERT_TRUE(Check(grammar, false, &asRead).Valid) << Joined(grammar);
        TRtn rtn;
        RecordingSink sink;
        ASSERT_TRUE(CfgToRtn(asRead, rtn, sink)) << Joined(grammar) << sink.Last();
        std::string bad;
        ASSERT_TRUE(CheckNodesForCfg(rtn, bad)) << Joined(grammar) << bad;
        std::vector<std::string> back;
        ASSERT_TRUE(RtnToCfgLines(rtn, back, sink));
        ASSERT_EQ(back.size(), asRead.size());
        const Checked again = Check(back, true);
        ASSERT_TRUE(again.Valid) << Joined(grammar) << "->\n" << Joined(back) << again.Messages;
        EXPECT_EQ(again.Listing, original.Listing) << Joined(grammar) << "->\n" << Joined(back);
        ++converted;
    }
    EXPECT_GT(converted, 200);
}

TEST(CfgRoundTrip, GrammarsBeyond65536LinesComeBackWhole) {
    // More rules than a grammar's internal CFG may hold: read, converted and written
    // back, every rule comes back in its place.
    constexpr int RuleCount = 70000;
    static const char* const shapes[] = {" \"w\"", " [A]", " {\"b\"}", " <C,\"d\">", " (E,F)"};
    std::vector<std::string> grammar;
    grammar.reserve(RuleCount);
    for (int i = 0; i < RuleCount; ++i)
        grammar.push_back("R" + std::to_string(i) + " = X" + shapes[i % 5] +
                          (i + 1 < RuleCount ? " R" + std::to_string(i + 1) : ""));
    TRuleList asRead;
    ASSERT_TRUE(Check(grammar, false, &asRead).Valid);
    TRtn rtn;
    RecordingSink sink;
    ASSERT_TRUE(CfgToRtn(asRead, rtn, sink)) << sink.Last();
    std::vector<std::string> back;
    ASSERT_TRUE(RtnToCfgLines(rtn, back, sink)) << sink.Last();
    EXPECT_EQ(back, grammar);
}

} // namespace
} // namespace gramarbor
