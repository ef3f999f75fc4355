// Tests of the bracketed texts made from rule paths (the trees of whole sentences are
// among the golden command lines).
#include <gtest/gtest.h>

#include "parsing/parse_trees.h"
#include "parsing_test_support.h"

using namespace gramarbor;
using namespace gramarbor::testing;

TEST(ParseTrees, BracketTextOfAPathIsRobustAgainstShortPaths) {
    ParseFixture f(QuickStartGrammar);
    EXPECT_EQ(PathToBracketText(f.Parser, TRulePath({1, 3, 5})), "[NP [DET [the]] [N [dog]]]");
    EXPECT_EQ(PathToBracketText(f.Parser, TRulePath({1, 3})), "[NP [DET [the]] []]");
    EXPECT_EQ(PathToBracketText(f.Parser, TRulePath({99})), "[]");
    std::size_t position = 1;
    EXPECT_EQ(SubtreeText(f.Parser, TRulePath({1, 5, 3}), position), "[N [dog]]");
    EXPECT_EQ(position, 2u);
}

TEST(ParseTrees, TextBuilderGivesThePathTextsInAnyOrderOfPaths) {
    ParseFixture f(PrepositionalGrammar);
    // Paths sharing leading parts, a repeated path, and broken paths (cut short, a rule
    // beyond the grammar, rules after a whole tree) between whole ones.
    const std::vector<std::vector<uint16_t>> paths = {
        {0, 1, 6, 7, 3, 10, 2, 1, 6, 8, 5, 11, 1, 6, 9},
        {0, 1, 6, 7, 4, 3, 10, 1, 6, 8, 5, 11, 1, 6, 9},
        {0, 1, 6, 7, 4, 3, 10, 1, 6, 8, 5, 11, 1, 6, 9},
        {0, 1, 6, 7, 4, 3},
        {0, 1, 6, 7, 3, 10, 1, 6, 8},
        {0, 1, 6, 7, 3, 10, 1, 6, 99},
        {0, 1, 6, 7, 3, 10, 1, 6, 8, 1},
        {1, 6, 7},
        {},
        {0, 1, 6, 7, 3, 10, 1, 6, 8},
    };
    TBracketTextBuilder builder(f.Parser);
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(builder.Text(paths[i]), PathToBracketText(f.Parser, paths[i])) << "path " << i;
}
