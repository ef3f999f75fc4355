// The help texts: the instructions show the quick start, and the dialogs show the
// texts.
#include "workbench/help_texts.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "workbench/info_dialogs.h"

namespace gramarbor {
namespace {

// The docs test runs the quick start; the instructions must show that grammar.
TEST(HelpTexts, InstructionsShowTheQuickStartTheDocsTestRuns) {
    for (const std::string& line : QuickStartGrammar())
        EXPECT_NE(ParseHelp().find(line), std::string::npos) << line;
    EXPECT_NE(ParseHelp().find(QuickStartSentence()), std::string::npos);
}

// Plain ASCII: the same bytes in Windows-1252 and UTF-8, wherever they are shown.
TEST(HelpTexts, TextsArePlainAscii) {
    for (const std::string* text :
         {&ParseHelp(), &TreeHelp(), &DefNodeHelpText(), &IOFormHelpText(), &InfoDescription()})
        for (char c : *text)
            EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80) << *text;
    THelpPageDlg help;
    EXPECT_EQ(help.ParseHelpMemo->toPlainText().toStdString(), ParseHelp());
    EXPECT_EQ(help.TreeHelpMemo->toPlainText().toStdString(), TreeHelp());
}

} // namespace
} // namespace gramarbor
