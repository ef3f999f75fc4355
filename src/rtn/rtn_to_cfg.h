// Conversion of a network back into rules of the external grammar notation.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

// One destination group of a node while its rule text is written.
struct TDestGroup {
    int Distance = 0;                     // Dst - Src of its conditions; 0 = free group
    std::vector<const TRTNNode*> Members; // conditions other than jump-arcs, in node order
    bool HasJump = false;
};
using TDestGroups = std::array<TDestGroup, MaxConditions>;

// The group for distance d: the first group already holding d (when d is positive),
// else the first free group, which takes d; -1 when none is left.
int DestSlot(TDestGroups& groups, int d);

// Every node but the last must hold a condition that is not a jump-arc and ends in
// the directly following node. On failure description names the first bad node:
// "NET"-network in node "NETk".
bool CheckNodesForCfg(const TRtn& rtn, std::string& description);
std::string MsgNodeCheckFailed(const std::string& description);

// Writes the rules of node start onwards, completing line; the rules for arcs that
// skip nodes are appended first, the completed line last. False when the arcs that skip
// nodes would make more rules than a grammar can hold (65536) or nest too deeply.
bool PathToRule(const std::vector<TRtnNodeConds>& nodes, std::size_t start, std::string line,
                std::vector<std::string>& lines);

// Clears lines and writes the rules of every net in order; reports a net without
// nodes and a net that would give too many rules.
bool RtnToCfgLines(const TRtn& rtn, std::vector<std::string>& lines, MessageSink& sink);

} // namespace gramarbor
