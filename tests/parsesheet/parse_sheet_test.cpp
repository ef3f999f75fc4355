// The parsing page's model with the search run on another thread (the rest of the
// page's model is in the scripts, see parse_sheet_script_test.cpp).
#include "parsesheet/parse_sheet.h"

#include <thread>

#include <gtest/gtest.h>

namespace gramarbor {
namespace {

TEST(ParseSheet, ASearchRunElsewhereReportsOnTheCallingThreadAfterwards) {
    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    TParseSheet Sheet{Sink, Measurer};
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id searcher;
    TParseRequest request;
    request.Runner = [&](const std::function<bool()>& search) {
        bool result = false;
        std::thread worker([&] {
            searcher = std::this_thread::get_id();
            result = search();
        });
        worker.join();
        return result;
    };
    // A refusal's message waits for the search to end.
    TParseOutcome outcome = Sheet.Parse({"S = \"the\" \"dog\""}, "the dog ?", request);
    EXPECT_EQ(outcome.Verdict, TParseVerdict::Refused);
    EXPECT_NE(searcher, caller);
    ASSERT_EQ(Sink.Entries().size(), 1u);
    EXPECT_EQ(Sheet.Parser.Sink, static_cast<MessageSink*>(&Sink));
}

} // namespace
} // namespace gramarbor
