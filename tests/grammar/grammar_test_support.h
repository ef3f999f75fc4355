// Helpers shared by the grammar tests: a parser with a recording sink, checked from
// rule lines.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/grammar_check.h"
#include "grammar/grammar_store.h"
#include "grammar/rule_listing.h"

namespace gramarbor::testing {

struct CheckedGrammar {
    RecordingSink Sink;
    TParser Parser{Sink};
    bool Ok = false;

    CheckedGrammar(const std::vector<std::string>& lines, bool fullCheck = true) {
        Ok = CheckGrammar(Parser, "=", "", lines, nullptr, fullCheck);
    }

    // The internal listing with the tab after each rule number shown as "|".
    std::vector<std::string> Listing() const {
        std::vector<std::string> lines = ShowInternal(Parser);
        for (auto& line : lines) {
            const auto tab = line.find(":\t");
            if (tab != std::string::npos) line.replace(tab, 2, ": ");
        }
        return lines;
    }
};

} // namespace gramarbor::testing
