// The help texts: the quick-start grammar of the instructions really works, and the
// dialogs show the texts.
#include "workbench/help_texts.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "parsesheet/parse_sheet.h"
#include "workbench/info_dialogs.h"

namespace gramarbor {
namespace {

TEST(HelpTexts, QuickStartGrammarChecksAndParsesItsSentence) {
    RecordingSink sink;
    ApproxTextMeasurer measurer;
    TParseSheet sheet(sink, measurer);
    EXPECT_TRUE(sheet.Parse(QuickStartGrammar(), QuickStartSentence()).Accepted()) << sink.Last();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    // The help shows the same grammar and sentence.
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
