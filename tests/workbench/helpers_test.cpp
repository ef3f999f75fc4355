// The window's small helpers: file filters, caret placement, shift states, the
// up-down control and the condition dialog view.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "rtn/cond_dialog.h"
#include "workbench/memo_caret.h"
#include "workbench/picture_file_dialog.h"
#include "workbench/prompter.h"
#include "workbench/rtn_dialogs.h"
#include "workbench/widgets.h"

namespace gramarbor {
namespace {

using ::testing::ElementsAre;

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
    EXPECT_EQ(memo.textCursor().blockNumber(), 0);
    EXPECT_EQ(memo.textCursor().positionInBlock(), 5);
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

TEST(UpDownTest, StepsWithinItsRangeUnlessRefused) {
    TUpDown upDown;
    upDown.SetRange(0, 2);
    int clicks = 0;
    QObject::connect(&upDown, &TUpDown::Clicked, [&] { ++clicks; });
    upDown.Step(-1);
    EXPECT_EQ(upDown.Position(), 0);
    upDown.Step(1);
    upDown.Step(1);
    upDown.Step(1);
    EXPECT_EQ(upDown.Position(), 2);
    EXPECT_EQ(clicks, 2);
    upDown.Changing = [] { return false; };
    upDown.Step(-1);
    EXPECT_EQ(upDown.Position(), 2);
    EXPECT_EQ(clicks, 2);
}

// The view shows the model and hands edits and clicks back to it.
TEST(CondDlgViewTest, ForwardsCellsAndClicksToItsModel) {
    RecordingSink sink;
    TCondDlg model(sink);
    model.SetupCondDlg("np", 4, false, 1);
    for (int r = 1; r <= CondRows; ++r) {
        model.Srcs[r] = model.DefaultSrc;
        model.Dsts[r] = model.DefaultDst;
    }
    model.FormShow();
    TCondDlgView view;
    view.Load(model);
    EXPECT_EQ(view.EnterConds->item(0, 1)->text(), "NP1");
    // The source column cannot be edited.
    EXPECT_FALSE(view.EnterConds->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(view.EnterConds->item(0, 0)->flags() & Qt::ItemIsEditable);

    view.EnterConds->item(0, 0)->setText(QStringLiteral("det"));
    view.NodeTypeRGClick(1); // "Optional" adds the jump-arc
    EXPECT_EQ(view.EnterConds->item(1, 0)->text(), "jmp");
    view.OkBtnClick();
    EXPECT_EQ(model.DlgResult, DlgAccepted);
    EXPECT_EQ(model.Conds[1], "DET");
    EXPECT_TRUE(sink.Empty());

    view.HelpBtnClick();
    EXPECT_EQ(view.HelpBtn->text(), "Close help");
    EXPECT_FALSE(view.OkBtn->isEnabled());
    view.HelpBtnClick();
    EXPECT_EQ(view.HelpBtn->text(), "Help");

    view.EnterConds->item(0, 0)->setText(QStringLiteral("@word"));
    view.OkBtnClick();
    EXPECT_EQ(model.DlgResult, DlgAgain);
    EXPECT_THAT(sink.Texts(), ElementsAre("Error in #1: only \"@Ident\", \"@Number\", \"@Float\", "
                                          "\"@Integer\" is allowed."));
    view.CancelBtnClick();
    EXPECT_EQ(model.DlgResult, DlgCancelled);
}

TEST(CondDlgViewTest, PopNodeIsShownReadOnly) {
    RecordingSink sink;
    TCondDlg model(sink);
    model.SetupCondDlg("S", 3, false, 2);
    model.Conds[1] = "pop";
    model.FormShow();
    TCondDlgView view;
    view.Load(model);
    EXPECT_FALSE(view.EnterConds->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(view.ClearAllBtn->isEnabled());
    EXPECT_FALSE(view.NodeTypeRG->isEnabled());
}

TEST(FileChoiceTest, ABareNameTakesTheChosenTypesExtension) {
    const QString filter = PictureFileFilter;
    EXPECT_EQ(FilterExtension(filter, 1), "SVG");
    EXPECT_EQ(FilterExtension(filter, 4), ""); // All files
    EXPECT_EQ(FilterExtension(filter, 9), "");
    const struct {
        const char* Name;
        int Filter;
        const char* Saved;
    } cases[] = {{"/d/tree_a", 1, "/d/tree_a.svg"},
                 {"/d/tree_a", 4, "/d/tree_a.wmf"},
                 {"/d/tree_a.png", 1, "/d/tree_a.png"},
                 {"/d.x/tree", 3, "/d.x/tree.pdf"},
                 {"", 1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(WithChosenExtension({QString::fromLatin1(c.Name), c.Filter}, filter,
                                      QStringLiteral("WMF")),
                  QString::fromLatin1(c.Saved))
            << c.Name;
}

// The real save dialog: choosing "SVG pictures" and typing a bare name gives that
// name with ".svg", not the default ".WMF".
TEST(FileChoiceTest, TheSaveDialogFollowsTheChosenFileType) {
    const QString folder = QDir::temp().filePath(
        QStringLiteral("gramarbor_dialog_%1").arg(QCoreApplication::applicationPid()));
    QDir(folder).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    QtPrompter prompter(nullptr);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
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
        QTest::keyClicks(name, QStringLiteral("tree_a"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    answer.start(10);
    const TFileChoice choice = prompter.SaveFile(
        {QStringLiteral("Save as WMF"), PictureFileFilter, QStringLiteral("WMF")});
    answer.stop();
    QDir::setCurrent(previous);
    QDir(folder).removeRecursively();
    EXPECT_EQ(QFileInfo(choice.Name).fileName(), "tree_a.svg");
    EXPECT_EQ(choice.Filter, 1);
}

TEST(TextConversionTest, WindowsCodePageAtTheWidgetEdge) {
    EXPECT_EQ(FromCore("don\xB4t"), QStringLiteral("don\u00B4t"));
    EXPECT_EQ(ToCore(QStringLiteral("\u203Athe\u2039")), "\x9Bthe\x8B");
    EXPECT_EQ(ToCore(QStringLiteral("a\u4E00b")), "a?b");
}

} // namespace
} // namespace gramarbor
