// The recursive transition network in memory: conditions, nodes, nets and the
// operations that build them while keeping the network's invariants.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/message_sink.h"

namespace gramarbor {

// Condition kinds; the values are stored in network files.
inline constexpr uint8_t ckJmp = 1;
inline constexpr uint8_t ckPush = 2;
inline constexpr uint8_t ckIndirect = 3;
inline constexpr uint8_t ckText = 4;
inline constexpr uint8_t ckPop = 5;

// Destination of a pop-arc.
inline constexpr uint16_t PopDst = 65535;
// At most this many conditions leave (or loop back to) one node.
inline constexpr std::size_t MaxConditions = 5;
// Node numbers are 16-bit and 65535 marks a pop-arc, so a net has at most 65535 nodes.
inline constexpr std::size_t MaxRtnNodes = 65535;

inline const std::string MsgRtnMemory = MsgOutOfMemory;

// One condition (arc).
struct TRTNNode {
    uint8_t Kind = ckJmp;
    uint16_t Src = 0;
    uint16_t Dst = 0;
    std::string Text;
    bool operator==(const TRTNNode&) const = default;
};

// A node: its conditions in the order #1 to #5 of the condition dialog.
using TRtnNodeConds = std::vector<TRTNNode>;

// One net: node 0 is the start node, the last node holds only the pop-arc.
struct TRTNLine {
    std::string Name;
    std::vector<TRtnNodeConds> Nodes;
    bool operator==(const TRTNLine&) const = default;
};

// The nets in screen, file and grammar order. Net names need not be unique.
using TRtn = std::vector<TRTNLine>;

// Appends a new condition to a node. Returns false (and reports the memory message)
// when memory runs out.
bool AddCondition(TRtnNodeConds& node, uint8_t kind, uint16_t src, const std::string& text,
                  uint16_t dst, MessageSink& sink);

// A net of n (1..MaxRtnNodes) empty nodes whose last node holds the pop-arc.
bool NewRtnLine(const std::string& name, std::size_t n, TRTNLine& line, MessageSink& sink);

// Frees every net.
void ClearRtn(TRtn& rtn);

// Node name as shown and typed: net name followed by the node number.
std::string NodeName(const std::string& netName, long long number);

// True when the net satisfies the invariants every operation keeps: at least one
// node; the last node holds exactly the pop-arc; at most five conditions per node;
// kinds 1..4 elsewhere; a forward arc stands in node Src and ends at a later node of
// the net; a backward arc is the second of exactly three conditions of the node it
// returns to and leaves a later node of the net.
// fault, when given, receives the first node and condition (1-based) that break
// them (condition 0 when the node as a whole does).
struct TNetFault {
    std::size_t Node = 0;
    std::size_t Condition = 0;
};
bool NetIsWellFormed(const TRTNLine& line, TNetFault* fault = nullptr);

} // namespace gramarbor
