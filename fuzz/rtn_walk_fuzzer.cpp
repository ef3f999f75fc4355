// The walk of a tree through networks: grammar text converted to networks (which may
// lack nets or words the tree needs), a bracketed tree, and small limits.
//
// Input: a flag byte (bit 0 letter case counts, bit 1 the tiny limits), the grammar
// text up to a NUL byte, then the tree's bracket text.
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "grammar/prepare_grammar.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_walk.h"
#include "tree/tree.h"

using namespace gramarbor;

namespace {

// Every step names an arc of the network that fits its kind, the words go on one at a
// time, and the stack grows by a push and shrinks by a pop.
void CheckSteps(const TRtn& rtn, const TRtnWalk& walk) {
    std::size_t words = 0;
    std::size_t depth = 0;
    for (std::size_t i = 0; i < walk.Steps.size(); ++i) {
        const TWalkStep& step = walk.Steps[i];
        FUZZ_CHECK(step.Net < rtn.size(), "step on no net");
        const std::size_t stack = WalkStackNames(rtn, walk, i).size();
        if (step.Kind == TWalkStepKind::wkStart) {
            FUZZ_CHECK(i == 0 && stack == 1, "start step after the first or with a stack");
        } else {
            const TRTNLine& net = rtn[step.Net];
            FUZZ_CHECK(step.Node < net.Nodes.size() && step.Condition < net.Nodes[step.Node].size(),
                       "step on no arc");
            const uint8_t kind = net.Nodes[step.Node][step.Condition].Kind;
            const uint8_t wanted = step.Kind == TWalkStepKind::wkPush   ? ckPush
                                   : step.Kind == TWalkStepKind::wkPop  ? ckPop
                                   : step.Kind == TWalkStepKind::wkJump ? ckJmp
                                                                        : kind;
            FUZZ_CHECK(kind == wanted, "step kind and arc kind differ");
            FUZZ_CHECK(step.Kind != TWalkStepKind::wkWord || kind == ckText || kind == ckIndirect,
                       "a word taken by an arc that takes none");
            const std::size_t expected = step.Kind == TWalkStepKind::wkPush  ? depth + 1
                                         : step.Kind == TWalkStepKind::wkPop ? depth - 1
                                                                             : depth;
            FUZZ_CHECK(stack == expected, "the stack changed without a push or a pop");
        }
        const std::size_t taken = step.Kind == TWalkStepKind::wkWord ? words + 1 : words;
        FUZZ_CHECK(step.Words == taken && step.Words <= walk.Words.size(),
                   "words consumed out of step");
        FUZZ_CHECK(!WalkStepText(rtn, walk, i).empty(), "a step without a text");
        words = step.Words;
        depth = stack;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const uint8_t flags = fuzz::TakeByte(input);
    const std::vector<std::string> grammar = fuzz::Lines(fuzz::TakeUntilNul(input));
    RecordingSink sink;
    TParser parser(sink);
    TRtn rtn;
    if (!PrepareGrammar(parser, grammar, false) || !CfgToRtn(parser.ExtRules, rtn, sink))
        rtn.clear();
    TTree tree(false, sink);
    tree.ShowErrors = false;
    if (!tree.StrToTree(std::string(input)) || !tree.GetRoot()) return 0;

    const TWalkLimits limits = (flags & 2) ? TWalkLimits{16, 64} : TWalkLimits{20000, 400000};
    const TRtnWalk walk = WalkTree(rtn, tree.GetRoot(), flags & 1, limits);
    FUZZ_CHECK(walk.Steps.size() <= limits.MaxSteps, "more steps than the limit");
    FUZZ_CHECK(walk.Complete == walk.Message.empty(), "complete and message disagree");
    CheckSteps(rtn, walk);
    if (walk.Complete) {
        FUZZ_CHECK(!walk.Steps.empty() && walk.Steps.back().Kind == TWalkStepKind::wkPop &&
                       walk.Steps.back().Frame == NoWalkFrame &&
                       walk.Steps.back().Words == walk.Words.size(),
                   "a complete walk that does not end with every word and the last pop");
        return 0;
    }
    const std::string stops = MsgWalkStops(walk.Steps.size() + 1, "");
    FUZZ_CHECK(walk.Message.rfind(stops, 0) == 0 || walk.Message == MsgWalkTooMuchWork ||
                   walk.Message == MsgWalkTooLong(limits.MaxSteps),
               "the walk stopped with the message " + walk.Message);
    return 0;
}
