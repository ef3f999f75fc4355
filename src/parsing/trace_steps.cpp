// The compact store of the trace lines' steps.
#include "parsing/trace_steps.h"

namespace gramarbor {

const uint32_t* TTraceSteps::ChoicesOf(std::size_t line, std::size_t& count) const {
    const std::size_t begin = Steps[line].ChoicesBegin;
    const std::size_t end = line + 1 < Steps.size() ? Steps[line + 1].ChoicesBegin : Choices.size();
    count = end > begin ? end - begin : 0;
    return Choices.data() + begin;
}

bool TTraceSteps::Fits(std::size_t count) const {
    constexpr std::size_t limit = NoTraceLine;
    return Steps.size() < limit && count <= limit && Choices.size() <= limit - count;
}

void TTraceSteps::Push(TStepKind kind, uint32_t from, const uint32_t* choices, std::size_t count) {
    const std::size_t begin = Choices.size();
    Choices.insert(Choices.end(), choices, choices + count);
    try {
        Steps.push_back({from, static_cast<uint32_t>(begin), kind});
    } catch (...) {
        Choices.resize(begin);
        throw;
    }
}

std::size_t TTraceSteps::PopLast() {
    if (Steps.empty()) return 0;
    const std::size_t begin = Steps.back().ChoicesBegin;
    const std::size_t count = Choices.size() - begin;
    Steps.pop_back();
    Choices.resize(begin);
    return Cost(count);
}

void TTraceSteps::Clear() {
    Steps.clear();
    Choices.clear();
    WordRules.clear();
}

} // namespace gramarbor
