// The window and its dialogs on the smallest screen the program accepts, 1024 x 768:
// every caption reads in full, nothing is cut off, and dialogs keep their size.
#include <QScreen>
#include <QTextBrowser>

#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

class SmallScreenTest : public test::ShownWindow {
protected:
    // The controls of page narrower than they need: captions narrower than their
    // text, anything narrower than its minimum (a layout that overflows).
    static std::vector<std::string> Squeezed(QWidget* page) {
        std::vector<std::string> squeezed;
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            if (!widget->isVisible() || widget->isWindow()) continue;
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text();
            else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap())
                text = label->text();
            int needed = std::max(widget->minimumWidth(), widget->minimumSizeHint().width());
            if (!text.isEmpty()) needed = std::max(needed, widget->sizeHint().width());
            if (widget->width() < needed)
                squeezed.push_back(widget->metaObject()->className() + std::string(" ") +
                                   (text.isEmpty() ? widget->objectName() : text).toStdString() +
                                   ": " + std::to_string(widget->width()) + " < " +
                                   std::to_string(needed));
        }
        return squeezed;
    }
};

TEST_F(SmallScreenTest, EveryCaptionOfBothSheetsReadsInFull) {
    ASSERT_EQ(QApplication::primaryScreen()->geometry().size(), QSize(1024, 768));
    ASSERT_TRUE(Form->Started());
    for (QWidget* sheet : {static_cast<QWidget*>(Form->Parsing), Form->TreeSheet}) {
        ShowPage(Form->GlobalPC, sheet);
        QTest::qWait(20);
        EXPECT_EQ(Squeezed(Form.get()), std::vector<std::string>())
            << sheet->objectName().toStdString();
    }
}

TEST_F(SmallScreenTest, InformationIsNeverCutOff) {
    WhenShown<TInfoDlg>([&](TInfoDlg& dialog) {
        EXPECT_TRUE(
            QApplication::primaryScreen()->availableGeometry().contains(dialog.frameGeometry()));
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            const int needed = label->hasHeightForWidth() ? label->heightForWidth(label->width())
                                                          : label->sizeHint().height();
            EXPECT_GE(label->height(), needed) << label->text().toStdString();
            EXPECT_GE(label->width(), label->minimumSizeHint().width())
                << label->text().toStdString();
        }
        // The description shows whole or scrolls: no line is out of reach.
        QTextBrowser* text = dialog.Description;
        const int shown = text->viewport()->height();
        const int needed = static_cast<int>(text->document()->size().height());
        EXPECT_TRUE(needed <= shown || text->verticalScrollBar()->isVisible())
            << needed << " > " << shown;
        EXPECT_GT(text->toPlainText().size(), 200);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    Click(Form->InfoBtn);
}

TEST_F(SmallScreenTest, DefineNodeKeepsItsSizeAcrossEditAndTake) {
    ShowPage(Form->GlobalPC, Form->TreeSheet);
    TypeSentence(QStringLiteral("[S [NP] [VP]]"));
    TTreesSheetView* view = Form->Trees;
    Click(view->TextToTreeBtn);
    const TNode* root = view->Sheet().Tree1.GetRoot();
    bool shown = false;
    WhenShown<TDefNodeDlgView>([&](TDefNodeDlgView& dialog) {
        shown = true;
        const QSize before = dialog.size();
        Click(dialog.NodeTextBtn); // Edit
        EXPECT_TRUE(dialog.NodeTextMemo->isVisible());
        Click(dialog.NodeTextBtn); // Take
        QTest::qWait(20);
        EXPECT_EQ(dialog.size(), before);
        EXPECT_EQ(dialog.NodeTextEdit->text(), "S");
        Click(dialog.BitBtn1); // Cancel
    });
    Click(
        view->TreePaint1, Qt::LeftButton, Qt::NoModifier,
        QPoint((root->Rect.Left + root->Rect.Right) / 2, (root->Rect.Top + root->Rect.Bottom) / 2));
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace gramarbor
