// The modal window shown while a long parse runs. Cancel, Escape and the window's
// close control all ask the search to stop; the window stays, blocking the program,
// until the search has really ended.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace gramarbor {

class TParseProgressDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TParseProgressDlg(QWidget* parent = nullptr);

    bool CancelRequested() const { return Requested; }
    // The search has ended: the window may close now.
    void Finish();

    QLabel* StateLabel;
    QPushButton* CancelBtn;

signals:
    // Emitted once, at the first request to stop.
    void CancelClicked();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RequestCancel();
    bool Requested = false;
    bool Finished = false;
};

} // namespace gramarbor
