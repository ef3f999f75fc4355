// The help texts: the quick-start grammar of the instructions really works, and the
// dialogs show the texts.
#include "workbench/help_texts.h"

#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "workbench/environment_io.h"
#include "workbench/fake_prompter.h"
#include "workbench/info_dialogs.h"
#include "workbench/main_window.h"
#include "workbench/network_page.h"
#include "workbench/parsing_page.h"

namespace gramarbor {
namespace {

TEST(HelpTexts, QuickStartGrammarChecksAndParsesItsSentence) {
    // A program folder without settings, so that the defaults hold.
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("gramarbor_help_" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(dir);
    SetProgramDir(dir.string());
    test::FakePrompter prompts;
    TForm1 form(&prompts);
    SetProgramDir("");
    std::filesystem::remove_all(dir);
    QString grammar;
    for (const std::string& line : QuickStartGrammar())
        grammar += QString::fromLatin1(line) + QLatin1Char('\n');
    form.Parsing->SrcCFG->setPlainText(grammar);
    form.Parsing->CheckClick();
    EXPECT_TRUE(prompts.Messages.empty()) << prompts.Last();
    form.Parsing->ParseTreeCB->click(); // only the answer
    form.InputText->setEditText(QString::fromLatin1(QuickStartSentence()));
    form.Parsing->ParseClick();
    EXPECT_EQ(prompts.Last(), "Parsing successful!");
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
