#include "parsing/search_context.h"

namespace gramarbor {

bool TSearch::Enter() {
    if (Interrupted()) return false;
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
