// The main window: the frame around both sheets, the bottom row, the dialogs and the
// settings wiring.
#include "workbench/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "core_version.h"
#include "parsesheet/input_history.h"
#include "settings/environment_location.h"
#include "settings/sheet_settings.h"
#include "workbench/environment_io.h"
#include "workbench/glob_opts_dlg.h"
#include "workbench/info_dialogs.h"
#include "workbench/network_page.h"
#include "workbench/parsing_page.h"
#include "workbench/trees_sheet.h"
#include "workbench/widget_factory.h"

namespace gramarbor {

namespace {

QtPrompter* OwnPrompterFor(Prompter* given, QWidget* window) {
    return given ? nullptr : new QtPrompter(window);
}

} // namespace

TForm1::TForm1(Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), OwnPrompter(OwnPrompterFor(prompter, this)),
      Prompts(prompter ? *prompter : *OwnPrompter), Sink(Prompts) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(FromCore(TitleText()));

    // The window is laid out for 1024 x 768 and stretches on larger screens.
    const QScreen* screen = QApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(0, 0);
    if (screenSize.width() < DesignWidth || screenSize.height() < DesignHeight) {
        Prompts.Message(MessageKind::Error, FromCore(MsgWrongDesktopSize));
        StartupOk = false;
    }

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    QWidget* bottomRow = BuildBottomRow();
    GlobalPC = new QTabWidget(central);
    GlobalPC->setObjectName(QStringLiteral("GlobalPC"));
    Parsing = new TParsingPageView(Prompts, Sink, Measurer, InputText, GlobalPC);
    TreeSheet = new QWidget(GlobalPC);
    TreeSheet->setObjectName(QStringLiteral("TreeSheet"));
    GlobalPC->addTab(Parsing, QStringLiteral("Parsing"));
    GlobalPC->addTab(TreeSheet, QStringLiteral("Trees"));
    layout->addWidget(GlobalPC, 1);
    layout->addWidget(bottomRow);
    auto* treeLayout = new QVBoxLayout(TreeSheet);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    Trees = new TTreesSheetView(Prompts, Sink, Measurer, InputText, TreeSheet);
    Trees->MaxTextLength = [this] { return MaxTextLength(); };
    Trees->RecordInputText = [this] { InputTextExit(); };
    treeLayout->addWidget(Trees);
    Parsing->RecordInputText = [this] { InputTextExit(); };
    Parsing->TransferTree = [this](const TNode* root) {
        if (!Trees->Sheet().TransferTree(root)) return false;
        GlobalPC->setCurrentWidget(TreeSheet);
        return true;
    };
    setCentralWidget(central);
    setMinimumSize(std::min(DesignWidth, screenSize.width()) - 64,
                   std::min(DesignHeight, screenSize.height()) - 96);
    resize(DesignWidth, DesignHeight);

    InfoDlg = new TInfoDlg(this);
    HelpPageDlg = new THelpPageDlg(this);
    GlobOptsDlg = new TGlobOptsDlg(this);
    RestoreSettings();
    ConnectHandlers();
}

TForm1::~TForm1() = default;

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

void TForm1::SetRtnDialogHost(TRtnDialogHost* host) {
    Parsing->Network->SetDialogHost(host);
}

int TForm1::MaxTextLength() const {
    return Parsing->Sheet().MaxTextLength;
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
    connect(InfoBtn, &QPushButton::clicked, this, &TForm1::InfoBtnClick);
    connect(InstructionBtn, &QPushButton::clicked, this, &TForm1::InstructionBtnClick);
    connect(GlobOptsBtn, &QPushButton::clicked, this, &TForm1::GlobOptsBtnClick);
    connect(ExitButton, &QPushButton::clicked, this, &TForm1::ExitButtonClick);
    connect(GlobalPC, &QTabWidget::currentChanged, this, &TForm1::GlobalPCChange);
}

// ---- Settings ----

void TForm1::RestoreSettings() {
    // Group by group; their defaults without a file or with saving off.
    const std::string bytes = ReadEnvironmentFile();
    TEnvironmentReader reader(bytes);
    TEnvironment& env = StoredEnvironment;
    TParseSheet& parsing = Parsing->Sheet();

    reader.ReadWindow(env);
    TWindowSettings window;
    RestoreWindowSettings(env, window, parsing);
    SaveEnvironmentOption = window.SaveEnvironment;
    HelpRect = window.HelpRect;
    GlobalPC->setCurrentIndex(window.MainPage);
    Parsing->GrammarPC->setCurrentIndex(window.GrammarPage);
    Parsing->ParsingPC->setCurrentIndex(window.ResultPage);
    ShowHistory();
    // The in/out text starts empty with its maximum length.
    InputText->setEditText(QString());
    InputText->lineEdit()->setMaxLength(MaxTextLength());

    reader.ReadParsing(env);
    RestoreParsingSettings(env, parsing, Parsing->Network->Workspace());
    Parsing->SyncOptionControls();
    Parsing->Network->RefreshRtnOptions();

    reader.ReadTreeList(env);
    reader.ReadTreeWindows(env);
    reader.ReadTreeOptions(env);
    reader.ReadFontAndFormat(env);
    RestoreTreeSettings(env, Trees->Sheet());
    Trees->NewTreeCB->clear(); // filled again from the names
    Trees->ShowTrees();
}

TEnvironment TForm1::CurrentEnvironment() const {
    TWindowSettings window;
    window.SaveEnvironment = SaveEnvironmentOption;
    window.MainPage = GlobalPC->currentIndex();
    window.GrammarPage = Parsing->GrammarPC->currentIndex();
    window.ResultPage = Parsing->ParsingPC->currentIndex();
    if (HelpPageDlg->isVisible())
        window.HelpRect = {HelpPageDlg->x(), HelpPageDlg->y(), HelpPageDlg->width(),
                           HelpPageDlg->height()};
    return gramarbor::CurrentEnvironment(StoredEnvironment, window, Parsing->Sheet(),
                                         Parsing->Network->Workspace(), Trees->Sheet());
}

bool TForm1::SaveEnvironment(bool saveFlag) {
    TEnvironment env = CurrentEnvironment();
    env.SaveEnvironment = saveFlag;
    HelpRect = env.HelpRect;
    const std::string fileName = EnvironmentFileName();
    // The folder of the file may still have to be made (the configuration folder).
    FileError error = FileError::CannotCreate;
    if (CreateFolderOf(fileName)) error = AtomicSave(fileName, WriteEnvironment(env));
    if (error == FileError::None) return true;
    Prompts.Message(MessageKind::Error,
                    FromCore(error == FileError::CannotCreate ? MsgCannotCreateEnvironment
                                                              : MsgCannotWriteEnvironment));
    return false;
}

// ---- Window ----

void TForm1::ShowHistory() {
    const QString text = InputText->currentText();
    QSignalBlocker block(InputText);
    InputText->clear();
    for (const std::string& entry : Parsing->Sheet().History)
        InputText->addItem(FromCore(entry));
    InputText->setEditText(text);
}

void TForm1::InputTextExit() {
    Parsing->Sheet().RecordInput(ToCore(InputText->currentText()));
    ShowHistory();
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
    GlobOptsDlg->IOTextLenME->setText(QString::number(MaxTextLength()));
    if (GlobOptsDlg->exec() != QDialog::Accepted) return;
    SaveEnvironmentOption = GlobOptsDlg->SaveEnvirCB->isChecked();
    Parsing->Sheet().MaxTextLength = MaxTextLengthFrom(GlobOptsDlg->IOTextLenME->text());
    InputText->setEditText(QString());
    InputText->lineEdit()->setMaxLength(MaxTextLength());
}

void TForm1::ExitButtonClick() {
    SaveEnvironment(SaveEnvironmentOption);
    HelpPageDlg->close();
    close();
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

void TForm1::closeEvent(QCloseEvent* event) {
    if (Parsing->Runner().Busy()) {
        // The search still reads the grammar store: stop it and close once it has
        // ended (the parse click does).
        Parsing->CloseWhenIdle = true;
        Parsing->Runner().RequestStop();
        event->ignore();
        return;
    }
    HelpPageDlg->close();
    QMainWindow::closeEvent(event);
}

} // namespace gramarbor
