// Writing and removing the numbered lines of the trace list.
#include "parsing/trace_lines.h"

#include <algorithm>
#include <new>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

// Bookkeeping cost of one line besides its characters.
constexpr std::size_t LineOverhead = sizeof(std::string);

// "256 MB", "4 KB" or "1000 bytes": the limit in the largest unit that divides it.
std::string SizeText(std::size_t bytes) {
    constexpr std::size_t KB = 1024;
    constexpr std::size_t MB = KB * KB;
    if (bytes >= MB && bytes % MB == 0) return std::to_string(bytes / MB) + " MB";
    if (bytes >= KB && bytes % KB == 0) return std::to_string(bytes / KB) + " KB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// The list keeps what it holds and is closed with a line that says so; the line
// itself is not counted against the limit, so it always fits.
void TraceOverflow(TParser& store, TParseRun& run) {
    if (run.TraceOverflowed) return;
    run.TraceOverflowed = true;
    try {
        store.TraceLines.push_back(TraceCutShortLine(store.TraceLines.size(), run.MaxTraceBytes));
    } catch (const std::bad_alloc&) {
        // Not even the closing line fits: the lines so far stand without it.
    }
    if (run.ReportTraceOverflow) run.Messages(store).Error(MsgParserMemory);
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

std::string TraceCutShortLine(std::size_t lines, std::size_t limitBytes) {
    return "... trace list cut short after " + std::to_string(lines) + " lines (limit " +
           SizeText(limitBytes) + ")";
}

bool AppendTraceLine(TParser& store, std::string line, TParseRun& run, const TStepNote& step) {
    if (run.TraceOverflowed) return false;
    // Steps are kept while they stand beside every line so far.
    const bool keep = run.KeepTraceSteps && run.TraceSteps.Size() == store.TraceLines.size();
    if (keep && !run.TraceSteps.Fits(step.Count)) {
        TraceOverflow(store, run);
        return false;
    }
    const std::size_t cost =
        line.size() + LineOverhead + (keep ? TTraceSteps::Cost(step.Count) : 0);
    if (cost > run.MaxTraceBytes - std::min(run.TraceBytes, run.MaxTraceBytes)) {
        TraceOverflow(store, run);
        return false;
    }
    try {
        if (keep) run.TraceSteps.Push(step.Kind, step.From, step.Choices, step.Count);
        try {
            store.TraceLines.push_back(std::move(line));
        } catch (const std::bad_alloc&) {
            if (keep) run.TraceSteps.PopLast();
            throw;
        }
    } catch (const std::bad_alloc&) {
        TraceOverflow(store, run);
        return false;
    }
    run.TraceBytes += cost;
    return true;
}

uint32_t NextTraceLine(const TParser& store) {
    const std::size_t next = store.TraceLines.size();
    return next < NoTraceLine ? static_cast<uint32_t>(next) : NoTraceLine;
}

bool AddTraceLine(TParser& store, const TPattern& pattern, int ruleRef, TParseRun& run,
                  const TStepNote& step) {
    if (run.TraceOverflowed) return false;
    std::string line;
    try {
        line = TraceLineText(store.TraceLines.size(), ruleRef, pattern);
    } catch (const std::bad_alloc&) {
        TraceOverflow(store, run);
        return false;
    }
    return AppendTraceLine(store, std::move(line), run, step);
}

void DeleteLastTraceLine(TParser& store, TParseRun& run) {
    if (store.TraceLines.empty() || run.TraceOverflowed) return;
    std::size_t cost = store.TraceLines.back().size() + LineOverhead;
    store.TraceLines.pop_back();
    if (run.TraceSteps.Size() > store.TraceLines.size()) cost += run.TraceSteps.PopLast();
    run.TraceBytes = run.TraceBytes >= cost ? run.TraceBytes - cost : 0;
}

} // namespace gramarbor
