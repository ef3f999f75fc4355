// Placing the caret in a multi-line text field.
#include "workbench/memo_caret.h"

#include <algorithm>

#include <QPlainTextEdit>
#include <QTextBlock>

namespace gramarbor {

void SetMemoCaret(QPlainTextEdit& memo, int line, int column) {
    QTextCursor cursor(memo.document());
    const QTextBlock block = memo.document()->findBlockByNumber(std::max(line, 0));
    if (!block.isValid()) {
        cursor.movePosition(QTextCursor::End);
    } else {
        const int length = block.length() - 1; // without the line break
        cursor.setPosition(block.position() + std::clamp(column, 0, std::max(length, 0)));
    }
    memo.setTextCursor(cursor);
    memo.ensureCursorVisible();
}

void SelectMemoLine(QPlainTextEdit& memo, int line) {
    const QTextBlock block = memo.document()->findBlockByNumber(std::max(line, 0));
    if (!block.isValid()) {
        SetMemoCaret(memo, line, 0);
        return;
    }
    QTextCursor cursor(memo.document());
    cursor.setPosition(block.position() + block.length() - 1);
    cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    memo.ensureCursorVisible();
}

} // namespace gramarbor
