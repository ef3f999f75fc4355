// Takes a picture of the trees sheet for a look by eye: two trees with markup,
// frames, triangles, arrows and annotations, and a highlighted node.
// Usage: workbench_trees_screenshot OUTPUT_FILE
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTabWidget>
#include <QThread>

#include <cstdio>

#include "workbench/main_window.h"
#include "workbench/tree_dialogs.h"
#include "workbench/trees_sheet.h"
#include "workbench/widgets.h"

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// Frame, triangle and arrow flags of the node reached by the child path.
void Mark(gramarbor::TNode* node, std::initializer_list<int> path, uint16_t flags) {
    for (int i : path)
        node = node->Children[i].get();
    node->Attr.Flags |= flags;
}

// Prints messages instead of blocking in a box.
class PrintingPrompter final : public gramarbor::Prompter {
public:
    void Message(gramarbor::MessageKind, const QString& text, bool) override {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    QString OpenFileName(const gramarbor::TFileDialogRequest&) override { return {}; }
    gramarbor::TFileChoice SaveFile(const gramarbor::TFileDialogRequest&) override { return {}; }
};

} // namespace

int main(int argc, char** argv) {
    using namespace gramarbor;
    QApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("trees.png");
    PrintingPrompter prompter;
    TForm1 form(&prompter);
    if (!form.Started()) return 1;
    form.FormShow();
    form.GlobalPC->setCurrentWidget(form.TreeSheet);
    Settle();
    TTreesSheetView& view = *form.Trees;
    TTreeSheet& sheet = view.Sheet();

    form.InputText->setEditText(
        QStringLiteral("[S [NP%_1 [D [the]] [N [cat]]] [VP [V [chases]] [NP%_2 [%bdog%b]]]]"));
    view.TextToTreeBtnClick();
    TNode* root = sheet.Tree1.GetRoot();
    root->Cont = {"decl", "past%^+"};
    Mark(root, {0}, naRound);
    Mark(root, {1, 1}, naAngular);
    Mark(root, {1, 1, 0}, naTriangle);
    Mark(root, {0, 0, 0}, naArrow);
    root->Children[1]->Cont = {"%iaction%i"};
    sheet.ShowTree(0);

    sheet.SplitScreenCBClick(true);
    form.InputText->setEditText(QStringLiteral("[CP [C%^0] [IP [NP|she] [I' [I] [VP [V|left]]]]]"));
    view.TextToTreeBtnClick();
    TNode* root2 = sheet.Tree2.GetRoot();
    Mark(root2, {1}, naBrackets);
    Mark(root2, {1, 1, 1}, naTriangle | naRound);
    Mark(root2, {0}, naArrow);
    root2->Children[1]->Children[0]->Cont = {"3sg", "nom"};
    sheet.ShowTree(1);

    // Highlight a node of the right tree under the mouse.
    const TRect& r = root2->Children[1]->Rect;
    const QPointF at((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, view.TreePaint2->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.TreePaint2, &move);
    Settle();
    bool ok = form.grab().save(file);

    // The node definition as it opens on IP.
    TDefNodeDlg model;
    model.Fill(*root2->Children[1]);
    view.DefNodeDlg->Load(model);
    view.DefNodeDlg->show();
    Settle();
    QString dialogFile = file;
    dialogFile.replace(QStringLiteral(".png"), QStringLiteral("-node.png"));
    ok = view.DefNodeDlg->grab().save(dialogFile) && ok;
    view.DefNodeDlg->hide();
    return ok ? 0 : 1;
}
