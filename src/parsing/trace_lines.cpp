#include "parsing/trace_lines.h"

#include <new>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

// Bookkeeping cost of one line besides its characters.
constexpr std::size_t LineOverhead = sizeof(std::string);

void TraceOverflow(TParser& store, TParseRun& run) {
    store.TraceLines.clear();
    run.TraceBytes = 0;
    if (!run.TraceOverflowed) store.Sink->Error(MsgParserMemory);
    run.TraceOverflowed = true;
}

} // namespace

std::string TraceLineText(std::size_t number, int ruleRef, const TPattern& pattern) {
    std::string line = IntToStr(static_cast<long long>(number));
    line += '\t';
    if (ruleRef >= 0)
        line += IntToStr(ruleRef);
    else if (ruleRef == RefNoRule)
        line += '-';
    else if (ruleRef == RefCategory)
        line += '*';
    line += '\t';
    for (const TElemNode* symbol : pattern) {
        if (symbol->SymKind < ekNonTerminal || symbol->SymKind > ekInteger) continue;
        line += ' ';
        line += symbol->Text;
    }
    return line;
}

bool AppendTraceLine(TParser& store, std::string line, TParseRun& run) {
    // An emptied list stays empty: a tail of lines numbered from 0 again would
    // look like a whole trace.
    if (run.TraceOverflowed) return false;
    const std::size_t cost = line.size() + LineOverhead;
    if (run.TraceBytes + cost > run.MaxTraceBytes) {
        TraceOverflow(store, run);
        return false;
    }
    try {
        store.TraceLines.push_back(std::move(line));
    } catch (const std::bad_alloc&) {
        TraceOverflow(store, run);
        return false;
    }
    run.TraceBytes += cost;
    return true;
}

bool AddTraceLine(TParser& store, const TPattern& pattern, int ruleRef, TParseRun& run) {
    std::string line;
    try {
        line = TraceLineText(store.TraceLines.size(), ruleRef, pattern);
    } catch (const std::bad_alloc&) {
        TraceOverflow(store, run);
        return false;
    }
    return AppendTraceLine(store, std::move(line), run);
}

void DeleteLastTraceLine(TParser& store, TParseRun& run) {
    if (store.TraceLines.empty()) return;
    const std::size_t cost = store.TraceLines.back().size() + LineOverhead;
    run.TraceBytes = run.TraceBytes >= cost ? run.TraceBytes - cost : 0;
    store.TraceLines.pop_back();
}

} // namespace gramarbor
