// Files of many trees in labelled brackets (treebank .mrg files, parser output):
// split into the text of each tree, so that a tree list can step through them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tree/tree.h"

namespace gramarbor {

// Larger files and files with more trees are refused with a message.
inline constexpr std::size_t MaxTreebankBytes = std::size_t(64) << 20;
inline constexpr std::size_t MaxTreebankTrees = 100000;

// The message for a file larger than MaxTreebankBytes.
std::string TreebankTooLargeText(const std::string& fileName);

// The bracket pair of a file: that of its first opening bracket, "()" when none.
std::string TreebankBrackets(std::string_view text);

// Gives tree the labelled-bracket options of a treebank with these brackets.
void SetTreebankFormat(TTree& tree, const std::string& brackets);

// Reads every tree of text (Windows-1252) with the tree's labelled-bracket options
// and keeps the text of each. On the first error the tree reports it (its messages
// give the line and column in the file) and the result is false.
bool SplitTreebank(TTree& tree, const std::string& text, std::vector<std::string>& trees);

// The words of a tree text read back into a short title (at most maxChars
// characters, then "...").
std::string TreebankTitle(const TNode* root, std::size_t maxChars = 40);

} // namespace gramarbor
