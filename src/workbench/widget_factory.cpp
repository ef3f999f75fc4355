// Widgets made the way every view of the program makes them.
#include "workbench/widget_factory.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

#include "workbench/widgets.h"

namespace gramarbor {

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (name) label->setObjectName(QLatin1String(name));
    return label;
}

QCheckBox* MakeCheckBox(const QString& caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

TUpDown* MakeUpDown(const char* name, int lo, int hi, QWidget* parent) {
    auto* upDown = new TUpDown(parent);
    upDown->setObjectName(QLatin1String(name));
    upDown->SetRange(lo, hi);
    return upDown;
}

QSpinBox* MakeSpinBox(const char* name, int lo, int hi, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(lo, hi);
    box->setValue(value);
    return box;
}

TRadioGroup* MakeRadioGroup(const QString& title, const QStringList& items, int columns,
                            const char* name, QWidget* parent) {
    auto* group = new TRadioGroup(title, items, columns, parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

QScrollArea* MakeWhiteScrollBox(const char* name, QWidget* content, QWidget* parent) {
    auto* box = new QScrollArea(parent);
    box->setObjectName(QLatin1String(name));
    box->setBackgroundRole(QPalette::Base);
    QPalette white = box->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    box->setAutoFillBackground(true);
    box->setWidget(content);
    box->setWidgetResizable(false);
    return box;
}

QPlainTextEdit* MakeMemo(const char* name, bool readOnly, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setReadOnly(readOnly);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Liberation Mono"));
    fixed.setStyleHint(QFont::Monospace);
    memo->setFont(fixed);
    return memo;
}

} // namespace gramarbor
