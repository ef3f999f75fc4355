// The window's small helpers: file filters, caret placement, shift states, the code
// page at the widget edge and the help texts; memory that runs out inside a command
// (one message, and the next command runs as before).
#include <new>
#include <tuple>

#include <QDir>
#include <QFileDialog>

#include "workbench/help_texts.h"
#include "workbench/memo_caret.h"
#include "workbench/picture_file_dialog.h"
#include "workbench/window_fixture.h"
#include "workbench/workbench_app.h"

namespace gramarbor {
namespace {

TEST(QtNameFilterTest, OffersEveryExtensionInBothCases) {
    EXPECT_EQ(QtNameFilter(QStringLiteral("CFG files|*.CFG|All files|*.*")),
              "CFG files (*.CFG *.cfg);;All files (*)");
    EXPECT_EQ(QtNameFilter(QStringLiteral("Windows MetaFiles|*.WMF")),
              "Windows MetaFiles (*.WMF *.wmf)");
    EXPECT_EQ(QtNameFilter(QStringLiteral("Pictures|*.wmf;*.Svg")),
              "Pictures (*.wmf *.WMF *.Svg *.SVG *.svg)");
}

TEST(SetMemoCaretTest, ClampsTheColumnToItsLine) {
    QPlainTextEdit memo(QStringLiteral("first\nsecond line\nx"));
    SetMemoCaret(memo, 1, 3);
    EXPECT_EQ(memo.textCursor().blockNumber(), 1);
    EXPECT_EQ(memo.textCursor().positionInBlock(), 3);
    SetMemoCaret(memo, 0, 99);
    EXPECT_EQ(memo.textCursor().position(), 5);
    EXPECT_FALSE(memo.textCursor().hasSelection());
    SetMemoCaret(memo, 7, 0);
    EXPECT_TRUE(memo.textCursor().atEnd());
}

TEST(ShiftStateTest, ReportsButtonsKeysAndDoubleClicks) {
    EXPECT_EQ(ShiftStateOf(Qt::RightButton, Qt::NoModifier, false), ssRight);
    EXPECT_EQ(ShiftStateOf(Qt::RightButton, Qt::ControlModifier, false), ssRight | ssCtrl);
    EXPECT_EQ(ShiftStateOf(Qt::LeftButton | Qt::RightButton, Qt::NoModifier, false),
              ssLeft | ssRight);
    EXPECT_EQ(ShiftStateOf(Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier, true),
              ssLeft | ssShift | ssAlt | ssDouble);
}

TEST(FileChoiceTest, ABareNameTakesTheChosenTypesExtension) {
    const QString filter = PictureFileFilter;
    const std::tuple<const char*, int, const char*> cases[] = {
        {"/d/tree_a", 1, "/d/tree_a.svg"},     {"/d/tree_a", 4, "/d/tree_a.wmf"}, // All files
        {"/d/tree_a", 9, "/d/tree_a.wmf"},                                        // no such type
        {"/d/tree_a.png", 1, "/d/tree_a.png"}, {"/d.x/tree", 3, "/d.x/tree.pdf"}, {"", 1, ""}};
    for (const auto& [name, chosen, saved] : cases)
        EXPECT_EQ(
            WithChosenExtension({QString::fromLatin1(name), chosen}, filter, QStringLiteral("WMF")),
            QString::fromLatin1(saved))
            << name;
}

// The real save dialog: choosing "SVG pictures" and typing a bare name gives that
// name with ".svg", not the default ".WMF".
TEST(FileChoiceTest, TheSaveDialogFollowsTheChosenFileType) {
    const QString bare = QDir::temp().filePath(
        QStringLiteral("gramarbor_tree_%1").arg(QCoreApplication::applicationPid()));
    QtPrompter prompter(nullptr);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer, &bare] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !QTest::qWaitForWindowExposed(dialog)) return;
        answer.stop();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(name, nullptr);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        name->setFocus();
        QTest::keyClicks(name, bare);
        QTest::keyClick(name, Qt::Key_Return);
    });
    answer.start(10);
    const TFileChoice choice = prompter.SaveFile(
        {QStringLiteral("Save as WMF"), PictureFileFilter, QStringLiteral("WMF")});
    answer.stop();
    EXPECT_EQ(choice.Name, bare + ".svg");
    EXPECT_EQ(choice.Filter, 1);
}

TEST(TextConversionTest, WindowsCodePageAtTheWidgetEdge) {
    EXPECT_EQ(FromCore("don\xB4t"), QStringLiteral("don\u00B4t"));
    EXPECT_EQ(ToCore(QStringLiteral("\u203Athe\u2039")), "\x9Bthe\x8B");
    EXPECT_EQ(ToCore(QStringLiteral("a\u4E00b")), "a?b");
}

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
}

// A receiver whose first command runs out of memory. The event lives on the test's
// stack: an exception thrown through Qt's own delivery of a mouse click would leak
// the copy of the event that Qt makes for the widget.
class TCommandReceiver final : public QObject {
public:
    int Commands = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        if (++Commands == 1) throw std::bad_alloc();
        return true;
    }
};

TEST(WorkbenchApp, CommandWithoutMemoryEndsInOneMessageAndTheNextOneRuns) {
    auto* app = dynamic_cast<TWorkbenchApp*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    std::vector<std::string> shown;
    const auto previous = app->ShowMemoryMessage;
    app->ShowMemoryMessage = [&shown](const std::string& text) { shown.push_back(text); };

    TCommandReceiver receiver;
    QEvent command(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &command));
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &command));
    EXPECT_EQ(receiver.Commands, 2);
    EXPECT_EQ(shown, std::vector<std::string>{MsgOutOfMemory});
    app->ShowMemoryMessage = previous;
}

} // namespace
} // namespace gramarbor
