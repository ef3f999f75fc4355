// Message boxes and file dialogs of the program, and the text conversion at widgets.
#include "workbench/prompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "text/cp1252.h"

namespace gramarbor {

void QtPrompter::Message(MessageKind kind, const QString& text, bool abort) {
    QMessageBox box(Parent);
    box.setWindowTitle(QStringLiteral("Gramarbor"));
    box.setText(text);
    switch (kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setStandardButtons(abort ? QMessageBox::Abort : QMessageBox::Ok);
    box.exec();
}

namespace {

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.Title);
    dialog.setNameFilter(QtNameFilter(request.Filter));
    dialog.setDefaultSuffix(request.DefaultExt);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

} // namespace

QString QtPrompter::OpenFileName(const TFileDialogRequest& request) {
    return RunFileDialog(Parent, request, false);
}

QString QtPrompter::SaveFileName(const TFileDialogRequest& request) {
    return RunFileDialog(Parent, request, true);
}

QString QtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            for (const QString& variant : {pattern, pattern.toUpper(), pattern.toLower()})
                if (!patterns.contains(variant)) patterns << variant;
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

void PrompterSink::Show(MessageKind kind, const std::string& text) {
    if (Target) Target->Message(kind, FromCore(text));
}

QString FromCore(const std::string& text) {
    return QString::fromStdString(Cp1252ToUtf8(text));
}

std::string ToCore(const QString& text) {
    std::string out;
    if (Utf8ToCp1252(text.toStdString(), out)) return out;
    out.clear();
    for (const QChar c : text) {
        std::string one;
        out += Utf8ToCp1252(QString(c).toStdString(), one) ? one : std::string("?");
    }
    return out;
}

} // namespace gramarbor
