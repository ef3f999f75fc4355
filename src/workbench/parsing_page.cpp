// The parsing sheet's widgets and the handlers behind them.
#include "workbench/parsing_page.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "grammar/cfg_file.h"
#include "grammar/nltk_grammar.h"
#include "grammar/nltk_writer.h"
#include "parsing/parse_options.h"
#include "workbench/ambiguity_panel.h"
#include "workbench/memo_caret.h"
#include "workbench/network_page.h"
#include "workbench/trace_stepper_view.h"
#include "workbench/trace_view.h"
#include "workbench/widget_factory.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

// The second file type is NLTK's notation: loading recognises it by its content,
// saving writes it when that type is chosen.
const QString CfgFilter =
    QStringLiteral("CFG files|*.CFG|NLTK grammars|*.cfg;*.fcfg;*.txt|All files|*.*");
constexpr int NltkFilter = 1;
const TFileDialogRequest LoadCfgDialog{QStringLiteral("Load (external) CFG"), CfgFilter,
                                       QStringLiteral("CFG")};
const TFileDialogRequest SaveTraceDialog{QStringLiteral("Save trace list"),
                                         QStringLiteral("Text files|*.TXT|All files|*.*"),
                                         QStringLiteral("TXT")};
const TFileDialogRequest SaveParseTreeDialog{QStringLiteral("Save parse tree"),
                                             QStringLiteral("Tree files|*.TRE|All files|*.*"),
                                             QStringLiteral("TRE")};

// The grammar column is this wide, or wider where its captions need it.
constexpr int GrammarColumnWidth = 340;
// Room for a tree count or number beside its caption.
constexpr int TreeNumberWidth = 40;
// The ambiguities below the parse tree start this high, the tree taking three times it.
constexpr int AmbiguityPanelHeight = 220;
// Tab stops of the internal listing, after the rule numbers.
constexpr int ListingTabStop = 56;

QStringList ToLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << FromCore(line);
    return text;
}

} // namespace

TParsingPageView::TParsingPageView(Prompter& prompter, MessageSink& sink, TextMeasurer& measurer,
                                   QComboBox* inputText, QWidget* parent)
    : QWidget(parent), Prompts(prompter), Sink(sink), Model(sink, measurer), ParseRun(this),
      InputText(inputText) {
    setObjectName(QStringLiteral("ParsingSheet"));
    auto* grid = new QHBoxLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(BuildGrammarColumn());

    // Right: the three result pages.
    ParsingPC = new QTabWidget(this);
    ParsingPC->setObjectName(QStringLiteral("ParsingPC"));
    Network = new TNetworkPageView(Prompts, Sink, measurer, Model);
    TraceSheet = BuildTraceSheet(measurer);
    ParseTreeSheet = BuildParseTreeSheet();
    ParsingPC->addTab(Network, QStringLiteral("RTNetwork"));
    ParsingPC->addTab(TraceSheet, QStringLiteral("Trace list"));
    ParsingPC->addTab(ParseTreeSheet, QStringLiteral("Parse tree(s)"));
    grid->addWidget(ParsingPC, 1);

    Network->Busy = [this] { return ParseRun.Busy(); };
    Network->GrammarText = [this] { return SourceLines(); };
    Network->SetGrammarText = [this](const std::vector<std::string>& lines) {
        DstCFG->clear();
        SetSourceLines(lines);
        GrammarPC->setCurrentWidget(ExternalSheet);
    };
    Network->ShowExternalGrammar = [this] { GrammarPC->setCurrentWidget(ExternalSheet); };
    Network->ShowPage = [this] { ParsingPC->setCurrentWidget(Network); };
    ConnectHandlers();
    // A walk through the network ends when the grammar, the parse or the tree changes.
    connect(SrcCFG, &QPlainTextEdit::textChanged, Network, &TNetworkPageView::EndWalk);
    connect(ParseBtn, &QPushButton::clicked, Network, &TNetworkPageView::EndWalk);
    connect(PTUD, &TUpDown::Clicked, Network, &TNetworkPageView::EndWalk);
    connect(PTCur, &QLineEdit::returnPressed, Network, &TNetworkPageView::EndWalk);
    SyncOptionControls();
}

TParsingPageView::~TParsingPageView() = default;

QWidget* TParsingPageView::BuildGrammarColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    // The grammar texts, their buttons and the parse options.
    GrammarPC = new QTabWidget(column);
    GrammarPC->setObjectName(QStringLiteral("GrammarPC"));
    ExternalSheet = new QWidget(GrammarPC);
    ExternalSheet->setObjectName(QStringLiteral("ExternalSheet"));
    InternalSheet = new QWidget(GrammarPC);
    InternalSheet->setObjectName(QStringLiteral("InternalSheet"));
    SrcCFG = MakeMemo("SrcCFG", false, ExternalSheet);
    DstCFG = MakeMemo("DstCFG", true, InternalSheet);
    DstCFG->setTabStopDistance(ListingTabStop);
    (new QVBoxLayout(ExternalSheet))->addWidget(SrcCFG);
    (new QVBoxLayout(InternalSheet))->addWidget(DstCFG);
    GrammarPC->addTab(ExternalSheet, QStringLiteral("External CFG"));
    GrammarPC->addTab(InternalSheet, QStringLiteral("Internal CFG"));

    auto* panel5 = new QWidget(column);
    panel5->setObjectName(QStringLiteral("Panel5"));
    auto* grammarButtons = new QGridLayout(panel5);
    grammarButtons->setContentsMargins(0, 0, 0, 0);
    NewCFGBtn = MakeButton(QStringLiteral("New CFG"), "NewCFGBtn", panel5);
    LoadCFGButton = MakeButton(QStringLiteral("Load CFG"), "LoadCFGButton", panel5);
    SaveCFGButton = MakeButton(QStringLiteral("Save CFG"), "SaveCFGButton", panel5);
    Check = MakeButton(QStringLiteral("&Check CFG"), "Check", panel5);
    grammarButtons->addWidget(NewCFGBtn, 0, 0);
    grammarButtons->addWidget(LoadCFGButton, 0, 1);
    grammarButtons->addWidget(SaveCFGButton, 0, 2);
    grammarButtons->addWidget(Check, 0, 3);

    GeneralOptsGB = new QGroupBox(QStringLiteral("Parse options"), column);
    GeneralOptsGB->setObjectName(QStringLiteral("GeneralOptsGB"));
    ParseMethodRG = MakeRadioGroup(QStringLiteral("Method"),
                                   {QStringLiteral("Top down"), QStringLiteral("Bottom up")}, 1,
                                   "ParseMethodRG", GeneralOptsGB);
    ParseDirRG = MakeRadioGroup(QStringLiteral("Direction"),
                                {QStringLiteral("Depth first"), QStringLiteral("Breadth first")}, 1,
                                "ParseDirRG", GeneralOptsGB);
    TraceListRG = MakeRadioGroup(QStringLiteral("Trace list"),
                                 {QStringLiteral("Detailed"), QStringLiteral("Optimal")}, 2,
                                 "TraceListRG", GeneralOptsGB);
    TraceListCB = MakeCheckBox(QStringLiteral("Create trace list"), "TraceListCB", GeneralOptsGB);
    ParseTreeCB =
        MakeCheckBox(QStringLiteral("Create parse tree(s)"), "ParseTreeCB", GeneralOptsGB);
    CaseSensCB = MakeCheckBox(QStringLiteral("Parse case sensitive"), "CaseSensCB", GeneralOptsGB);
    ParseBtn = MakeButton(QStringLiteral("&Parse CFG"), "ParseBtn", GeneralOptsGB);
    ParseBtn->setMinimumHeight(32);
    auto* options = new QGridLayout(GeneralOptsGB);
    options->setContentsMargins(6, 4, 6, 6);
    options->addWidget(ParseMethodRG, 0, 0);
    options->addWidget(ParseDirRG, 0, 1);
    options->addWidget(TraceListCB, 1, 0);
    options->addWidget(TraceListRG, 1, 1);
    options->addWidget(ParseTreeCB, 2, 0);
    options->addWidget(CaseSensCB, 2, 1);
    options->addWidget(ParseBtn, 3, 0, 1, 2);

    layout->addWidget(GrammarPC, 1);
    layout->addWidget(panel5);
    layout->addWidget(GeneralOptsGB);
    column->setFixedWidth(std::max(
        {GrammarColumnWidth, GeneralOptsGB->sizeHint().width(), panel5->sizeHint().width()}));
    return column;
}

QWidget* TParsingPageView::BuildTraceSheet(TextMeasurer& measurer) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TraceSheet"));
    // The list above, the partial analysis at its chosen line below.
    auto* split = new QSplitter(Qt::Vertical, sheet);
    split->setObjectName(QStringLiteral("TraceSplitter"));
    TrcMemo = new TTraceView(split);
    TrcMemo->setObjectName(QStringLiteral("TrcMemo"));
    Stepper = new TTraceStepperView(TrcMemo, measurer, split);
    split->addWidget(TrcMemo);
    split->addWidget(Stepper);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);

    auto* panel4 = new QWidget(sheet);
    panel4->setObjectName(QStringLiteral("Panel4"));
    auto* row = new QHBoxLayout(panel4);
    row->setContentsMargins(0, 0, 0, 0);
    Label8 = MakeLabel(QStringLiteral("0 lines"), "Label8", panel4);
    Label10 = MakeLabel(QStringLiteral("-"), "Label10", panel4);
    SaveTraceButton = MakeButton(QStringLiteral("Save trace"), "SaveTraceButton", panel4);
    row->addWidget(MakeLabel(QStringLiteral("Total:"), nullptr, panel4));
    row->addWidget(Label8);
    row->addSpacing(24);
    row->addWidget(MakeLabel(QStringLiteral("Last line:"), nullptr, panel4));
    row->addWidget(Label10, 1);
    row->addWidget(SaveTraceButton);

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(split, 1);
    layout->addWidget(panel4);
    return sheet;
}

QWidget* TParsingPageView::BuildParseTreeSheet() {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("ParseTreeSheet"));
    ParseTreePB = new TPictureBox;
    ParseTreePB->setObjectName(QStringLiteral("ParseTreePB"));
    ParseTreePB->setFixedSize(0, 0);
    ParseTreeSB = MakeWhiteScrollBox("ParseTreeSB", ParseTreePB, sheet);

    auto* panel8 = new QWidget(sheet);
    panel8->setObjectName(QStringLiteral("Panel8"));
    auto* row = new QHBoxLayout(panel8);
    row->setContentsMargins(0, 0, 0, 0);
    PTNum = MakeLabel(QStringLiteral("0"), "PTNum", panel8);
    PTCur = new QLineEdit(QStringLiteral("-"), panel8);
    PTCur->setObjectName(QStringLiteral("PTCur"));
    PTCur->setToolTip(QStringLiteral("Type the number of a tree and press Return"));
    PTNum->setMinimumWidth(TreeNumberWidth);
    PTCur->setMinimumWidth(TreeNumberWidth * 3);
    PTCur->setMaximumWidth(TreeNumberWidth * 5);
    // Until the first parse the arrows run from 0 to 99.
    PTUD = MakeUpDown("PTUD", 0, 99, panel8);
    SaveParseTreeBtn = MakeButton(QStringLiteral("Save tree"), "SaveParseTreeBtn", panel8);
    TransferBtn = MakeButton(QStringLiteral("Transfer"), "TransferBtn", panel8);
    row->addWidget(MakeLabel(QStringLiteral("Number of trees:"), nullptr, panel8));
    row->addWidget(PTNum);
    row->addWidget(MakeLabel(QStringLiteral("Current tree:"), nullptr, panel8));
    row->addWidget(PTCur);
    row->addWidget(PTUD);
    row->addStretch(1);
    row->addWidget(SaveParseTreeBtn);
    row->addWidget(TransferBtn);

    // The tree above, where its readings differ below.
    auto* split = new QSplitter(Qt::Vertical, sheet);
    split->setObjectName(QStringLiteral("ParseTreeSplit"));
    split->setChildrenCollapsible(false);
    Ambiguities = new TAmbiguityPanel;
    split->addWidget(ParseTreeSB);
    split->addWidget(Ambiguities);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({AmbiguityPanelHeight * 3, AmbiguityPanelHeight});

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(split, 1);
    layout->addWidget(panel8);
    return sheet;
}

void TParsingPageView::ConnectHandlers() {
    using V = TParsingPageView;
    connect(Check, &QPushButton::clicked, this, &V::CheckClick);
    connect(NewCFGBtn, &QPushButton::clicked, this, &V::NewCFGBtnClick);
    connect(LoadCFGButton, &QPushButton::clicked, this, &V::LoadCFGButtonClick);
    connect(SaveCFGButton, &QPushButton::clicked, this, &V::SaveCFGButtonClick);
    connect(ParseBtn, &QPushButton::clicked, this, &V::ParseClick);
    connect(ParseMethodRG, &TRadioGroup::Clicked, this, &V::ParseMethodRGClick);
    connect(ParseDirRG, &TRadioGroup::Clicked, this, &V::ParseDirRGClick);
    connect(TraceListRG, &TRadioGroup::Clicked, this, &V::TraceListRGClick);
    connect(TraceListCB, &QCheckBox::clicked, this, &V::TraceListCBClick);
    connect(ParseTreeCB, &QCheckBox::clicked, this, &V::ParseTreeCBClick);
    connect(CaseSensCB, &QCheckBox::clicked, this, &V::CaseSensCBClick);
    connect(SaveTraceButton, &QPushButton::clicked, this, &V::SaveTraceButtonClick);
    connect(SaveParseTreeBtn, &QPushButton::clicked, this, &V::SaveParseTreeBtnClick);
    connect(PTUD, &TUpDown::Clicked, this, &V::PTUDClick);
    connect(PTCur, &QLineEdit::returnPressed, this, &V::PTCurEntered);
    connect(TransferBtn, &QPushButton::clicked, this, &V::TransferBtnClick);
    Ambiguities->ReadingChosen = [this](std::size_t line) { AmbiguityChosen(line); };
}

void TParsingPageView::SyncOptionControls() {
    const TParseControls& shown = Model.Options.Controls();
    ParseMethodRG->SetItemIndex(shown.MethodItem);
    ParseDirRG->SetItemIndex(shown.DirectionItem);
    TraceListRG->SetItemIndex(shown.TraceKindItem);
    TraceListCB->setChecked(shown.TraceList);
    ParseTreeCB->setChecked(shown.ParseTrees);
    CaseSensCB->setChecked(shown.CaseSensitive);
    for (QWidget* group : {static_cast<QWidget*>(TraceListRG), static_cast<QWidget*>(ParseMethodRG),
                           static_cast<QWidget*>(ParseDirRG)})
        group->setEnabled(shown.GroupsEnabled);
}

// ---- Grammar commands ----

std::vector<std::string> TParsingPageView::SourceLines() const {
    if (SrcCFG->document()->isEmpty()) return {};
    return SplitTextLines(ToCore(SrcCFG->toPlainText()));
}

void TParsingPageView::SetSourceLines(const std::vector<std::string>& lines) {
    SrcCFG->setPlainText(ToLines(lines).join(QLatin1Char('\n')));
}

void TParsingPageView::ShowExternalGrammar() {
    GrammarPC->setCurrentWidget(ExternalSheet);
    SrcCFG->setFocus();
}

void TParsingPageView::ShowInternalListing() {
    DstCFG->setPlainText(ToLines(Model.InternalListing()).join(QLatin1Char('\n')));
    GrammarPC->setCurrentWidget(InternalSheet);
}

// After a failed check: the external page, and the offending rule's line of the text
// (comment and empty lines above it counted) selected, the caret at its start.
void TParsingPageView::ShowGrammarError() {
    ShowExternalGrammar();
    SelectMemoLine(*SrcCFG, std::max(Model.ErrorSourceLine(), 0));
}

void TParsingPageView::CheckClick() {
    if (ParseRun.Busy()) return;
    const std::vector<std::string> lines = SourceLines();
    if (Model.Check(lines))
        ShowInternalListing();
    else if (!lines.empty())
        ShowGrammarError();
}

void TParsingPageView::NewCFGBtnClick() {
    SrcCFG->clear();
    DstCFG->clear();
    ShowExternalGrammar();
}

void TParsingPageView::LoadCFGButtonClick() {
    const QString path = Prompts.OpenFileName(LoadCfgDialog);
    if (path.isEmpty()) return;
    std::vector<std::string> lines;
    // A file that cannot be read leaves both texts as they were.
    if (!LoadGrammarFile(path.toStdString(), lines, Sink)) return;
    DstCFG->clear();
    SetSourceLines(lines);
    ShowExternalGrammar();
}

void TParsingPageView::SaveCFGButtonClick() {
    const bool external = GrammarPC->currentWidget() == ExternalSheet;
    const TFileDialogRequest request{external ? QStringLiteral("Save external CFG")
                                              : QStringLiteral("Save internal CFG"),
                                     CfgFilter, QStringLiteral("CFG")};
    const TFileChoice choice = Prompts.SaveFile(request);
    if (choice.Name.isEmpty()) return;
    const std::string path =
        WithChosenExtension(choice, CfgFilter, request.DefaultExt).toStdString();
    // NLTK's notation is written from the grammar, whichever page is shown.
    if (choice.Filter == NltkFilter) {
        SaveNltkFile(path, SourceLines(), Sink);
        return;
    }
    const QPlainTextEdit* memo = external ? SrcCFG : DstCFG;
    SaveCfgFile(path, SplitTextLines(ToCore(memo->toPlainText())), Sink);
}

// ---- Parsing ----

void TParsingPageView::ParseClick() {
    if (ParseRun.Busy()) return;
    const std::string sentence = ToCore(InputText->currentText());
    switch (Model.PrepareParse(SourceLines(), sentence)) {
    case TParseStart::Ready:
        break;
    case TParseStart::NoGrammar:
        ShowExternalGrammar();
        return;
    case TParseStart::NoText:
        InputText->setFocus();
        return;
    case TParseStart::GrammarError:
        ShowGrammarError();
        return;
    }
    if (RecordInputText) RecordInputText();
    TrcMemo->ShowLines({});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CancelToken cancel;
    TParseRequest request;
    request.Cancel = &cancel;
    request.ListAmbiguities = true;
    request.KeepTraceSteps = true;
    request.Runner = [this, &cancel](const std::function<bool()>& search) {
        return ParseRun.Run(search, cancel);
    };
    const TParseOutcome outcome = Model.RunParse(sentence, request);
    QApplication::restoreOverrideCursor();
    if (CloseWhenIdle) {
        // The window was closed while the search ran: it has stopped, now close.
        window()->close();
        return;
    }
    Model.ReportOutcome(outcome);
    Ambiguities->ShowList(Model.Ambiguities);
    if (Model.ShowsTrace(outcome)) {
        ShowInternalListing();
        ShowTraceList();
    }
    if (Model.ShowsTrees(outcome)) ShowParseTrees(outcome);
}

void TParsingPageView::ShowTraceList() {
    // The view takes the lines over: they are only shown and saved from now on.
    TrcMemo->ShowLines(std::move(Model.Parser.TraceLines));
    Model.Parser.TraceLines.clear();
    Stepper->SetHistory(std::move(Model.TraceHistory));
    Model.TraceHistory.Clear();
    const std::vector<std::string>& lines = TrcMemo->Lines();
    ParsingPC->setCurrentWidget(TraceSheet);
    if (!lines.empty()) {
        Label8->setText(QString::number(lines.size()) + QStringLiteral(" Lines"));
        Label10->setText(QLatin1Char('"') + FromCore(lines.back()) + QLatin1Char('"'));
    }
}

void TParsingPageView::ShowParseTrees(const TParseOutcome& outcome) {
    PTNum->setText(FromCore(Model.TreeCountText()));
    ShowSteppedTree(false);
    if (!outcome.TreeShown) return;
    ShowParseTreePicture();
    // With a trace list the trace page stays in front.
    if (!(Model.ParseOptions() & poTraceList)) ParsingPC->setCurrentWidget(ParseTreeSheet);
}

void TParsingPageView::ShowParseTreePicture() {
    const Picture& picture = Model.ParseTree.GetMetafile();
    ParseTreePB->SetPicture(&picture);
    ParseTreePB->setFixedSize(std::max(picture.Width, 0), std::max(picture.Height, 0));
    ParseTreePB->update();
    // Each tree is shown from its top-left corner, wherever the last one was scrolled.
    ParseTreeSB->horizontalScrollBar()->setValue(0);
    ParseTreeSB->verticalScrollBar()->setValue(0);
}

// The arrows stand in the middle of a range of three: a click moves one tree on or
// back, and an arrow is disabled at the first or the last tree.
void TParsingPageView::ShowSteppedTree(bool shown) {
    PTCur->setText(FromCore(Model.CurrentTreeText()));
    const bool any = !Model.ParseTrees().empty();
    PTUD->SetRange(!any || Model.AtFirstTree() ? 1 : 0, !any || Model.AtLastTree() ? 1 : 2);
    PTUD->SetPosition(1);
    if (shown) ShowParseTreePicture();
}

void TParsingPageView::PTUDClick() {
    if (Model.ParseTrees().empty()) return;
    ShowSteppedTree(Model.StepBy(PTUD->Position() - 1));
}

void TParsingPageView::PTCurEntered() {
    if (Model.ParseTrees().empty()) {
        PTCur->setText(FromCore(Model.CurrentTreeText()));
        return;
    }
    ShowSteppedTree(Model.StepToTyped(ToCore(PTCur->text())));
}

void TParsingPageView::AmbiguityChosen(std::size_t line) {
    if (ParseRun.Busy()) return;
    ShowSteppedTree(Model.StepToReading(line));
    Ambiguities->ShowNote(Model.Ambiguities.Note());
}

void TParsingPageView::ParseMethodRGClick() {
    Model.Options.ParseMethodRGClick(ParseMethodRG->ItemIndex());
}

void TParsingPageView::ParseDirRGClick() {
    Model.Options.ParseDirRGClick(ParseDirRG->ItemIndex());
}

void TParsingPageView::TraceListRGClick() {
    Model.Options.TraceListRGClick(TraceListRG->ItemIndex());
}

void TParsingPageView::TraceListCBClick() {
    Model.Options.TraceListCBClick(TraceListCB->isChecked());
    SyncOptionControls();
}

void TParsingPageView::ParseTreeCBClick() {
    Model.Options.ParseTreeCBClick(ParseTreeCB->isChecked());
}

void TParsingPageView::CaseSensCBClick() {
    Model.Options.CaseSensCBClick(CaseSensCB->isChecked());
}

void TParsingPageView::SaveTraceButtonClick() {
    const QString path = Prompts.SaveFileName(SaveTraceDialog);
    if (path.isEmpty()) return;
    SaveCfgFile(path.toStdString(), TrcMemo->Lines(), Sink);
}

void TParsingPageView::SaveParseTreeBtnClick() {
    if (!Model.CanSaveParseTree()) return;
    const QString path = Prompts.SaveFileName(SaveParseTreeDialog);
    if (path.isEmpty()) return;
    Model.SaveParseTree(path.toStdString());
}

void TParsingPageView::TransferBtnClick() {
    if (TransferTree) TransferTree(Model.ParseTree.GetRoot());
}

} // namespace gramarbor
