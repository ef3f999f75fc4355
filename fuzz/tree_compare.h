// Structural comparison of trees for the tree fuzz targets.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tree/tree.h"

namespace gramarbor::fuzz {

// Same shape and names, and with attributes set also the same attributes,
// annotation lines, boxes, grid positions and serial numbers; a chain node compares
// as the placeholders it stands for. Iterative.
bool SameTree(const TNode* a, const TNode* b, bool attributes);

// The movement arrows of a tree as pairs of pre-order node positions (a chain node
// counts once), in pre-order of their sources.
std::vector<std::pair<int, int>> ArrowPositions(const TTree& tree);

// Largest nesting depth (a single node has depth 1, a chain node as many as its
// placeholders) and whether every node has at most four children.
int Depth(const TNode* root, bool& childrenOk);

// Whether every name is one that TreeToStr writes so that reading gives it back:
// anything but a double quote, which is never escaped. Iterative.
bool NamesSurviveText(const TNode* root);

} // namespace gramarbor::fuzz
