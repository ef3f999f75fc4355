// The global options dialog.
#include "workbench/glob_opts_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace gramarbor {

int MaxTextLengthFrom(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0) return 255;
    return value == 0 ? 1 : value;
}

TGlobOptsDlg::TGlobOptsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TGlobOptsDlg"));
    setWindowTitle(QStringLiteral("Global options"));
    SaveEnvirCB = new QCheckBox(QStringLiteral("Save complete environment when exiting"), this);
    SaveEnvirCB->setObjectName(QStringLiteral("SaveEnvirCB"));
    IOTextLenME = new QLineEdit(this);
    IOTextLenME->setObjectName(QStringLiteral("IOTextLenME"));
    // One required and four optional digits.
    IOTextLenME->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), this));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Maximum In/out text length:"), IOTextLenME);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SaveEnvirCB);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

} // namespace gramarbor
