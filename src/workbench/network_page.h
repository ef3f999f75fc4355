// The "RTNetwork" page of the parsing sheet: the network drawing, its buttons and
// display options over a TRtnWorkspace, and the Qt dialogs that edit it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "rtn/rtn_workspace.h"
#include "workbench/prompter.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace gramarbor {

class QtRtnDialogHost;
class TNetworkWalkPanel;
class TParseSheet;
class TPictureBox;
class TUpDown;

class TNetworkPageView final : public QWidget {
    Q_OBJECT
public:
    // grammar: the parsing page's model, whose grammar text "Make RTN" reads.
    TNetworkPageView(Prompter& prompter, MessageSink& sink, TextMeasurer& measurer,
                     TParseSheet& grammar, QWidget* parent = nullptr);
    ~TNetworkPageView() override;

    TRtnWorkspace& Workspace() { return Rtn; }
    // The dialog host (tests install one that answers the dialogs); null for the Qt one.
    void SetDialogHost(TRtnDialogHost* host);
    // Sets the display controls from the workspace (after settings or a file were read).
    void RefreshRtnOptions();

    // What the page needs of the page around it.
    std::function<bool()> Busy;                            // a parse runs
    std::function<std::vector<std::string>()> GrammarText; // lines of the external CFG
    std::function<void(const std::vector<std::string>&)> SetGrammarText;
    std::function<void()> ShowExternalGrammar;
    std::function<void()> ShowPage; // brings this page to the front

    void MakeRTNClick();
    void MakeCFGClick();
    void SaveRTNButtonClick();
    void LoadRTNButtonClick();
    void NewRTNButtonClick();
    void ClearRTNBtnClick();
    void SaveMetaButtonClick();
    void Button5Click();
    void NodeSizeUDClick();
    void NodeDistUDClick();
    void ArcCheckBoxClick();
    void WMFSplitCBClick();
    void PaintBox1MouseMove(int x, int y);
    void PaintBox1MouseDown(int button, unsigned shift, int x, int y);
    // The grammar, the parse or the parse tree changed: a walk of the tree ends.
    void EndWalk();

    // Widgets, named as their controls.
    QScrollArea* ScrollBox1;
    TPictureBox* PaintBox1;
    QPushButton* MakeRTN;
    QPushButton* MakeCFG;
    QPushButton* NewRTNButton;
    QPushButton* ClearRTNBtn;
    QPushButton* LoadRTNButton;
    QPushButton* SaveRTNButton;
    QPushButton* SaveMetaButton;
    QPushButton* Button5;
    TUpDown* NodeSizeUD;
    TUpDown* NodeDistUD;
    QLabel* NodeSizeLab;
    QLabel* NodeDistLab;
    QCheckBox* ArcCheckBox;
    QCheckBox* WMFSplitCB;
    TNetworkWalkPanel* WalkPanel;

private:
    void BuildWidgets();
    void ConnectHandlers();
    // After every command: ends a walk of a network that changed, shows the picture.
    void RefreshRtnView();
    void ShowPicture();

    Prompter& Prompts;
    MessageSink& Sink;
    TParseSheet& Grammar;
    TRtnWorkspace Rtn;
    std::unique_ptr<QtRtnDialogHost> DialogHost;
};

} // namespace gramarbor
