// The information and instructions dialogs and their texts.
#include "workbench/info_dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core_version.h"
#include "workbench/help_texts.h"
#include "workbench/prompter.h"

namespace gramarbor {

QString ParseHelpText() {
    return QString::fromLatin1(ParseHelp());
}

QString TreeHelpText() {
    return QString::fromLatin1(TreeHelp());
}

TInfoDlg::TInfoDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TInfoDlg"));
    setWindowTitle(QStringLiteral("Information"));
    auto* title = new QLabel(QStringLiteral("<h2>Gramarbor</h2>"), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    // The description scrolls when it does not fit, so no line is ever cut.
    Description = new QTextBrowser(this);
    Description->setObjectName(QStringLiteral("Description"));
    Description->setPlainText(QString::fromLatin1(InfoDescription()));
    Description->setFrameShape(QFrame::NoFrame);
    Description->viewport()->setAutoFillBackground(false);
    Description->setMinimumHeight(8 * fontMetrics().lineSpacing());
    VersionLabel = new QLabel(this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(Description, 1);
    layout->addWidget(VersionLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    resize(440, sizeHint().height());
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
