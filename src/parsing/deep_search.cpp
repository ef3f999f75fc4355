// Runs searches on a large stack and hands their messages back to the caller's thread.
#include "parsing/deep_search.h"

#include "base/large_stack.h"

namespace gramarbor {

void RunDeepSearch(const std::function<void()>& work) {
    RunWithLargeStack(work, SearchStackBytes);
}

void RunDeepSearch(const TParser& store, TParseRun& run, const std::function<void()>& work) {
    if (OnLargeStack()) {
        work();
        return;
    }
    MessageSink& caller = run.Messages(store);
    MessageSink* const given = run.Sink;
    RecordingSink collected;
    run.Sink = &collected;
    const auto passOn = [&] {
        run.Sink = given;
        for (const auto& entry : collected.Entries())
            caller.Show(entry.Kind, entry.Text);
    };
    try {
        RunDeepSearch(work);
    } catch (...) {
        passOn();
        throw;
    }
    passOn();
}

} // namespace gramarbor
