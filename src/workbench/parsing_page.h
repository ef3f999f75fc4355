// The parsing sheet's widgets: the grammar texts and their buttons, the parse options
// and the result pages (network, trace list, parse trees) over a TParseSheet.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "parsesheet/parse_sheet.h"
#include "workbench/parse_runner.h"
#include "workbench/prompter.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace gramarbor {

class TAmbiguityPanel;
class TNetworkPageView;
class TPictureBox;
class TRadioGroup;
class TTraceStepperView;
class TTraceView;
class TUpDown;

class TParsingPageView final : public QWidget {
    Q_OBJECT
public:
    // inputText is the in/out text field of the window, which holds the sentence.
    TParsingPageView(Prompter& prompter, MessageSink& sink, TextMeasurer& measurer,
                     QComboBox* inputText, QWidget* parent = nullptr);
    ~TParsingPageView() override;

    TParseSheet& Sheet() { return Model; }
    ParseRunner& Runner() { return ParseRun; }
    // Sets the option controls as the model says (after settings were restored).
    void SyncOptionControls();

    // Puts the in/out text into its history (a parse reads it).
    std::function<void()> RecordInputText;
    // Hands the parse tree to the trees sheet; true when it took it.
    std::function<bool(const TNode*)> TransferTree;
    // Set when the window closes while a parse runs: it closes once the parse ended.
    bool CloseWhenIdle = false;

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
    // Trace and parse-tree pages.
    void SaveTraceButtonClick();
    void SaveParseTreeBtnClick();
    void PTUDClick();
    void PTCurEntered();
    void TransferBtnClick();
    void AmbiguityChosen(std::size_t line);

    // Widgets, named as their controls.
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
    TNetworkPageView* Network;
    QWidget* TraceSheet;
    QWidget* ParseTreeSheet;
    TTraceView* TrcMemo;
    // The partial analysis at the trace line chosen, below the list.
    TTraceStepperView* Stepper;
    QLabel* Label8;
    QLabel* Label10;
    QPushButton* SaveTraceButton;
    QScrollArea* ParseTreeSB;
    TPictureBox* ParseTreePB;
    QLabel* PTNum;
    QLineEdit* PTCur;
    TUpDown* PTUD;
    QPushButton* SaveParseTreeBtn;
    QPushButton* TransferBtn;
    TAmbiguityPanel* Ambiguities;

private:
    QWidget* BuildGrammarColumn();
    QWidget* BuildTraceSheet(TextMeasurer& measurer);
    QWidget* BuildParseTreeSheet();
    void ConnectHandlers();
    void ShowSteppedTree(bool shown);

    // The lines of the external grammar text; none when it is empty.
    std::vector<std::string> SourceLines() const;
    void SetSourceLines(const std::vector<std::string>& lines);
    void ShowExternalGrammar();
    void ShowInternalListing();
    void ShowGrammarError();
    void ShowTraceList();
    void ShowParseTrees(const TParseOutcome& outcome);
    void ShowParseTreePicture();

    Prompter& Prompts;
    MessageSink& Sink;
    TParseSheet Model;
    ParseRunner ParseRun;
    QComboBox* InputText;
};

} // namespace gramarbor
