#include "parsing/search_context.h"

namespace gramarbor {

bool TSearch::Enter() {
    if (Aborted) return false;
    if (Run.Cancel != nullptr && Run.Cancel->IsCancelled()) {
        Run.Cancelled = true;
        Aborted = true;
        return false;
    }
    if (Depth >= MaxSearchDepth) {
        // The recursion would outgrow its stack: end the search as out of memory.
        Store.Sink->Error(MsgParserMemory);
        Aborted = true;
        return false;
    }
    ++Depth;
    return true;
}

} // namespace gramarbor
