// The bracketed text of the tree of a rule path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

// The rules of one parse tree, as numbers of the internal CFG, in pre-order of the
// tree (the start rule first). Paths stay in this form until they become bracket text.
using TRulePath = std::vector<uint16_t>;

// "[S [NP [DET [the]] ...]]": the tree of a rule path. Lexical rules give leaves
// with the grammar's terminal texts; a missing rule, or one beyond the grammar, "[]".
std::string PathToBracketText(const TParser& store, const TRulePath& path);

// The text of the subtree whose rule is path[position]; position moves past the rules
// consumed.
std::string SubtreeText(const TParser& store, const TRulePath& path, std::size_t& position);

// Turns a sequence of rule paths (rule numbers in pre-order of the tree) into their
// bracketed texts, exactly as PathToBracketText does. Successive trees of an
// enumeration share long leading parts of their paths, and the text of a shared part
// is kept, so each text costs about as much as the part of its path that changed.
// Reads the rules of store when constructed; keeps no reference to it.
class TBracketTextBuilder {
public:
    explicit TBracketTextBuilder(const TParser& store);

    // The text of the tree of path; valid until the next call.
    const std::string& Text(const TRulePath& path);

private:
    // Where the rule at one place of the path goes: the place of its parent's rule
    // (NoParent for the root, Complete after the whole tree), which child of it it is,
    // and the length of the text before it.
    struct Slot {
        int64_t Parent;
        uint32_t Child;
        std::size_t Offset;
    };
    static constexpr int64_t NoParent = -1;
    static constexpr int64_t Complete = -2;

    // Builds the text of path from place start on; false when path is no complete
    // tree of the grammar (then the text is left unfinished).
    bool Extend(const TRulePath& path, std::size_t start);

    // The text of any path, complete or not, built from the start.
    std::string WholeText(const TRulePath& path) const;

    // Per rule: "[" and its left symbol; what follows its children (the leaves and
    // "]" for a lexical rule, "]" for a rule without children, nothing otherwise);
    // its number of nonterminal children.
    std::vector<std::string> Opening;
    std::vector<std::string> Closing;
    std::vector<uint32_t> Children;

    TRulePath Previous;
    std::vector<Slot> Slots;
    std::string Buffer;
};

} // namespace gramarbor
