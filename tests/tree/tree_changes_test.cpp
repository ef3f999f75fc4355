// Which nodes of a tree another tree lacks: same name, same leaves, same children.
#include "tree/tree_changes.h"

#include <gtest/gtest.h>

#include "tree_test_support.h"

namespace gramarbor {
namespace {

std::vector<std::string> ChangedNames(const std::string& before, const std::string& after) {
    RecordingSink sink;
    TTree first(true, sink);
    TTree second(true, sink);
    testing::ReadTree(first, before);
    testing::ReadTree(second, after);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    std::vector<std::string> names;
    for (const TNode* node : TNodeShapes(first.GetRoot()).NodesNotIn(second.GetRoot()))
        names.push_back(node->Name);
    return names;
}

const std::string VerbAttached = "[S [NP [I]] [VP [VP [V [saw]] [NP [D [the]] [N [man]]]] "
                                 "[PP [P [with]] [NP [D [a]] [N [telescope]]]]]]";
const std::string NounAttached = "[S [NP [I]] [VP [V [saw]] [NP [NP [D [the]] [N [man]]] "
                                 "[PP [P [with]] [NP [D [a]] [N [telescope]]]]]]]";

TEST(TreeChanges, NamesTheNodesWhoseLeavesOrChildrenDiffer) {
    const struct {
        const char* Why;
        std::string Before;
        std::string After;
        std::vector<std::string> Changed;
    } cases[] = {
        {"the same tree", VerbAttached, VerbAttached, {}},
        // S keeps its children over the same words; the two phrases that regroup change.
        {"the phrase attached to the noun", VerbAttached, NounAttached, {"VP", "NP"}},
        {"and back", NounAttached, VerbAttached, {"VP", "VP"}},
        {"another category for a word", "[S [A [x]] [B [y]]]", "[S [C [x]] [B [y]]]", {"S", "C"}},
        {"the same names over other leaves",
         "[S [A [x] [y]] [B [z]]]",
         "[S [A [x]] [B [y] [z]]]",
         {"S", "A", "B"}},
        {"a word of its own", "[S [A [x]]]", "[S [A [y]]]", {"A", "y"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChangedNames(c.Before, c.After), c.Changed) << c.Why;
}

TEST(TreeChanges, NothingComparesWithNoTree) {
    const TNodeShapes none(nullptr);
    EXPECT_TRUE(none.Empty());
    EXPECT_TRUE(none.NodesNotIn(nullptr).empty());
}

// A chain of 100,000 nodes is compared without recursion.
TEST(TreeChanges, DeepTreesAreWalkedWithoutRecursion) {
    auto chain = [](const std::string& leaf) {
        TNodePtr root = std::make_unique<TNode>();
        TNode* node = root.get();
        for (int level = 0; level < 100000; ++level) {
            node->Name = "X";
            node->Children.push_back(std::make_unique<TNode>());
            node = node->Children.back().get();
        }
        node->Name = leaf;
        return root;
    };
    const TNodePtr before = chain("a");
    const TNodePtr after = chain("b");
    const auto changed = TNodeShapes(before.get()).NodesNotIn(after.get());
    ASSERT_EQ(changed.size(), 2u); // the leaf and the node above it
    EXPECT_EQ(changed.back()->Name, "b");
}

} // namespace
} // namespace gramarbor
