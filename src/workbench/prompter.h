// Message boxes and file dialogs behind an interface, so that the window can be driven
// by tests that answer the dialogs and record the messages instead of blocking.
#pragma once

#include <string>

#include <QString>

#include "base/message_sink.h"

class QWidget;

namespace gramarbor {

// An open or save dialog: title, filter in the "Name|*.EXT|All files|*.*" form and
// the extension added to a name typed without one.
struct TFileDialogRequest {
    QString Title;
    QString Filter;
    QString DefaultExt;
};

// What a save dialog returned: the name (empty when cancelled) and the file type the
// user had chosen, as the index of its "Name|pattern" pair in the request's filter.
struct TFileChoice {
    QString Name;
    int Filter = 0;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal box with one OK button (an Abort button when abort is set).
    virtual void Message(MessageKind kind, const QString& text, bool abort = false) = 0;
    // The chosen file name, or an empty string when the user cancelled. Open dialogs
    // accept only existing files.
    virtual QString OpenFileName(const TFileDialogRequest& request) = 0;
    virtual TFileChoice SaveFile(const TFileDialogRequest& request) = 0;
    QString SaveFileName(const TFileDialogRequest& request) { return SaveFile(request).Name; }
};

// QMessageBox and QFileDialog, parented to a window. A name typed without an
// extension gets that of the chosen file type (the request's default extension for
// "All files"), in lower case.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : Parent(parent) {}
    void Message(MessageKind kind, const QString& text, bool abort) override;
    QString OpenFileName(const TFileDialogRequest& request) override;
    TFileChoice SaveFile(const TFileDialogRequest& request) override;

private:
    QWidget* Parent;
};

// The extension of pair index of a "Name|*.EXT|..." filter, without the dot; empty
// for "*.*" or when there is no such pair.
QString FilterExtension(const QString& filter, int index);
// The chosen name, with the extension of the chosen file type (else defaultExt), in
// lower case, added when the name has none.
QString WithChosenExtension(const TFileChoice& choice, const QString& filter,
                            const QString& defaultExt);

// The Qt name filter for a "Name|*.EXT|..." filter. Every extension pattern is
// offered in upper and lower case, since file names on Linux are case-sensitive:
// "CFG files|*.CFG|All files|*.*" gives "CFG files (*.CFG *.cfg);;All files (*)".
QString QtNameFilter(const QString& filter);

// Core messages (Windows-1252) shown through a prompter.
class PrompterSink final : public MessageSink {
public:
    explicit PrompterSink(Prompter& prompter) : Target(prompter) {}
    void Show(MessageKind kind, const std::string& text) override;

private:
    Prompter& Target;
};

// Text conversion at the widget edge: core text is Windows-1252, Qt text UTF-16.
QString FromCore(const std::string& text);
// Characters that Windows-1252 cannot hold become "?".
std::string ToCore(const QString& text);

} // namespace gramarbor
