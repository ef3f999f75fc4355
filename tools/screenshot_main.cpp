// Takes pictures of the main window for a look by eye: after parsing the quick-start
// sentence with its tree, after "Make RTN" with the focus frame on a transition, and
// the trees sheet with two marked-up trees, a highlighted node and its definition.
// Usage: workbench_screenshot OUTPUT_FOLDER
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QThread>

#include "workbench/info_dialogs.h"
#include "workbench/main_window.h"
#include "workbench/network_page.h"
#include "workbench/parsing_page.h"
#include "workbench/rtn_dialogs.h"
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

bool Shoot(QWidget& window, const QString& path) {
    Settle();
    return window.grab().save(path);
}

// Frame, triangle and arrow flags of the node reached by the child path.
void Mark(gramarbor::TNode* node, std::initializer_list<int> path, uint16_t flags) {
    for (int i : path)
        node = node->Children[i].get();
    node->Attr.Flags |= flags;
}

// Two trees with markup, frames, triangles, arrows and annotations; a node of the
// right one under the mouse, and its definition as the dialog opens on it.
bool ShootTrees(gramarbor::TForm1& form, const QString& folder) {
    using namespace gramarbor;
    form.GlobalPC->setCurrentWidget(form.TreeSheet);
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
    const TRect& r = root2->Children[1]->Rect;
    const QPointF at((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, view.TreePaint2->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.TreePaint2, &move);
    bool ok = Shoot(form, folder + QStringLiteral("/trees.png"));
    TDefNodeDlg model;
    model.Fill(*root2->Children[1]);
    view.DefNodeDlg->Load(model);
    view.DefNodeDlg->show();
    ok = Shoot(*view.DefNodeDlg, folder + QStringLiteral("/trees-node.png")) && ok;
    view.DefNodeDlg->hide();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    gramarbor::TForm1 form;
    if (!form.Started()) return 1;
    form.FormShow();
    Settle();

    form.Parsing->SrcCFG->setPlainText(
        QStringLiteral("// The quick-start grammar\nS = NP VP\nNP = DET N\n"
                       "VP = V NP\nDET = \"the\"\nN = \"cat\"\nN = \"dog\"\n"
                       "V = \"chases\""));
    form.InputText->setEditText(QStringLiteral("the dog chases the cat"));
    form.Parsing->ParseClick();
    bool ok = Shoot(form, folder + QStringLiteral("/parse-tree.png"));

    form.Parsing->TraceListCB->click();
    form.Parsing->ParseClick();
    form.Parsing->ParsingPC->setCurrentWidget(form.Parsing->TraceSheet);
    ok = Shoot(form, folder + QStringLiteral("/trace.png")) && ok;

    form.Parsing->Network->MakeRTNClick();
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 3 * 128 + 60),
                     form.Parsing->Network->PaintBox1->mapToGlobal(QPointF(300, 3 * 128 + 60)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Parsing->Network->PaintBox1, &move);
    ok = Shoot(form, folder + QStringLiteral("/rtn.png")) && ok;

    // The condition dialog as it opens on the transition NP1-NP2.
    gramarbor::TCondDlg& model = form.Parsing->Network->Workspace().CondDlg;
    model.SetupCondDlg("NP", 3, false, 1);
    model.Conds[1] = "N";
    for (int r = 1; r <= gramarbor::CondRows; ++r) {
        model.Srcs[r] = "NP1";
        model.Dsts[r] = "NP2";
    }
    model.FormShow();
    gramarbor::TCondDlgView condView;
    condView.Load(model);
    condView.show();
    ok = Shoot(condView, folder + QStringLiteral("/conditions.png")) && ok;
    condView.hide();

    form.InstructionBtnClick();
    ok = Shoot(*form.HelpPageDlg, folder + QStringLiteral("/instructions.png")) && ok;
    form.HelpPageDlg->hide();
    return ShootTrees(form, folder) && ok ? 0 : 1;
}
