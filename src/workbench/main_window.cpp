// The main window: widgets of the parsing sheet and the handlers behind them.
#include "workbench/main_window.h"

#include <algorithm>
#include <climits>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "core_version.h"
#include "grammar/cfg_file.h"
#include "grammar/rule_listing.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_canvas.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_layout.h"
#include "text/text_utils.h"
#include "tree/canvas_measurer.h"
#include "workbench/environment_io.h"
#include "workbench/glob_opts_dlg.h"
#include "workbench/info_dialogs.h"
#include "workbench/picture_file_dialog.h"
#include "workbench/rtn_dialogs.h"
#include "workbench/trace_view.h"
#include "workbench/trees_sheet.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

const TFileDialogRequest LoadCfgDialog{QStringLiteral("Load (external) CFG"),
                                    QStringLiteral("CFG files|*.CFG|All files|*.*"),
                                    QStringLiteral("CFG")};
const QString CfgFilter = QStringLiteral("CFG files|*.CFG|All files|*.*");
const TFileDialogRequest SaveTraceDialog{QStringLiteral("Save trace list"),
                                      QStringLiteral("Text files|*.TXT|All files|*.*"),
                                      QStringLiteral("TXT")};
const TFileDialogRequest SaveParseTreeDialog{QStringLiteral("Save parse tree"),
                                          QStringLiteral("Tree files|*.TRE|All files|*.*"),
                                          QStringLiteral("TRE")};
const QString RtnFilter = QStringLiteral("RTN files|*.RTN|All files|*.*");

// Parse-tree display settings: those of the trees sheet with its defaults.
constexpr int32_t TreeHDist = 64;
constexpr int32_t TreeVDist = 64;
constexpr uint8_t TreeSheetOptions = toFrames | toTriangles | toArrows;

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* MakeLabel(const QString& caption, const char* name, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    if (name) label->setObjectName(QLatin1String(name));
    return label;
}

QScrollArea* MakeWhiteScrollBox(const char* name, QWidget* content, QWidget* parent) {
    auto* box = new QScrollArea(parent);
    box->setObjectName(QLatin1String(name));
    box->setBackgroundRole(QPalette::Base);
    QPalette white = box->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    box->setAutoFillBackground(true);
    box->setWidget(content);
    box->setWidgetResizable(false);
    return box;
}

QPlainTextEdit* MakeMemo(const char* name, bool readOnly, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setReadOnly(readOnly);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Liberation Mono"));
    fixed.setStyleHint(QFont::Monospace);
    memo->setFont(fixed);
    return memo;
}

} // namespace

void RecordInputHistory(std::vector<std::string>& history, const std::string& text, int maxLength) {
    const auto length = static_cast<long long>(text.size());
    if (length >= 1 && length <= std::min(maxLength, 255) &&
        std::find(history.begin(), history.end(), text) == history.end())
        history.insert(history.begin(), text);
    if (history.size() > static_cast<std::size_t>(InputHistoryMax)) history.resize(InputHistoryMax);
}

void SetMemoCaret(QPlainTextEdit& memo, int line, int column) {
    QTextCursor cursor(memo.document());
    const QTextBlock block = memo.document()->findBlockByNumber(std::max(line, 0));
    if (!block.isValid()) {
        cursor.movePosition(QTextCursor::End);
    } else {
        const int length = block.length() - 1; // without the line break
        cursor.setPosition(block.position() + std::clamp(column, 0, std::max(length, 0)));
    }
    memo.setTextCursor(cursor);
    memo.ensureCursorVisible();
}

void SelectMemoLine(QPlainTextEdit& memo, int line) {
    const QTextBlock block = memo.document()->findBlockByNumber(std::max(line, 0));
    if (!block.isValid()) {
        SetMemoCaret(memo, line, 0);
        return;
    }
    QTextCursor cursor(memo.document());
    cursor.setPosition(block.position() + block.length() - 1);
    cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    memo.ensureCursorVisible();
}

TForm1::TForm1(Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), Prompts(prompter), Sink(Prompts), Parser(Sink), Rtn(Sink, Measurer),
      ParseTree(true, Sink), ParseRun(this) {
    setObjectName(QStringLiteral("TForm1"));
    if (!Prompts) {
        OwnPrompter = std::make_unique<QtPrompter>(this);
        Prompts = OwnPrompter.get();
    }
    setWindowTitle(FromCore(TitleText()));

    // The window is laid out for 1024 x 768 and stretches on larger screens.
    const QScreen* screen = QApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(0, 0);
    if (screenSize.width() < DesignWidth || screenSize.height() < DesignHeight) {
        Prompts->Message(MessageKind::Error, FromCore(MsgWrongDesktopSize));
        StartupOk = false;
    }

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    GlobalPC = new QTabWidget(central);
    GlobalPC->setObjectName(QStringLiteral("GlobalPC"));
    ParsingSheet = new QWidget(GlobalPC);
    ParsingSheet->setObjectName(QStringLiteral("ParsingSheet"));
    TreeSheet = new QWidget(GlobalPC);
    TreeSheet->setObjectName(QStringLiteral("TreeSheet"));
    GlobalPC->addTab(ParsingSheet, QStringLiteral("Parsing"));
    GlobalPC->addTab(TreeSheet, QStringLiteral("Trees"));
    BuildParsingSheet();
    layout->addWidget(GlobalPC, 1);
    layout->addWidget(BuildBottomRow());
    auto* treeLayout = new QVBoxLayout(TreeSheet);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    Trees = new TTreesSheetView(Prompts, Sink, Measurer, InputText, TreeSheet);
    Trees->MaxTextLength = [this] { return MaxTextLength; };
    Trees->RecordInputText = [this] { InputTextExit(); };
    treeLayout->addWidget(Trees);
    setCentralWidget(central);
    setMinimumSize(std::min(DesignWidth, screenSize.width()) - 64,
                   std::min(DesignHeight, screenSize.height()) - 96);
    resize(DesignWidth, DesignHeight);

    InfoDlg = new TInfoDlg(this);
    HelpPageDlg = new THelpPageDlg(this);
    GlobOptsDlg = new TGlobOptsDlg(this);
    DialogHost = std::make_unique<QtRtnDialogHost>(PaintBox1, this);
    Rtn.SetDialogHost(DialogHost.get());

    // Stored settings, group by group; their defaults without a file or with saving off.
    const std::string envBytes = ReadEnvironmentFile();
    TEnvironmentReader envReader(envBytes);
    RestoreWindowSettings(envReader);
    RestoreParsingSettings(envReader);
    RestoreTreeSettings(envReader);
    ConnectHandlers();
}

void TForm1::FormShow() {
    // Maximised, also where no window manager maximises it.
    if (const QScreen* screen = QApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    // The instructions window was open at the last exit: open it again there.
    if (HelpRect.Width >= 1 && HelpRect.Height >= 1) {
        InstructionBtnClick();
        HelpPageDlg->move(HelpRect.Left, HelpRect.Top);
        HelpPageDlg->resize(HelpRect.Width, HelpRect.Height);
    }
}

TForm1::~TForm1() {
    Rtn.SetDialogHost(nullptr);
}

void TForm1::SetRtnDialogHost(TRtnDialogHost* host) {
    Rtn.SetDialogHost(host ? host : DialogHost.get());
}

void TForm1::BuildParsingSheet() {
    auto* grid = new QGridLayout(ParsingSheet);
    grid->setContentsMargins(4, 4, 4, 4);

    // Left column: the grammar texts, their buttons and the parse options.
    GrammarPC = new QTabWidget(ParsingSheet);
    GrammarPC->setObjectName(QStringLiteral("GrammarPC"));
    ExternalSheet = new QWidget(GrammarPC);
    ExternalSheet->setObjectName(QStringLiteral("ExternalSheet"));
    InternalSheet = new QWidget(GrammarPC);
    InternalSheet->setObjectName(QStringLiteral("InternalSheet"));
    SrcCFG = MakeMemo("SrcCFG", false, ExternalSheet);
    DstCFG = MakeMemo("DstCFG", true, InternalSheet);
    DstCFG->setTabStopDistance(56);
    (new QVBoxLayout(ExternalSheet))->addWidget(SrcCFG);
    (new QVBoxLayout(InternalSheet))->addWidget(DstCFG);
    GrammarPC->addTab(ExternalSheet, QStringLiteral("External CFG"));
    GrammarPC->addTab(InternalSheet, QStringLiteral("Internal CFG"));

    auto* panel5 = new QWidget(ParsingSheet);
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

    GeneralOptsGB = new QGroupBox(QStringLiteral("Parse options"), ParsingSheet);
    GeneralOptsGB->setObjectName(QStringLiteral("GeneralOptsGB"));
    ParseMethodRG = new TRadioGroup(QStringLiteral("Method"),
                                    {QStringLiteral("Top down"), QStringLiteral("Bottom up")}, 1,
                                    GeneralOptsGB);
    ParseMethodRG->setObjectName(QStringLiteral("ParseMethodRG"));
    ParseDirRG = new TRadioGroup(QStringLiteral("Direction"),
                                 {QStringLiteral("Depth first"), QStringLiteral("Breadth first")},
                                 1, GeneralOptsGB);
    ParseDirRG->setObjectName(QStringLiteral("ParseDirRG"));
    TraceListRG =
        new TRadioGroup(QStringLiteral("Trace list"),
                        {QStringLiteral("Detailed"), QStringLiteral("Optimal")}, 2, GeneralOptsGB);
    TraceListRG->setObjectName(QStringLiteral("TraceListRG"));
    TraceListCB = new QCheckBox(QStringLiteral("Create trace list"), GeneralOptsGB);
    TraceListCB->setObjectName(QStringLiteral("TraceListCB"));
    ParseTreeCB = new QCheckBox(QStringLiteral("Create parse tree(s)"), GeneralOptsGB);
    ParseTreeCB->setObjectName(QStringLiteral("ParseTreeCB"));
    CaseSensCB = new QCheckBox(QStringLiteral("Parse case sensitive"), GeneralOptsGB);
    CaseSensCB->setObjectName(QStringLiteral("CaseSensCB"));
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
    // The left column is 340 pixels wide, or wider where its captions need it.
    const int leftWidth = std::max({340, GeneralOptsGB->sizeHint().width(), panel5->sizeHint().width()});
    GrammarPC->setFixedWidth(leftWidth);
    panel5->setFixedWidth(leftWidth);
    GeneralOptsGB->setFixedWidth(leftWidth);

    // Right: the three result pages.
    ParsingPC = new QTabWidget(ParsingSheet);
    ParsingPC->setObjectName(QStringLiteral("ParsingPC"));
    RTNSheet = BuildRtnSheet();
    TraceSheet = BuildTraceSheet();
    ParseTreeSheet = BuildParseTreeSheet();
    ParsingPC->addTab(RTNSheet, QStringLiteral("RTNetwork"));
    ParsingPC->addTab(TraceSheet, QStringLiteral("Trace list"));
    ParsingPC->addTab(ParseTreeSheet, QStringLiteral("Parse tree(s)"));

    grid->addWidget(GrammarPC, 0, 0);
    grid->addWidget(panel5, 1, 0);
    grid->addWidget(GeneralOptsGB, 2, 0);
    grid->addWidget(ParsingPC, 0, 1, 3, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

QWidget* TForm1::BuildRtnSheet() {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("RTNSheet"));
    PaintBox1 = new TPictureBox;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setFixedSize(0, 0);
    ScrollBox1 = MakeWhiteScrollBox("ScrollBox1", PaintBox1, sheet);

    auto* panel3 = new QWidget(sheet);
    panel3->setObjectName(QStringLiteral("Panel3"));
    auto* buttons = new QGridLayout(panel3);
    buttons->setContentsMargins(0, 0, 0, 0);
    MakeRTN = MakeButton(QStringLiteral("Make RTN"), "MakeRTN", panel3);
    MakeCFG = MakeButton(QStringLiteral("Make CFG"), "MakeCFG", panel3);
    NewRTNButton = MakeButton(QStringLiteral("New RTN"), "NewRTNButton", panel3);
    ClearRTNBtn = MakeButton(QStringLiteral("Clear RTN"), "ClearRTNBtn", panel3);
    LoadRTNButton = MakeButton(QStringLiteral("Load RTN"), "LoadRTNButton", panel3);
    SaveRTNButton = MakeButton(QStringLiteral("Save RTN"), "SaveRTNButton", panel3);
    SaveMetaButton = MakeButton(QStringLiteral("Save WMF"), "SaveMetaButton", panel3);
    Button5 = MakeButton(QStringLiteral("Clip&board"), "Button5", panel3);
    buttons->addWidget(MakeRTN, 0, 0);
    buttons->addWidget(MakeCFG, 1, 0);
    buttons->addWidget(NewRTNButton, 0, 1);
    buttons->addWidget(ClearRTNBtn, 1, 1);
    buttons->addWidget(LoadRTNButton, 0, 2);
    buttons->addWidget(SaveRTNButton, 1, 2);
    buttons->addWidget(SaveMetaButton, 0, 3);
    buttons->addWidget(Button5, 1, 3);
    buttons->setColumnStretch(4, 1);

    auto* box = new QGroupBox(QStringLiteral("Display"), panel3);
    box->setObjectName(QStringLiteral("GroupBox1"));
    auto* display = new QGridLayout(box);
    display->setContentsMargins(6, 2, 6, 2);
    NodeSizeUD = new TUpDown(box);
    NodeSizeUD->setObjectName(QStringLiteral("NodeSizeUD"));
    NodeSizeUD->SetRange(MinRtnOption, MaxRtnOption);
    NodeDistUD = new TUpDown(box);
    NodeDistUD->setObjectName(QStringLiteral("NodeDistUD"));
    NodeDistUD->SetRange(MinRtnOption, MaxRtnOption);
    NodeSizeLab = MakeLabel(QStringLiteral("0"), "NodeSizeLab", box);
    NodeDistLab = MakeLabel(QStringLiteral("0"), "NodeDistLab", box);
    NodeSizeLab->setMinimumWidth(20);
    NodeDistLab->setMinimumWidth(20);
    ArcCheckBox = new QCheckBox(QStringLiteral("Use arcs only"), box);
    ArcCheckBox->setObjectName(QStringLiteral("ArcCheckBox"));
    WMFSplitCB = new QCheckBox(QStringLiteral("Split into WMFs"), box);
    WMFSplitCB->setObjectName(QStringLiteral("WMFSplitCB"));
    display->addWidget(new QLabel(QStringLiteral("Node size"), box), 0, 0);
    display->addWidget(NodeSizeUD, 0, 1);
    display->addWidget(NodeSizeLab, 0, 2);
    display->addWidget(ArcCheckBox, 0, 3);
    display->addWidget(new QLabel(QStringLiteral("Node dist."), box), 1, 0);
    display->addWidget(NodeDistUD, 1, 1);
    display->addWidget(NodeDistLab, 1, 2);
    display->addWidget(WMFSplitCB, 1, 3);
    buttons->addWidget(box, 0, 5, 2, 1);

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(panel3);
    return sheet;
}

QWidget* TForm1::BuildTraceSheet() {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TraceSheet"));
    TrcMemo = new TTraceView(sheet);
    TrcMemo->setObjectName(QStringLiteral("TrcMemo"));

    auto* panel4 = new QWidget(sheet);
    panel4->setObjectName(QStringLiteral("Panel4"));
    auto* row = new QHBoxLayout(panel4);
    row->setContentsMargins(0, 0, 0, 0);
    Label8 = MakeLabel(QStringLiteral("0 lines"), "Label8", panel4);
    Label10 = MakeLabel(QStringLiteral("-"), "Label10", panel4);
    SaveTraceButton = MakeButton(QStringLiteral("Save trace"), "SaveTraceButton", panel4);
    row->addWidget(new QLabel(QStringLiteral("Total:"), panel4));
    row->addWidget(Label8);
    row->addSpacing(24);
    row->addWidget(new QLabel(QStringLiteral("Last line:"), panel4));
    row->addWidget(Label10, 1);
    row->addWidget(SaveTraceButton);

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(TrcMemo, 1);
    layout->addWidget(panel4);
    return sheet;
}

QWidget* TForm1::BuildParseTreeSheet() {
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
    PTCur = MakeLabel(QStringLiteral("-"), "PTCur", panel8);
    PTNum->setMinimumWidth(40);
    PTCur->setMinimumWidth(40);
    PTUD = new TUpDown(panel8);
    PTUD->setObjectName(QStringLiteral("PTUD"));
    PTUD->SetRange(0, 99);
    SaveParseTreeBtn = MakeButton(QStringLiteral("Save tree"), "SaveParseTreeBtn", panel8);
    TransferBtn = MakeButton(QStringLiteral("Transfer"), "TransferBtn", panel8);
    row->addWidget(new QLabel(QStringLiteral("Number of trees:"), panel8));
    row->addWidget(PTNum);
    row->addWidget(new QLabel(QStringLiteral("Current tree:"), panel8));
    row->addWidget(PTCur);
    row->addWidget(PTUD);
    row->addStretch(1);
    row->addWidget(SaveParseTreeBtn);
    row->addWidget(TransferBtn);

    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(ParseTreeSB, 1);
    layout->addWidget(panel8);
    return sheet;
}

QWidget* TForm1::BuildBottomRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    Label3 = MakeLabel(QStringLiteral("In/out text:"), "Label3", row);
    InputText = new QComboBox(row);
    InputText->setObjectName(QStringLiteral("InputText"));
    InputText->setEditable(true);
    InputText->setInsertPolicy(QComboBox::NoInsert);
    InputText->setMaxVisibleItems(InputHistoryMax);
    // No completion from the history: typing a prefix of an earlier sentence must not
    // parse the earlier sentence. The drop-down list offers the history.
    InputText->setCompleter(nullptr);
    InputText->installEventFilter(this);
    Label3->setBuddy(InputText);

    auto* panel1 = new QWidget(row);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto* buttons = new QHBoxLayout(panel1);
    buttons->setContentsMargins(0, 0, 0, 0);
    InfoBtn = MakeButton(QStringLiteral("Information"), "InfoBtn", panel1);
    InstructionBtn = MakeButton(QStringLiteral("Instructions"), "InstructionBtn", panel1);
    GlobOptsBtn = MakeButton(QStringLiteral("Options"), "GlobOptsBtn", panel1);
    ExitButton = MakeButton(QStringLiteral("Exit"), "ExitButton", panel1);
    for (QPushButton* button : {InfoBtn, InstructionBtn, GlobOptsBtn, ExitButton})
        buttons->addWidget(button);

    layout->addWidget(Label3);
    layout->addWidget(InputText, 1);
    layout->addWidget(panel1);
    return row;
}

void TForm1::ConnectHandlers() {
    connect(Check, &QPushButton::clicked, this, &TForm1::CheckClick);
    connect(NewCFGBtn, &QPushButton::clicked, this, &TForm1::NewCFGBtnClick);
    connect(LoadCFGButton, &QPushButton::clicked, this, &TForm1::LoadCFGButtonClick);
    connect(SaveCFGButton, &QPushButton::clicked, this, &TForm1::SaveCFGButtonClick);
    connect(ParseBtn, &QPushButton::clicked, this, &TForm1::ParseClick);
    connect(ParseMethodRG, &TRadioGroup::Clicked, this, &TForm1::ParseMethodRGClick);
    connect(ParseDirRG, &TRadioGroup::Clicked, this, &TForm1::ParseDirRGClick);
    connect(TraceListRG, &TRadioGroup::Clicked, this, &TForm1::TraceListRGClick);
    connect(TraceListCB, &QCheckBox::clicked, this, &TForm1::TraceListCBClick);
    connect(ParseTreeCB, &QCheckBox::clicked, this, &TForm1::ParseTreeCBClick);
    connect(CaseSensCB, &QCheckBox::clicked, this, &TForm1::CaseSensCBClick);
    connect(SaveTraceButton, &QPushButton::clicked, this, &TForm1::SaveTraceButtonClick);
    connect(SaveParseTreeBtn, &QPushButton::clicked, this, &TForm1::SaveParseTreeBtnClick);
    connect(PTUD, &TUpDown::Clicked, this, &TForm1::PTUDClick);
    connect(MakeRTN, &QPushButton::clicked, this, &TForm1::MakeRTNClick);
    connect(MakeCFG, &QPushButton::clicked, this, &TForm1::MakeCFGClick);
    connect(SaveRTNButton, &QPushButton::clicked, this, &TForm1::SaveRTNButtonClick);
    connect(LoadRTNButton, &QPushButton::clicked, this, &TForm1::LoadRTNButtonClick);
    connect(NewRTNButton, &QPushButton::clicked, this, &TForm1::NewRTNButtonClick);
    connect(ClearRTNBtn, &QPushButton::clicked, this, &TForm1::ClearRTNBtnClick);
    connect(SaveMetaButton, &QPushButton::clicked, this, &TForm1::SaveMetaButtonClick);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(TransferBtn, &QPushButton::clicked, this, &TForm1::TransferBtnClick);
    NodeSizeUD->Changing = [this] { return Rtn.HasRtn(); };
    NodeDistUD->Changing = [this] { return Rtn.HasRtn(); };
    connect(NodeSizeUD, &TUpDown::Clicked, this, &TForm1::NodeSizeUDClick);
    connect(NodeDistUD, &TUpDown::Clicked, this, &TForm1::NodeDistUDClick);
    connect(ArcCheckBox, &QCheckBox::clicked, this, &TForm1::ArcCheckBoxClick);
    connect(WMFSplitCB, &QCheckBox::clicked, this, &TForm1::WMFSplitCBClick);
    connect(PaintBox1, &TPictureBox::MouseMoved, this, &TForm1::PaintBox1MouseMove);
    connect(PaintBox1, &TPictureBox::MousePressed, this, &TForm1::PaintBox1MouseDown);
    PaintBox1->Overlay = [this](QtCanvas& canvas) {
        if (Rtn.RtnEmpty()) {
            canvas.State.BrushStyle = TBrushStyle::bsClear;
            canvas.State.Font.Height = PointsToFontHeight(10);
            canvas.State.Font.Color = 0x808080;
            canvas.TextOut(Rtn.Metrics.ArcOrigin, FirstLineY - 8, EmptyRtnHint);
        }
        TFocusFrame frame;
        if (!Rtn.CurrentFocusFrame(frame)) return;
        // Drawn in XOR teal: red on the white picture, inverted over black lines.
        canvas.State.PenMode = TPenMode::pmXor;
        canvas.State.PenColor = clTeal;
        canvas.State.BrushColor = clTeal;
        canvas.State.BrushStyle = frame.Filled ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
        canvas.Rectangle(frame.Box);
    };
    connect(InfoBtn, &QPushButton::clicked, this, &TForm1::InfoBtnClick);
    connect(InstructionBtn, &QPushButton::clicked, this, &TForm1::InstructionBtnClick);
    connect(GlobOptsBtn, &QPushButton::clicked, this, &TForm1::GlobOptsBtnClick);
    connect(ExitButton, &QPushButton::clicked, this, &TForm1::ExitButtonClick);
    connect(GlobalPC, &QTabWidget::currentChanged, this, &TForm1::GlobalPCChange);
}

// The option controls as the option byte says.
void TForm1::SetParseControls() {
    ParseMethodRG->SetItemIndex((ParseOptions & poTopDown)    ? 0
                                : (ParseOptions & poBottomUp) ? 1
                                                              : -1);
    ParseDirRG->SetItemIndex((ParseOptions & poDepthFirst)     ? 0
                             : (ParseOptions & poBreadthFirst) ? 1
                                                               : -1);
    TraceListRG->SetItemIndex((ParseOptions & poOptimalTrace) ? 1 : 0);
    TraceListCB->setChecked(ParseOptions & poTraceList);
    ParseTreeCB->setChecked(ParseOptions & poParseTrees);
    CaseSensCB->setChecked(ParseOptions & poCaseSensitive);
    const bool traced = TraceListCB->isChecked();
    TraceListRG->setEnabled(traced);
    ParseMethodRG->setEnabled(traced);
    ParseDirRG->setEnabled(traced);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The combo box holds the focus for its line edit (which only gets the events
    // forwarded, past any filter). Opening its own drop-down list is no leaving.
    if (watched == InputText && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        InputTextExit();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent* event) {
    // The main window is always maximised.
    if (event->type() == QEvent::WindowStateChange && isVisible() &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() | Qt::WindowMaximized); });
    QMainWindow::changeEvent(event);
}

// ---- Grammar commands ----

std::vector<std::string> TForm1::SourceLines() const {
    return SplitTextLines(ToCore(SrcCFG->toPlainText()));
}

void TForm1::SetSourceLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << FromCore(line);
    SrcCFG->setPlainText(text.join(QLatin1Char('\n')));
}

// After a failed check: the external page, and the offending rule's line of the text
// (comment and empty lines above it counted) selected, the caret at its start.
void TForm1::ShowGrammarError() {
    GrammarPC->setCurrentWidget(ExternalSheet);
    SrcCFG->setFocus();
    const int line = GrammarLines.SourceLineOf(Parser.GetErrorLine());
    SelectMemoLine(*SrcCFG, std::max(line, 0));
}

void TForm1::CheckClick() {
    if (ParseRun.Busy()) return;
    if (SrcCFG->document()->isEmpty()) {
        Sink.Error(MsgDefineCfgFirst);
        return;
    }
    if (PrepareGrammar(Parser, SourceLines(), true, &GrammarLines)) {
        QStringList listing;
        for (const std::string& line : ShowInternal(Parser))
            listing << FromCore(line);
        DstCFG->setPlainText(listing.join(QLatin1Char('\n')));
        GrammarPC->setCurrentWidget(InternalSheet);
    } else {
        ShowGrammarError();
    }
}

void TForm1::NewCFGBtnClick() {
    SrcCFG->clear();
    DstCFG->clear();
    GrammarPC->setCurrentWidget(ExternalSheet);
    SrcCFG->setFocus();
}

void TForm1::LoadCFGButtonClick() {
    const QString path = Prompts->OpenFileName(LoadCfgDialog);
    if (path.isEmpty()) return;
    std::vector<std::string> lines;
    // A file that cannot be read leaves both texts as they were.
    if (!LoadCfgFile(path.toStdString(), lines, Sink)) return;
    DstCFG->clear();
    SetSourceLines(lines);
    GrammarPC->setCurrentWidget(ExternalSheet);
    SrcCFG->setFocus();
}

void TForm1::SaveCFGButtonClick() {
    const bool external = GrammarPC->currentWidget() == ExternalSheet;
    const TFileDialogRequest request{external ? QStringLiteral("Save external CFG")
                                        : QStringLiteral("Save internal CFG"),
                               CfgFilter, QStringLiteral("CFG")};
    const QString path = Prompts->SaveFileName(request);
    if (path.isEmpty()) return;
    const QPlainTextEdit* memo = external ? SrcCFG : DstCFG;
    SaveCfgFile(path.toStdString(), SplitTextLines(ToCore(memo->toPlainText())), Sink);
}

// ---- Parsing ----

void TForm1::ParseClick() {
    if (ParseRun.Busy()) return;
    if (SrcCFG->document()->isEmpty()) {
        Sink.Error(MsgDefineCfgFirst);
        GrammarPC->setCurrentWidget(ExternalSheet);
        SrcCFG->setFocus();
        return;
    }
    if (InputText->currentText().isEmpty()) {
        Sink.Error(MsgNoTextToParse);
        InputText->setFocus();
        return;
    }
    if (!PrepareGrammar(Parser, SourceLines(), true, &GrammarLines)) {
        ShowGrammarError();
        return;
    }
    SentenceLines.assign(1, ToCore(InputText->currentText()));
    InputTextExit();
    TrcMemo->ShowLines({});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TParseOutcome outcome = ParseRun.Run(Parser, SentenceLines, ParseOptions, Sink);
    QApplication::restoreOverrideCursor();
    if (outcome.Busy) return;
    if (CloseWhenIdle) {
        // The window was closed while the search ran: it has stopped, now close.
        close();
        return;
    }
    if (outcome.Cancelled) {
        Sink.Information(MsgParsingCancelled);
        return;
    }
    // A refused parse has shown why; it was neither accepted nor rejected.
    if (outcome.Refused) return;
    if (!outcome.Accepted) {
        Sink.Error(MsgParsingFailed);
        return;
    }
    if (!(ParseOptions & (poTraceList | poParseTrees))) Sink.Information(MsgParsingSuccessful);
    if (ParseOptions & poTraceList) {
        QStringList listing;
        for (const std::string& line : ShowInternal(Parser))
            listing << FromCore(line);
        DstCFG->setPlainText(listing.join(QLatin1Char('\n')));
        GrammarPC->setCurrentWidget(InternalSheet);
        ShowTraceList();
    }
    if (ParseOptions & poParseTrees) ShowParseTrees(outcome);
}

void TForm1::ShowTraceList() {
    // The view takes the lines over: they are only shown and saved from now on.
    TrcMemo->ShowLines(std::move(Parser.TraceLines));
    Parser.TraceLines.clear();
    const std::vector<std::string>& lines = TrcMemo->Lines();
    ParsingPC->setCurrentWidget(TraceSheet);
    if (!lines.empty()) {
        Label8->setText(QString::number(lines.size()) + QStringLiteral(" Lines"));
        Label10->setText(QLatin1Char('"') + FromCore(lines.back()) + QLatin1Char('"'));
    }
}

void TForm1::ShowParseTrees(const TParseOutcome& outcome) {
    TNodeAttr defaults = DefaultNodeAttr();
    defaults.Flags = naLeft | naAnnoBrackets;
    ParseTree.SetParams(TreeHDist, TreeVDist, "Arial", TreeSheetOptions, defaults);
    const std::size_t count = Parser.GetParseTrees().size();
    // The exact number of trees; when there are more than are kept, how many of them
    // can be stepped through.
    PTNum->setText(outcome.TreesTruncated
                       ? QString::fromStdString(outcome.TreeCount) + QStringLiteral(" (first ") +
                             QString::number(count) + QStringLiteral(" shown)")
                       : QString::number(count));
    PTCur->setText(count > 0 ? QStringLiteral("1") : QStringLiteral("-"));
    // The control counts in int, so every tree can be reached.
    PTUD->SetRange(0, count > 0 ? static_cast<int>(std::min<std::size_t>(count - 1, INT_MAX)) : 0);
    PTUD->SetPosition(0);
    if (count > 0 && ShowParseTree(0) && !(ParseOptions & poTraceList))
        ParsingPC->setCurrentWidget(ParseTreeSheet);
}

bool TForm1::ShowParseTree(std::size_t index) {
    const std::vector<std::string>& trees = Parser.GetParseTrees();
    if (index >= trees.size()) return false;
    MeasuringCanvas screen(Measurer);
    if (!ParseTree.StrToTree(trees[index]) || !ParseTree.Show(screen, 4, 4)) {
        ParseTree.ResetError();
        return false;
    }
    const Picture& picture = ParseTree.GetMetafile();
    ParseTreePB->SetPicture(&picture);
    ParseTreePB->setFixedSize(std::max(picture.Width, 0), std::max(picture.Height, 0));
    ParseTreePB->update();
    // Each tree is shown from its top-left corner, wherever the last one was scrolled.
    ParseTreeSB->horizontalScrollBar()->setValue(0);
    ParseTreeSB->verticalScrollBar()->setValue(0);
    return true;
}

void TForm1::PTUDClick() {
    if (Parser.GetParseTrees().empty()) return;
    const int i = PTUD->Position();
    PTCur->setText(QString::number(i + 1));
    ShowParseTree(static_cast<std::size_t>(i));
}

void TForm1::ParseMethodRGClick() {
    if (ParseMethodRG->ItemIndex() == 0)
        ParseOptions = (ParseOptions | poTopDown) & ~poBottomUp;
    else
        ParseOptions = (ParseOptions | poBottomUp) & ~poTopDown;
}

void TForm1::ParseDirRGClick() {
    if (ParseDirRG->ItemIndex() == 0)
        ParseOptions = (ParseOptions | poDepthFirst) & ~poBreadthFirst;
    else
        ParseOptions = (ParseOptions | poBreadthFirst) & ~poDepthFirst;
}

void TForm1::TraceListRGClick() {
    if (TraceListRG->ItemIndex() == 1)
        ParseOptions |= poOptimalTrace;
    else
        ParseOptions &= ~poOptimalTrace;
}

void TForm1::TraceListCBClick() {
    if (TraceListCB->isChecked()) {
        ParseOptions |= poTraceList;
        TraceListRG->setEnabled(true);
        TraceListRGClick();
        ParseMethodRG->setEnabled(true);
        ParseMethodRGClick();
        ParseDirRG->setEnabled(true);
        ParseDirRGClick();
    } else {
        ParseOptions &= ~(poTraceList | poOptimalTrace);
        TraceListRG->setEnabled(false);
        ParseMethodRG->setEnabled(false);
        ParseDirRG->setEnabled(false);
    }
}

void TForm1::ParseTreeCBClick() {
    if (ParseTreeCB->isChecked())
        ParseOptions |= poParseTrees;
    else
        ParseOptions &= ~poParseTrees;
}

void TForm1::CaseSensCBClick() {
    if (CaseSensCB->isChecked())
        ParseOptions |= poCaseSensitive;
    else
        ParseOptions &= ~poCaseSensitive;
}

void TForm1::SaveTraceButtonClick() {
    const QString path = Prompts->SaveFileName(SaveTraceDialog);
    if (path.isEmpty()) return;
    SaveCfgFile(path.toStdString(), TrcMemo->Lines(), Sink);
}

void TForm1::SaveParseTreeBtnClick() {
    const TNode* root = ParseTree.GetRoot();
    if (!root) {
        Sink.Error(MsgEmptyTreeNotSaved);
        return;
    }
    const QString path = Prompts->SaveFileName(SaveParseTreeDialog);
    if (path.isEmpty()) return;
    if (!ParseTree.SaveTree(path.toStdString(), root, 1)) ParseTree.ResetError();
}

// ---- Network sheet ----

void TForm1::RefreshRtnView() {
    PaintBox1->SetPicture(Rtn.HasRtn() ? &Rtn.RtnPicture : nullptr);
    PaintBox1->setFixedSize(std::max(Rtn.AreaWidth, 0), std::max(Rtn.AreaHeight, 0));
    PaintBox1->update();
}

void TForm1::RefreshRtnOptions() {
    NodeSizeUD->SetPosition(Rtn.Metrics.NodeSize);
    NodeDistUD->SetPosition(Rtn.Metrics.NodeDist);
    NodeSizeLab->setText(QString::number(Rtn.Metrics.NodeSize));
    NodeDistLab->setText(QString::number(Rtn.Metrics.NodeDist));
    ArcCheckBox->setChecked(!Rtn.LinesAllowed);
    WMFSplitCB->setChecked(Rtn.SplitWmf);
}

void TForm1::MakeRTNClick() {
    if (ParseRun.Busy()) return;
    const bool prepared = PrepareGrammar(Parser, SourceLines(), false, &GrammarLines);
    switch (Rtn.MakeRTNClick(prepared, Parser)) {
    case TMakeRtnResult::Made:
        ParsingPC->setCurrentWidget(RTNSheet);
        break;
    case TMakeRtnResult::TooManyAlternatives:
        GrammarPC->setCurrentWidget(ExternalSheet);
        break;
    case TMakeRtnResult::NotMade:
        break;
    }
    RefreshRtnView();
}

void TForm1::MakeCFGClick() {
    std::vector<std::string> lines;
    if (!Rtn.MakeCFGClick(lines)) return;
    DstCFG->clear();
    SetSourceLines(lines);
    GrammarPC->setCurrentWidget(ExternalSheet);
}

void TForm1::SaveRTNButtonClick() {
    if (!Rtn.HasRtn()) {
        Sink.Error(MsgNoRtnToSave);
        return;
    }
    const QString path =
        Prompts->SaveFileName({QStringLiteral("Save RTN"), RtnFilter, QStringLiteral("RTN")});
    if (path.isEmpty()) return;
    Rtn.SaveRTNButtonClick(path.toStdString());
}

void TForm1::LoadRTNButtonClick() {
    const QString path =
        Prompts->OpenFileName({QStringLiteral("Load RTN"), RtnFilter, QStringLiteral("RTN")});
    if (path.isEmpty()) return;
    if (!Rtn.LoadRTNButtonClick(path.toStdString())) return;
    RefreshRtnOptions();
    RefreshRtnView();
    ParsingPC->setCurrentWidget(RTNSheet);
}

void TForm1::NewRTNButtonClick() {
    Rtn.NewRTNButtonClick();
    RefreshRtnView();
}

void TForm1::ClearRTNBtnClick() {
    Rtn.ClearRTNBtnClick();
    RefreshRtnView();
}

void TForm1::SaveMetaButtonClick() {
    if (!Rtn.HasRtn()) {
        Sink.Error(MsgNoRtnToSave);
        return;
    }
    const QString path = AskPictureFileName(*Prompts, QStringLiteral("Save RTN as MetaFile"));
    if (path.isEmpty()) return;
    // A metafile, unless the name asks for another picture format.
    const PictureFileWriter writer = [this](const Picture& picture, const std::string& name) {
        const PictureFormat format = PictureFormatFromPath(name).value_or(PictureFormat::Wmf);
        std::string error;
        if (SavePicture(picture, name, format, &error)) return true;
        Sink.Error(MsgRtnCannotCreate + (error.empty() ? "" : " " + error));
        return false;
    };
    Rtn.SaveMetaButtonClick(path.toStdString(), writer);
}

void TForm1::Button5Click() {
    if (Rtn.CanCopyPicture()) CopyPictureToClipboard(Rtn.RtnPicture);
}

void TForm1::NodeSizeUDClick() {
    Rtn.NodeSizeChange(NodeSizeUD->Position());
    NodeSizeLab->setText(QString::number(Rtn.Metrics.NodeSize));
    RefreshRtnView();
}

void TForm1::NodeDistUDClick() {
    Rtn.NodeDistChange(NodeDistUD->Position());
    NodeDistLab->setText(QString::number(Rtn.Metrics.NodeDist));
    RefreshRtnView();
}

void TForm1::ArcCheckBoxClick() {
    Rtn.ArcCheckBoxClick(ArcCheckBox->isChecked());
    RefreshRtnView();
}

void TForm1::WMFSplitCBClick() {
    Rtn.WMFSplitCBClick(WMFSplitCB->isChecked());
}

void TForm1::PaintBox1MouseMove(int x, int y) {
    // Only the old and the new frame are repainted.
    TFocusFrame before;
    const bool hadFrame = Rtn.CurrentFocusFrame(before);
    if (!Rtn.TrackFocus(x, y)) return;
    const auto area = [](const TRect& box) {
        return QRect(box.Left, box.Top, box.Width() + 1, box.Height() + 1);
    };
    if (hadFrame) PaintBox1->update(area(before.Box));
    TFocusFrame after;
    if (Rtn.CurrentFocusFrame(after)) PaintBox1->update(area(after.Box));
}

void TForm1::PaintBox1MouseDown(int button, unsigned shift, int x, int y) {
    Rtn.PaintBox1MouseDown(static_cast<TMouseButton>(button), shift, x, y);
    RefreshRtnView();
}

// ---- Window ----

void TForm1::InputTextExit() {
    std::vector<std::string> history;
    for (int i = 0; i < InputText->count(); ++i)
        history.push_back(ToCore(InputText->itemText(i)));
    const QString text = InputText->currentText();
    RecordInputHistory(history, ToCore(text), MaxTextLength);
    QSignalBlocker block(InputText);
    InputText->clear();
    for (const std::string& entry : history)
        InputText->addItem(FromCore(entry));
    InputText->setEditText(text);
}

void TForm1::InfoBtnClick() {
    InfoDlg->exec();
}

void TForm1::InstructionBtnClick() {
    HelpPageDlg->ShowPage(GlobalPC->currentWidget() == TreeSheet ? 2 : 1);
    HelpPageDlg->show();
    HelpPageDlg->raise();
}

void TForm1::GlobalPCChange() {
    if (HelpPageDlg->isVisible()) InstructionBtnClick();
}

void TForm1::GlobOptsBtnClick() {
    GlobOptsDlg->SaveEnvirCB->setChecked(SaveEnvironmentOption);
    GlobOptsDlg->IOTextLenME->setText(QString::number(MaxTextLength));
    if (GlobOptsDlg->exec() != QDialog::Accepted) return;
    SaveEnvironmentOption = GlobOptsDlg->SaveEnvirCB->isChecked();
    MaxTextLength = MaxTextLengthFrom(GlobOptsDlg->IOTextLenME->text());
    InputText->setEditText(QString());
    InputText->lineEdit()->setMaxLength(MaxTextLength);
}

void TForm1::TransferBtnClick() {
    if (Trees->Sheet().TransferTree(ParseTree.GetRoot())) GlobalPC->setCurrentWidget(TreeSheet);
}

void TForm1::ExitButtonClick() {
    SaveEnvironment(SaveEnvironmentOption);
    HelpPageDlg->close();
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (ParseRun.Busy()) {
        // The search still reads the grammar store: stop it and close once it has
        // ended (ParseClick does).
        CloseWhenIdle = true;
        ParseRun.RequestStop();
        event->ignore();
        return;
    }
    HelpPageDlg->close();
    QMainWindow::closeEvent(event);
}

} // namespace gramarbor
