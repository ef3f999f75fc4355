// Detection of unit rules (X = Y) that form a cycle. Such a cycle lets a search
// rewrite a pattern into itself without end, so a parse is refused before it starts.
#pragma once

#include <string>
#include <vector>

#include "grammar/grammar_store.h"

namespace gramarbor {

enum class UnitCycleScope {
    // Cycles the top-down searches and the enumeration can reach: a member is
    // reachable from the start symbol.
    FromStart,
    // Cycles the bottom-up searches can reach: a member derives some word string,
    // so a reduction can produce it.
    FromWords,
    Both,
};

// The nonterminals of the first cycle of unit rules within scope, in cycle order
// (A, B for A = B and B = A; just A for A = A); empty when there is none.
std::vector<std::string> FindUnitCycle(const TParser& store, UnitCycleScope scope);

// "The unit rules A = B and B = A form a cycle, so parsing would never end."
std::string UnitCycleMessage(const std::vector<std::string>& cycle);

// Reports the first cycle within scope to sink; true when there was one.
bool RefuseUnitCycle(const TParser& store, UnitCycleScope scope, MessageSink& sink);

} // namespace gramarbor
