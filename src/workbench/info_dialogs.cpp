// The information and instructions dialogs and their texts.
#include "workbench/info_dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "core_version.h"
#include "workbench/prompter.h"

namespace gramarbor {

QString ParseHelpText() {
    return QStringLiteral(
        "QUICK START\n"
        "1. Type this grammar into \"External CFG\", one rule per line:\n"
        "     S = NP VP\n"
        "     NP = DET N\n"
        "     VP = V NP\n"
        "     DET = \"the\"\n"
        "     N = \"cat\"\n"
        "     N = \"dog\"\n"
        "     V = \"chases\"\n"
        "2. Press \"Check CFG\": the numbered rules appear on \"Internal CFG\".\n"
        "3. Type the sentence  the dog chases the cat  into \"In/out text\" and press "
        "\"Parse CFG\". \"Parse tree(s)\" shows every analysis; step through them with "
        "the arrows.\n\n"
        "GRAMMAR NOTATION\n"
        "\u2022 S = NP VP \u2013 a rule: one non-terminal, \"=\", its parts separated by "
        "blanks.\n"
        "\u2022 DET = \"the\" \u2013 words of the sentence are written in double quotes.\n"
        "\u2022 NP = DET [ADJ] N \u2013 [x] is an optional part.\n"
        "\u2022 NP = DET {ADJ} N \u2013 {x} is repeated zero or more times.\n"
        "\u2022 N = <\"cat\",\"dog\"> \u2013 <a,b> is exactly one of the alternatives.\n"
        "\u2022 VP = V (NP,PP) \u2013 (a,b) is one of the alternatives or nothing.\n"
        "\u2022 NAME = @Ident \u2013 any identifier; also @Number, @Float and @Integer.\n"
        "\u2022 Lines beginning with // and empty lines are ignored.\n"
        "Exactly one non-terminal may appear on no right side: the start symbol (S "
        "above), and it has one rule. Letter case of non-terminals does not matter.\n\n"
        "PARSING OPTIONS\n"
        "With \"Create trace list\" the chosen method (top down or bottom up) and "
        "direction (depth or breadth first) are traced on \"Trace list\": every pattern "
        "tried (\"Detailed\") or only the successful path (\"Optimal\"). Rule numbers "
        "refer to \"Internal CFG\". \"Create parse tree(s)\" draws all analyses. A long "
        "parse can be cancelled from its progress window.\n\n"
        "RECURSIVE TRANSITION NETWORKS\n"
        "\"Make RTN\" draws one net per rule on \"RTNetwork\"; \"Make CFG\" turns the "
        "network back into a grammar. Move the mouse over the drawing: a red frame marks a "
        "net name or a transition between two nodes.\n"
        "\u2022 Left click on a transition: edit the arcs of its first node.\n"
        "\u2022 Left click on a net name: rename the net.\n"
        "\u2022 Right click: insert a node (on a transition) or a net (on a name).\n"
        "\u2022 Ctrl + right click: delete the node or the net.\n"
        "\"Save WMF\" writes the drawing as Windows metafile(s), \"Clipboard\" copies it.");
}

QString TreeHelpText() {
    return QStringLiteral(
        "TREES\n"
        "The trees sheet is an editor for tree diagrams. Bracketed text such as\n"
        "     [S [NP [DET the] [N dog]] [VP [V barks]]]\n"
        "typed into \"In/out text\" becomes a drawn tree, and a drawn tree can be "
        "written back as text.\n\n"
        "Parse trees found on the parsing sheet can be saved with \"Save tree\" on the "
        "\"Parse tree(s)\" page and loaded here as .TRE files.");
}

TInfoDlg::TInfoDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TInfoDlg"));
    setWindowTitle(QStringLiteral("Information"));
    auto* title = new QLabel(QStringLiteral("<h2>Gramarbor</h2>"), this);
    auto* description = new QLabel(
        QStringLiteral("A workbench for teaching syntax: context-free grammars are checked, "
                       "listed and used to parse sentences with four strategies, shown as "
                       "trace lists and parse trees, and drawn and edited as recursive "
                       "transition networks; tree diagrams are drawn and edited on the "
                       "trees sheet."),
        this);
    description->setWordWrap(true);
    VersionLabel = new QLabel(this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addWidget(VersionLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    setFixedWidth(380);
}

void TInfoDlg::showEvent(QShowEvent* event) {
    QString version = FromCore(VersionText());
    version.replace(QLatin1Char('\r'), QLatin1Char(' '));
    VersionLabel->setText(QStringLiteral("Version: ") + version);
    QDialog::showEvent(event);
}

THelpPageDlg::THelpPageDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("THelpPageDlg"));
    setModal(false);
    ParseHelpMemo = new QPlainTextEdit(ParseHelpText(), this);
    ParseHelpMemo->setObjectName(QStringLiteral("ParseHelpMemo"));
    TreeHelpMemo = new QPlainTextEdit(TreeHelpText(), this);
    TreeHelpMemo->setObjectName(QStringLiteral("TreeHelpMemo"));
    for (QPlainTextEdit* memo : {ParseHelpMemo, TreeHelpMemo}) {
        memo->setReadOnly(true);
        memo->move(8, 8);
    }
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
    setFixedWidth(400);
    resize(400, 300);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(200, 150));
    ShowPage(1);
}

void THelpPageDlg::ShowPage(int page) {
    CurrentPage = page == 2 ? 2 : 1;
    setWindowTitle(CurrentPage == 1 ? QStringLiteral("Instructions (Parsing)")
                                    : QStringLiteral("Instructions (Trees)"));
    ParseHelpMemo->setVisible(CurrentPage == 1);
    TreeHelpMemo->setVisible(CurrentPage == 2);
}

void THelpPageDlg::resizeEvent(QResizeEvent* event) {
    // The width stays 400 (fixed); the memos fill the rest above the close button.
    const int w = width();
    const int h = height();
    const QSize button = CloseBtn->sizeHint();
    CloseBtn->setGeometry(w - button.width() - 16, h - button.height() - 12, button.width(),
                          button.height());
    for (QPlainTextEdit* memo : {ParseHelpMemo, TreeHelpMemo})
        memo->setGeometry(8, 8, w - 16, h - button.height() - 28);
    QDialog::resizeEvent(event);
}

} // namespace gramarbor
