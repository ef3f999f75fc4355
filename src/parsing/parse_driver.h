// The parse driver: scans the sentence and runs the strategy and the parse-tree
// enumeration that the option byte asks for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"

namespace gramarbor {

// Parses the sentence (sentence lines, normally one) with the checked grammar in
// store. Afterwards store.TraceLines holds the trace list when poTraceList asked for
// one, and store.ParseTrees the bracketed text of every parse tree (at most
// run.MaxParseTrees) when poParseTrees did; with run.OnParseTree set the texts are
// handed to it instead, one at a time as they are found. With poParseTrees the
// sentence is accepted exactly when it has a tree. After a rejection both lists are
// emptied unless the enumeration ended normally (then a failed trace stays); callers
// show neither for a rejection. Messages go to the run's sink (run.Messages), and
// running out of memory anywhere in the parse gives the memory message once. Returns
// true when the sentence was accepted.
//
// The searches run on a thread with a large stack; the call returns when they end.
// Their messages reach the run's sink on the calling thread, in order, once they ended
// (run.OnParseTree is called on the search thread). With run.Cancel set from another
// thread the parse stops, run.Cancelled is raised, both lists are emptied and the
// result is false. A sentence that cannot be tokenised, and a grammar whose unit
// rules form a cycle the chosen searches can reach, are refused with one message
// before searching: run.Refused is raised and the result is false, which is then no
// verdict.
bool ParseSentence(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                   TParseRun& run);
bool ParseSentence(TParser& store, const std::vector<std::string>& sentence, uint8_t options);

} // namespace gramarbor
