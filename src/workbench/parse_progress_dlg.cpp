// The progress window of a long parse.
#include "workbench/parse_progress_dlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gramarbor {

TParseProgressDlg::TParseProgressDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ParseProgressDlg"));
    setWindowTitle(QStringLiteral("Parse CFG"));
    setWindowModality(Qt::ApplicationModal);
    StateLabel = new QLabel(QStringLiteral("Parsing\u2026 the search may take a long time."), this);
    StateLabel->setObjectName(QStringLiteral("StateLabel"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(CancelBtn, &QPushButton::clicked, this, &TParseProgressDlg::RequestCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StateLabel);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(CancelBtn);
    layout->addLayout(row);
}

void TParseProgressDlg::Finish() {
    Finished = true;
    hide();
}

void TParseProgressDlg::RequestCancel() {
    if (Requested) return;
    Requested = true;
    StateLabel->setText(QStringLiteral("Cancelling\u2026"));
    CancelBtn->setEnabled(false);
    emit CancelClicked();
}

void TParseProgressDlg::reject() {
    if (Finished)
        QDialog::reject();
    else
        RequestCancel();
}

void TParseProgressDlg::closeEvent(QCloseEvent* event) {
    if (Finished) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    RequestCancel();
}

} // namespace gramarbor
