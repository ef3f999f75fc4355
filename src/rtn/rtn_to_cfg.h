// Conversion of a network back into rules of the external grammar notation.
#pragma once

#include <array>
#include <cstddef>
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

// Limits of the extra rules that arcs skipping nodes stand for: the bytes of all
// those rules (and the nodes walked to write them), and how deeply they nest.
inline constexpr std::size_t MaxExtraRuleBytes = std::size_t(16) << 20;
inline constexpr int MaxSkipDepth = 2048;
enum class TCfgLimit { None, Size, Depth };

// Writes the rules of node start onwards, completing line; the rules for arcs that
// skip nodes are appended first, the completed line last. Extra rules spend budget
// (at most MaxExtraRuleBytes for a whole network). Returns the limit that stopped
// the writing, if any; a main rule itself is never limited.
TCfgLimit PathToRule(const std::vector<TRtnNodeConds>& nodes, std::size_t start, std::string line,
                     std::vector<std::string>& lines, std::size_t& budget);
std::string MsgSkipArcsTooMany(const std::string& netName);
std::string MsgSkipArcsTooDeep(const std::string& netName);

// Clears lines and writes the rules of every net in order; reports a net without
// nodes and arcs that skip nodes beyond the limits above.
bool RtnToCfgLines(const TRtn& rtn, std::vector<std::string>& lines, MessageSink& sink);

// "Make CFG": checks the nodes, then writes the rules; every failure, running out of
// memory included, is reported to sink.
bool MakeCfgLines(const TRtn& rtn, std::vector<std::string>& lines, MessageSink& sink);

} // namespace gramarbor
