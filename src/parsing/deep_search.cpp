#include "parsing/deep_search.h"

#include "base/large_stack.h"
#include "grammar/grammar_store.h"

namespace gramarbor {

void RunDeepSearch(const std::function<void()>& work) {
    RunWithLargeStack(work, SearchStackBytes);
}

void RunDeepSearch(TParser& store, const std::function<void()>& work) {
    if (OnLargeStack()) {
        work();
        return;
    }
    MessageSink* caller = store.Sink;
    RecordingSink collected;
    store.Sink = &collected;
    const auto passOn = [&] {
        store.Sink = caller;
        for (const auto& entry : collected.Entries())
            caller->Show(entry.Kind, entry.Text);
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
