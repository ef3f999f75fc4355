// A prompter for tests: records every message and answers the file dialogs from a
// queue, so that driving the window never blocks.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "workbench/prompter.h"

namespace gramarbor::test {

class FakePrompter final : public Prompter {
public:
    struct Shown {
        MessageKind Kind;
        std::string Text; // UTF-8
    };

    void Message(MessageKind kind, const QString& text, bool) override {
        Messages.push_back({kind, text.toStdString()});
    }
    QString OpenFileName(const TFileDialogRequest& request) override {
        return Answer(request).Name;
    }
    TFileChoice SaveFile(const TFileDialogRequest& request) override { return Answer(request); }

    // The next file dialog returns name (an empty name cancels) with the file type of
    // index filter chosen.
    void AnswerWith(const std::string& name, int filter = 0) {
        Answers.push_back({QString::fromStdString(name), filter});
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Shown& shown : Messages)
            texts.push_back(shown.Text);
        return texts;
    }
    std::string Last() const { return Messages.empty() ? std::string() : Messages.back().Text; }
    void Clear() { Messages.clear(); }

    std::vector<Shown> Messages;

private:
    TFileChoice Answer(const TFileDialogRequest&) {
        if (Answers.empty()) return {};
        TFileChoice next = Answers.front();
        Answers.pop_front();
        return next;
    }
    std::deque<TFileChoice> Answers;
};

} // namespace gramarbor::test
