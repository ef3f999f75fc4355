// Message boxes and file dialogs of the program, and the text conversion at widgets.
#include "workbench/prompter.h"

#include <algorithm>

#include <QFileDialog>
#include <QFileInfo>
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

TFileChoice RunFileDialog(QWidget* parent, const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.Title);
    const QString nameFilter = QtNameFilter(request.Filter);
    dialog.setNameFilter(nameFilter);
    // The extension added to a bare name follows the chosen file type, in lower case
    // as is usual on this system (files are found in either case).
    dialog.setDefaultSuffix(request.DefaultExt.toLower());
    const QStringList filters = nameFilter.split(QStringLiteral(";;"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        const QString ext =
            FilterExtension(request.Filter, static_cast<int>(filters.indexOf(chosen)));
        dialog.setDefaultSuffix((ext.isEmpty() ? request.DefaultExt : ext).toLower());
    });
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().front(),
            std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

} // namespace

QString QtPrompter::OpenFileName(const TFileDialogRequest& request) {
    return RunFileDialog(Parent, request, false).Name;
}

TFileChoice QtPrompter::SaveFile(const TFileDialogRequest& request) {
    return RunFileDialog(Parent, request, true);
}

QString FilterExtension(const QString& filter, int index) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (index < 0 || 2 * index + 1 >= parts.size()) return {};
    const QString pattern = parts[2 * index + 1].split(QLatin1Char(';')).front();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern == QLatin1String("*.*")) return {};
    return pattern.mid(2);
}

QString WithChosenExtension(const TFileChoice& choice, const QString& filter,
                            const QString& defaultExt) {
    if (choice.Name.isEmpty() || !QFileInfo(choice.Name).suffix().isEmpty()) return choice.Name;
    const QString ext = FilterExtension(filter, choice.Filter);
    return choice.Name + QLatin1Char('.') + (ext.isEmpty() ? defaultExt : ext).toLower();
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
    Target.Message(kind, FromCore(text));
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
