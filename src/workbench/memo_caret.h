// Placing the caret in a multi-line text field.
#pragma once

class QPlainTextEdit;

namespace gramarbor {

// SetMemoCaret: the caret at line and column (both 0-based) of a text field, the
// column clamped to the line, scrolled into view.
void SetMemoCaret(QPlainTextEdit& memo, int line, int column);
// SelectMemoLine: the whole line (0-based) selected, the caret at its start, scrolled
// into view; past the end, the caret at the end of the text.
void SelectMemoLine(QPlainTextEdit& memo, int line);

} // namespace gramarbor
