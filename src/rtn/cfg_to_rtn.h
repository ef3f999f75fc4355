// Conversion of grammar rules as read (brackets still present) into a network:
// one net per rule, one node per right-side element plus the pop node.
#pragma once

#include <string>

#include "base/message_sink.h"
#include "grammar/grammar_types.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

std::string MsgRtnTooManyAlternatives(const std::string& netName);

// Appends the conditions of one right-side element to node j (arcs from j to j + 1,
// plus the loop back of a repeated element).
bool ElemToConditions(TRtnNodeConds& node, uint16_t j, const TElemNode& elem, MessageSink& sink);

// Builds rtn from the rules. On failure rtn is left empty, the message has been
// reported, and tooManyAlternatives (when given) tells whether a node would have
// held more than five conditions.
bool CfgToRtn(const TRuleList& rules, TRtn& rtn, MessageSink& sink,
              bool* tooManyAlternatives = nullptr);

} // namespace gramarbor
