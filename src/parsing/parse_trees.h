// The bracketed text of the tree of a rule path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

// "[S [NP [DET [the]] ...]]": the tree of a rule path. Lexical rules give leaves
// with the grammar's terminal texts.
std::string PathToBracketText(const TParser& store, const std::string& path);

// The text of the subtree whose rule starts at position (0-based, in characters) of
// path; position moves past the rules consumed.
std::string SubtreeText(const TParser& store, const std::string& path, std::size_t& position);

} // namespace gramarbor
