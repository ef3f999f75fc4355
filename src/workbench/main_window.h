// The main window TForm1: the parsing sheet with its grammar texts, parse options,
// trace list, parse trees and network drawing, the (for now empty) trees sheet, the
// in/out text field and the program buttons. Handlers read the widgets, call the
// core and show its results; the logic itself lives in the core.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "grammar/grammar_store.h"
#include "grammar/prepare_grammar.h"
#include "qtcanvas/qt_text_measurer.h"
#include "rtn/rtn_workspace.h"
#include "settings/environment.h"
#include "tree/tree.h"
#include "workbench/parse_runner.h"
#include "workbench/prompter.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace gramarbor {

class QtRtnDialogHost;
class TGlobOptsDlg;
class THelpPageDlg;
class TInfoDlg;
class TPictureBox;
class TRadioGroup;
class TTraceView;
class TTreesSheetView;
class TUpDown;

inline const std::string MsgWrongDesktopSize =
    "Wrong desktop size. Use 1024*768, 1152*864, 1280*1024 or more.";
inline const std::string MsgDefineCfgFirst = "Please define a CFG first.";
inline const std::string MsgNoTextToParse = "You have not entered a text to parse.";
inline const std::string MsgEmptyTreeNotSaved = "An empty tree will not be saved.";
// Shown when the user stops a parse from its progress dialog.
inline const std::string MsgParsingCancelled =
    "Parsing was cancelled. The sentence was neither accepted nor rejected.";

inline constexpr int DesignWidth = 1024;
inline constexpr int DesignHeight = 768;
inline constexpr int InputHistoryMax = 16;

// Puts text at the front of the in/out history when it is 1 to maxLength characters
// long and not yet listed, then cuts the history to InputHistoryMax entries.
void RecordInputHistory(std::vector<std::string>& history, const std::string& text, int maxLength);

class TForm1 final : public QMainWindow {
    Q_OBJECT

    // Declared first: the owned objects below report through them.
    std::unique_ptr<QtPrompter> OwnPrompter;
    Prompter* Prompts;
    PrompterSink Sink;
    QtTextMeasurer Measurer;

public:
    // prompter: where messages and file dialogs go (null for the real boxes); it must
    // outlive the window.
    explicit TForm1(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    // False when start-up refused to go on (screen too small); the program then ends.
    bool Started() const { return StartupOk; }
    // Shows the window maximised.
    void FormShow();

    // The dialog host of the network sheet (tests install one that answers the dialogs).
    void SetRtnDialogHost(TRtnDialogHost* host);
    ParseRunner& Runner() { return ParseRun; }

    // Owned state.
    TParser Parser;
    TGrammarLines GrammarLines;
    uint8_t ParseOptions = 0;
    int MaxTextLength = 255;
    bool SaveEnvironmentOption = false;
    // Place of the instructions window at the last exit; all 0 when it was closed.
    THelpRect HelpRect;
    // The settings as read at start; the values no sheet holds yet are written back
    // from here.
    TEnvironment StoredEnvironment;
    TRtnWorkspace Rtn;
    TTree ParseTree;

    // Grammar commands.
    void CheckClick();
    void NewCFGBtnClick();
    void LoadCFGButtonClick();
    void SaveCFGButtonClick();
    // Parsing.
    void ParseClick();
    void ParseMethodRGClick();
    void ParseDirRGClick();
    void TraceListCBClick();
    void TraceListRGClick();
    void ParseTreeCBClick();
    void CaseSensCBClick();
    // Trace and parse-tree sheets.
    void SaveTraceButtonClick();
    void SaveParseTreeBtnClick();
    void PTUDClick();
    void TransferBtnClick();
    // Network sheet.
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
    // Window.
    void InputTextExit();
    void InfoBtnClick();
    void InstructionBtnClick();
    void GlobOptsBtnClick();
    void ExitButtonClick();
    void GlobalPCChange();
    // Writes the settings file with the given save flag; false after a message.
    bool SaveEnvironment(bool saveFlag);
    // The settings as the window holds them now.
    TEnvironment CurrentEnvironment() const;

    // Widgets, named as their controls.
    QTabWidget* GlobalPC;
    QWidget* ParsingSheet;
    QWidget* TreeSheet;
    QTabWidget* GrammarPC;
    QWidget* ExternalSheet;
    QWidget* InternalSheet;
    QPlainTextEdit* SrcCFG;
    QPlainTextEdit* DstCFG;
    QPushButton* NewCFGBtn;
    QPushButton* LoadCFGButton;
    QPushButton* SaveCFGButton;
    QPushButton* Check;
    QGroupBox* GeneralOptsGB;
    TRadioGroup* ParseMethodRG;
    TRadioGroup* ParseDirRG;
    QCheckBox* TraceListCB;
    TRadioGroup* TraceListRG;
    QCheckBox* ParseTreeCB;
    QCheckBox* CaseSensCB;
    QPushButton* ParseBtn;
    QTabWidget* ParsingPC;
    QWidget* RTNSheet;
    QWidget* TraceSheet;
    QWidget* ParseTreeSheet;
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
    TTraceView* TrcMemo;
    QLabel* Label8;
    QLabel* Label10;
    QPushButton* SaveTraceButton;
    QScrollArea* ParseTreeSB;
    TPictureBox* ParseTreePB;
    QLabel* PTNum;
    QLabel* PTCur;
    TUpDown* PTUD;
    QPushButton* SaveParseTreeBtn;
    QPushButton* TransferBtn;
    QLabel* Label3;
    QComboBox* InputText;
    QPushButton* InfoBtn;
    QPushButton* InstructionBtn;
    QPushButton* GlobOptsBtn;
    QPushButton* ExitButton;

    TInfoDlg* InfoDlg;
    THelpPageDlg* HelpPageDlg;
    TGlobOptsDlg* GlobOptsDlg;
    // The trees sheet.
    TTreesSheetView* Trees = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Closing while a parse runs stops the parse and closes when it has ended.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildParsingSheet();
    QWidget* BuildRtnSheet();
    QWidget* BuildTraceSheet();
    QWidget* BuildParseTreeSheet();
    QWidget* BuildBottomRow();
    void ConnectHandlers();
    void SetParseControls();
    // Settings groups restored while the window is created (environment_io.cpp).
    void RestoreWindowSettings(TEnvironmentReader& reader);
    void RestoreParsingSettings(TEnvironmentReader& reader);
    void RestoreTreeSettings(TEnvironmentReader& reader);

    std::vector<std::string> SourceLines() const;
    void SetSourceLines(const std::vector<std::string>& lines);
    void ShowGrammarError();
    void ShowTraceList();
    void ShowParseTrees(const TParseOutcome& outcome);
    bool ShowParseTree(std::size_t index);
    void RefreshRtnView();
    void RefreshRtnOptions();

    ParseRunner ParseRun;
    std::unique_ptr<QtRtnDialogHost> DialogHost;
    std::vector<std::string> SentenceLines;
    bool StartupOk = true;
    bool CloseWhenIdle = false;
};

// SetMemoCaret: the caret at line and column (both 0-based) of a text field, the
// column clamped to the line, scrolled into view.
void SetMemoCaret(QPlainTextEdit& memo, int line, int column);
// SelectMemoLine: the whole line (0-based) selected, the caret at its start, scrolled
// into view; past the end, the caret at the end of the text.
void SelectMemoLine(QPlainTextEdit& memo, int line);

} // namespace gramarbor
