// Walking a parse tree through the networks: the arcs the networks take, one step at
// a time, to accept what the grammar derived, with the push/pop stack of net names
// and the words consumed so far. Nodes of the tree named "#n" (the nonterminals that
// expanding [..], {..}, (..) and separating terminals generate) are not networks of
// their own: their children stand in their place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rtn/rtn_model.h"
#include "tree/tree.h"

namespace gramarbor {

enum class TWalkStepKind : uint8_t {
    wkStart, // entering the network of the tree's root; no arc is taken
    wkWord,  // a direct-text or token-class arc takes the next word
    wkJump,  // a jump-arc
    wkPush,  // a push-arc enters the network of the next subtree
    wkPop,   // the pop-arc ends a network and returns to the one below it
};

// One frame of the push/pop stack: a net and the frame below it.
inline constexpr int64_t NoWalkFrame = -1;
struct TWalkFrame {
    std::size_t Net = 0;
    int64_t Below = NoWalkFrame;
};

struct TWalkStep {
    TWalkStepKind Kind = TWalkStepKind::wkStart;
    // The net whose arc is taken, the node whose list holds the arc and the arc's
    // place in that list (the arc of a start step is that of no list: Condition 0 of
    // node 0 is not meant).
    std::size_t Net = 0;
    std::size_t Node = 0;
    std::size_t Condition = 0;
    // Top of the stack after the step (NoWalkFrame once the last net popped).
    int64_t Frame = NoWalkFrame;
    // Words consumed after the step.
    std::size_t Words = 0;
};

struct TRtnWalk {
    std::vector<TWalkStep> Steps;
    std::vector<TWalkFrame> Frames;
    // The leaves of the tree, in order.
    std::vector<std::string> Words;
    // The last step popped the root's network with every word consumed.
    bool Complete = false;
    // Why the walk stops short of that; empty when it is complete.
    std::string Message;
};

// A walk takes at most MaxSteps steps; the search for it visits at most MaxWork
// states of the networks. Either limit cuts the walk short with a message.
struct TWalkLimits {
    std::size_t MaxSteps = 200000;
    std::size_t MaxWork = 20000000;
};

// "The walk stops at step 4: ..."
std::string MsgWalkStops(std::size_t step, const std::string& reason);
std::string MsgWalkTooLong(std::size_t maxSteps);
inline const std::string MsgWalkTooMuchWork =
    "The walk is too large to search: the tree and the networks hold too many ways.";

// Walks the tree under root through rtn. Words are compared with direct-text arcs
// letter case apart unless caseSensitive; token-class arcs take the leaves that name
// their class. Nets and push-arcs are matched by name, letter case apart; of several
// nets with one name the first that accepts the subtree is walked. When no net
// accepts the tree, the walk goes as far as it can and Message says where and why.
TRtnWalk WalkTree(const TRtn& rtn, const TNode* root, bool caseSensitive,
                  const TWalkLimits& limits = {});

// The stack of net names after step, the outermost first.
std::vector<std::string> WalkStackNames(const TRtn& rtn, const TRtnWalk& walk, std::size_t step);
// What step does: "S0 -> S1: push NP", "DET0 -> DET1: "the"", "NP1 -> NP2: jump",
// "NP2: pop", "Start in S".
std::string WalkStepText(const TRtn& rtn, const TRtnWalk& walk, std::size_t step);
// The words consumed after step, separated by blanks; of more than maxWords only the
// last ones, after "... ".
std::string WalkWordsText(const TRtnWalk& walk, std::size_t step, std::size_t maxWords = 40);

} // namespace gramarbor
