// The information dialog and the non-modal instructions dialog.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace gramarbor {

// "Information": program name, version and a short description.
class TInfoDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TInfoDlg(QWidget* parent = nullptr);
    QTextBrowser* Description;
    QLabel* VersionLabel;

protected:
    void showEvent(QShowEvent* event) override;
};

// "Instructions": page 1 for the parsing sheet, page 2 for the trees sheet.
class THelpPageDlg final : public QDialog {
    Q_OBJECT
public:
    explicit THelpPageDlg(QWidget* parent = nullptr);
    void ShowPage(int page);
    int Page() const { return CurrentPage; }

    QPlainTextEdit* ParseHelpMemo;
    QPlainTextEdit* TreeHelpMemo;
    QPushButton* CloseBtn;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int CurrentPage = 1;
};

// The help texts of the two pages.
QString ParseHelpText();
QString TreeHelpText();

} // namespace gramarbor
