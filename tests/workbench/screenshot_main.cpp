// Takes pictures of the main window for a look by eye: after parsing the quick-start
// sentence with its tree, and after "Make RTN" with the focus frame on a transition.
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
    return ok ? 0 : 1;
}
