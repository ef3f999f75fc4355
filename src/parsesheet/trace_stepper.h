// Stepping through a trace list: the partial analysis at the line stepped to,
// drawn as trees side by side with its nodes marked. Nodes still to expand are
// grey and italic, words matched so far bold, and the nodes of the line's own step
// red.
#pragma once

#include <cstddef>
#include <string>

#include "base/message_sink.h"
#include "parsing/partial_analysis.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "tree/tree.h"

namespace gramarbor {

inline constexpr TColor PendingNodeColor = 0x808080; // grey
inline constexpr TColor StepNodeColor = clRed;

class TTraceStepper {
public:
    // measurer sizes the texts of the drawing.
    explicit TTraceStepper(TextMeasurer& measurer);
    TTraceStepper(const TTraceStepper&) = delete;
    TTraceStepper& operator=(const TTraceStepper&) = delete;

    // The steps of the trace shown now (taken over), or none.
    void SetHistory(TTraceHistory history);
    void Clear();
    std::size_t LineCount() const { return History.Lines(); }

    // Rebuilds and draws the partial analysis at line. False when there is none or
    // it cannot be drawn: Picture() is then empty and Message() says why.
    bool ShowLine(std::size_t line);

    const TPartialAnalysis& Analysis() const { return Shown; }
    // The drawing of the line shown last.
    const Picture& GetPicture() const { return Drawing; }
    const std::string& Message() const { return Reason; }

private:
    bool Draw();

    TextMeasurer& Measurer;
    // Reports go into Reason, not to a dialog: stepping must not be interrupted.
    RecordingSink Quiet;
    TTree Tree;
    TTraceHistory History;
    TPartialAnalysis Shown;
    Picture Drawing;
    std::string Reason;
};

} // namespace gramarbor
