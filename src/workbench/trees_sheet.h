// The trees sheet's widgets: two tree windows, the command buttons and the
// option controls over a TTreeSheet, and the Qt dialogs it asks.
#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "picture/canvas.h"
#include "tree/canvas_measurer.h"
#include "treesheet/tree_sheet.h"
#include "workbench/prompter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QShortcut;

namespace gramarbor {

class TDefNodeDlgView;
class TIOFormDlgView;
class TNodeDefDlgView;
class TPictureBox;
class TRadioGroup;
class TTreeListDlgView;
class TTreePrevDlgView;
class TUpDown;

class TTreesSheetView final : public QWidget, private TTreeSheetHost {
    Q_OBJECT
public:
    // The sheet fills parent; inputText is the in/out text field of the window.
    TTreesSheetView(Prompter& prompter, MessageSink& sink, TextMeasurer& measurer,
                    QComboBox* inputText, QWidget* parent);
    ~TTreesSheetView() override;

    TTreeSheet& Sheet() { return *Core; }
    // Dialogs answered elsewhere (tests); null for the Qt dialogs.
    void SetDialogHost(TTreeSheetHost* host) { Dialogs = host; }
    // The maximal in/out text length of the global options.
    std::function<int()> MaxTextLength;
    // Puts the in/out text into its history (Text > tree has read it).
    std::function<void()> RecordInputText;
    // Sets every control from the settings.
    void SyncTreeControls() override;
    // Shows both trees anew and sets every control, after settings were restored
    // into Sheet() (call Sheet().RebuildTreeNames() first when TreeList changed).
    void ShowTrees();
    // ALT+digit while the sheet is in front; true when used.
    bool FormKeyDown(int digit);

    // Handlers beyond the core's commands.
    void SaveWMFBtnClick();
    void Button4Click();
    void TreeToTextBtnClick();
    void TextToTreeBtnClick();
    void SyncTreebank();

    // Widgets, named as their controls.
    QScrollArea* TreeScroll1;
    QScrollArea* TreeScroll2;
    TPictureBox* TreePaint1;
    TPictureBox* TreePaint2;
    QComboBox* NewTreeCB;
    QPushButton* NewTreeBtn;
    QPushButton* EditTreeListBtn;
    // Step through the trees of a treebank file; shown while one is loaded.
    QPushButton* PrevTreeBtn;
    QLabel* TreebankLab;
    QPushButton* NextTreeBtn;
    QPushButton* PushLeftBtn;
    QPushButton* PushRghtBtn;
    QPushButton* CopyTreeBtn;
    QPushButton* CutTreeBtn;
    QPushButton* DelTreeBtn;
    QPushButton* PasteTreeBtn;
    QPushButton* LoadTreeBtn;
    QPushButton* SaveTreeBtn;
    QPushButton* SaveWMFBtn;
    QPushButton* Button4;
    QPushButton* TreeToTextBtn;
    QPushButton* TextToTreeBtn;
    QPushButton* PreviewBtn;
    QPushButton* NodeDefBtn;
    QPushButton* InputFormatBtn;
    QPushButton* UndoBtn = nullptr;
    QPushButton* RedoBtn = nullptr;
    QCheckBox* SplitScreenCB;
    TRadioGroup* ActiveTreeRG;
    TRadioGroup* PasteModeRG;
    TUpDown* BinLayUD;
    QLabel* BinLayLab;
    QCheckBox* OptimalTreeCB;
    QCheckBox* PlaneTreeCB;
    TRadioGroup* PlaneTreeRG;
    QCheckBox* BoldLineCB;
    QCheckBox* TidyLayoutCB;
    TUpDown* HoriDistUD;
    QLabel* HoriDistLab;
    TUpDown* VertDistUD;
    QLabel* VertDistLab;
    QCheckBox* FrameCB;
    QCheckBox* TriangleCB;
    QCheckBox* ArrowCB;

    TTreeListDlgView* TreeListDlg;
    TDefNodeDlgView* DefNodeDlg;
    TNodeDefDlgView* NodeDefDlg;
    TIOFormDlgView* IOFormDlg;
    TTreePrevDlgView* TreePrevDlg;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Host of the core.
    bool ShowTreeListDlg(TTreeListDlg& dlg, int caretLine) override;
    bool ShowDefNodeDlg(TDefNodeDlg& dlg) override;
    bool ShowNodeDefDlg(TNodeDefDlg& dlg) override;
    bool ShowIOFormDlg(TIOFormDlg& dlg) override;
    void ShowTreePrevDlg(TTreePrevDlg& dlg) override;
    std::string OpenFileName(const std::string& title, const std::string& filter,
                             const std::string& defaultExt) override;
    std::string SaveFileName(const std::string& title, const std::string& filter,
                             const std::string& defaultExt) override;
    void RepaintTree(int index) override;
    void HistoryChanged() override;

    void BuildWidgets();
    void ConnectHandlers();
    void SetShortcutsEnabled(bool on);
    void FillNewTreeCB();

    Prompter& Prompts;
    MessageSink& Sink;
    MeasuringCanvas Screen;
    std::unique_ptr<TTreeSheet> Core;
    TTreeSheetHost* Dialogs = nullptr;
    QComboBox* InputText;
    std::vector<QShortcut*> Shortcuts;
    bool Syncing = false;
};

} // namespace gramarbor
