// Qt views of the network sheet's two dialogs, "Enter conditions" and "Enter
// net-name", over their models, and the host that shows them for the workspace.
#pragma once

#include <QDialog>

#include "rtn/rtn_workspace.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedLayout;
class QTableWidget;

namespace gramarbor {

class TRadioGroup;

// The condition dialog: shows a TCondDlg and forwards every event to it. Closing the
// window otherwise than with OK counts as Cancel.
class TCondDlgView final : public QDialog {
    Q_OBJECT
public:
    explicit TCondDlgView(QWidget* parent = nullptr);

    // Shows the model's state (cells, node type, enabled states, help page).
    void Load(TCondDlg& model);
    // Copies the editable cells back into the model.
    void StoreCells();

    void OkBtnClick();
    void CancelBtnClick();
    void ClearAllBtnClick();
    void HelpBtnClick();
    void NodeTypeRGClick(int index);
    // A mouse press on the grid's row (1..5) with the given button and shift state.
    void EnterCondsMouseDown(int row, TMouseButton button, unsigned shift);

    QTableWidget* EnterConds;
    TRadioGroup* NodeTypeRG;
    QPushButton* ClearAllBtn;
    QPushButton* HelpBtn;
    QPushButton* CancelBtn;
    QPushButton* OkBtn;
    QPlainTextEdit* HelpMemo;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    TCondDlg* Model = nullptr;
    QStackedLayout* TableOrHelp;
    bool Refreshing = false;
};

class TNetNameDlgView final : public QDialog {
    Q_OBJECT
public:
    explicit TNetNameDlgView(QWidget* parent = nullptr);
    void Load(TNetNameDlg& model);
    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* NetNameEdit;

protected:
    void reject() override;

private:
    TNetNameDlg* Model = nullptr;
};

// Shows the dialogs modally, placed next to the focused net of the drawing area.
class QtRtnDialogHost final : public TRtnDialogHost {
public:
    // area: the drawing area whose coordinates the anchors are given in.
    QtRtnDialogHost(QWidget* area, QWidget* parent);
    void ShowCondDlg(TCondDlg& dlg, TPoint anchor) override;
    void ShowNetNameDlg(TNetNameDlg& dlg, TPoint anchor) override;

    TCondDlgView* CondView;
    TNetNameDlgView* NetNameView;

private:
    QWidget* Area;
};

} // namespace gramarbor
