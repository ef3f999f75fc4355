// The trees sheet's widgets and their handlers.
#include "workbench/trees_sheet.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_canvas.h"
#include "rtn/cond_dialog.h"
#include "text/text_utils.h"
#include "tree/latex_export.h"
#include "workbench/picture_file_dialog.h"
#include "workbench/tree_dialogs.h"
#include "workbench/widget_factory.h"
#include "workbench/widgets.h"

namespace gramarbor {

TTreesSheetView::TTreesSheetView(Prompter& prompter, MessageSink& sink, TextMeasurer& measurer,
                                 QComboBox* inputText, QWidget* parent)
    : QWidget(parent), Prompts(prompter), Sink(sink), Screen(measurer), InputText(inputText) {
    setObjectName(QStringLiteral("TreesSheetView"));
    Core = std::make_unique<TTreeSheet>(sink, Screen, static_cast<TTreeSheetHost&>(*this));
    TreeListDlg = new TTreeListDlgView(Prompts, Sink, this);
    DefNodeDlg = new TDefNodeDlgView(Sink, this);
    NodeDefDlg = new TNodeDefDlgView(this);
    IOFormDlg = new TIOFormDlgView(this);
    TreePrevDlg = new TTreePrevDlgView(this);
    BuildWidgets();
    ConnectHandlers();
    Core->ApplyIOFormat();
    SyncTreeControls();
    SyncTreebank();
}

TTreesSheetView::~TTreesSheetView() = default;

void TTreesSheetView::BuildWidgets() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);

    // Commands.
    auto* commands = new QGridLayout;
    NewTreeCB = new QComboBox(this);
    NewTreeCB->setObjectName(QStringLiteral("NewTreeCB"));
    NewTreeCB->setEditable(true);
    NewTreeCB->setMinimumWidth(180);
    NewTreeBtn = MakeButton(QStringLiteral("New tree"), "NewTreeBtn", this);
    EditTreeListBtn = MakeButton(QStringLiteral("Tree list"), "EditTreeListBtn", this);
    PrevTreeBtn = MakeButton(QStringLiteral("\u25C0"), "PrevTreeBtn", this);
    PrevTreeBtn->setToolTip(QStringLiteral("The previous tree of the treebank file"));
    TreebankLab = MakeLabel(QString(), "TreebankLab", this);
    NextTreeBtn = MakeButton(QStringLiteral("\u25B6"), "NextTreeBtn", this);
    NextTreeBtn->setToolTip(QStringLiteral("The next tree of the treebank file"));
    for (QPushButton* b : {PrevTreeBtn, NextTreeBtn})
        b->setMaximumWidth(40);
    PushLeftBtn = MakeButton(QStringLiteral("&<<<"), "PushLeftBtn", this);
    PushRghtBtn = MakeButton(QStringLiteral("&>>>"), "PushRghtBtn", this);
    CopyTreeBtn = MakeButton(QStringLiteral("&Copy"), "CopyTreeBtn", this);
    CutTreeBtn = MakeButton(QStringLiteral("Cu&t"), "CutTreeBtn", this);
    DelTreeBtn = MakeButton(QStringLiteral("&Delete"), "DelTreeBtn", this);
    PasteTreeBtn = MakeButton(QStringLiteral("&Paste"), "PasteTreeBtn", this);
    LoadTreeBtn = MakeButton(QStringLiteral("Load tree"), "LoadTreeBtn", this);
    SaveTreeBtn = MakeButton(QStringLiteral("Save tree"), "SaveTreeBtn", this);
    SaveWMFBtn = MakeButton(QStringLiteral("Save WMF"), "SaveWMFBtn", this);
    Button4 = MakeButton(QStringLiteral("Clip&board"), "Button4", this);
    TreeToTextBtn = MakeButton(QStringLiteral("Tr&ee > text"), "TreeToTextBtn", this);
    TextToTreeBtn = MakeButton(QStringLiteral("Te&xt > tree"), "TextToTreeBtn", this);
    PreviewBtn = MakeButton(QStringLiteral("Preview"), "PreviewBtn", this);
    NodeDefBtn = MakeButton(QStringLiteral("&Node defaults"), "NodeDefBtn", this);
    InputFormatBtn = MakeButton(QStringLiteral("In/out text &format"), "InputFormatBtn", this);
    UndoBtn = MakeButton(QStringLiteral("Undo"), "UndoBtn", this);
    RedoBtn = MakeButton(QStringLiteral("Redo"), "RedoBtn", this);
    UndoBtn->setToolTip(QStringLiteral("Undo the last change of the active tree (Ctrl+Z)"));
    RedoBtn->setToolTip(QStringLiteral("Redo the change undone last (Ctrl+Y)"));
    auto* first = new QHBoxLayout;
    first->addWidget(NewTreeCB, 1);
    for (QPushButton* b : {NewTreeBtn, EditTreeListBtn})
        first->addWidget(b);
    first->addWidget(PrevTreeBtn);
    first->addWidget(TreebankLab);
    first->addWidget(NextTreeBtn);
    for (QPushButton* b :
         {PushLeftBtn, PushRghtBtn, CopyTreeBtn, CutTreeBtn, DelTreeBtn, PasteTreeBtn})
        first->addWidget(b);
    auto* second = new QHBoxLayout;
    for (QPushButton* b : {LoadTreeBtn, SaveTreeBtn, SaveWMFBtn, Button4, TreeToTextBtn,
                           TextToTreeBtn, PreviewBtn, NodeDefBtn, InputFormatBtn})
        second->addWidget(b);
    second->addStretch(1);
    second->addWidget(UndoBtn);
    second->addWidget(RedoBtn);
    commands->addLayout(first, 0, 0);
    commands->addLayout(second, 1, 0);
    outer->addLayout(commands);

    // Options, in three groups.
    auto* options = new QHBoxLayout;
    auto* windows = new QGroupBox(QStringLiteral("Windows"), this);
    windows->setObjectName(QStringLiteral("TreeWindowsGB"));
    auto* wl = new QHBoxLayout(windows);
    SplitScreenCB = MakeCheckBox(QStringLiteral("Split screen"), "SplitScreenCB", windows);
    // The two-item groups stack their items: the row of option groups must fit the
    // width of the smallest screen.
    ActiveTreeRG = new TRadioGroup(QStringLiteral("Active tree"),
                                   {QStringLiteral("&Lft"), QStringLiteral("&Rgt")}, 1, windows);
    ActiveTreeRG->setObjectName(QStringLiteral("ActiveTreeRG"));
    PasteModeRG =
        new TRadioGroup(QStringLiteral("Paste mode"),
                        {QStringLiteral("Append"), QStringLiteral("Replace")}, 1, windows);
    PasteModeRG->setObjectName(QStringLiteral("PasteModeRG"));
    BinLayLab = MakeLabel(QString(), "BinLayLab", windows);
    BinLayUD = MakeUpDown("BinLayUD", 1, 9, windows);
    wl->addWidget(SplitScreenCB);
    wl->addWidget(ActiveTreeRG);
    wl->addWidget(PasteModeRG);
    wl->addWidget(MakeLabel(QStringLiteral("Bin. layers"), nullptr, windows));
    wl->addWidget(BinLayLab);
    wl->addWidget(BinLayUD);

    auto* layout = new QGroupBox(QStringLiteral("Layout"), this);
    layout->setObjectName(QStringLiteral("TreeLayoutGB"));
    auto* ll = new QHBoxLayout(layout);
    OptimalTreeCB = MakeCheckBox(QStringLiteral("Optimal tree"), "OptimalTreeCB", layout);
    PlaneTreeCB = MakeCheckBox(QStringLiteral("Plane tree"), "PlaneTreeCB", layout);
    PlaneTreeRG = new TRadioGroup(QStringLiteral("Plane type"),
                                  {QStringLiteral("OK"), QStringLiteral("/\\")}, 1, layout);
    PlaneTreeRG->setObjectName(QStringLiteral("PlaneTreeRG"));
    BoldLineCB = MakeCheckBox(QStringLiteral("Bold lines"), "BoldLineCB", layout);
    TidyLayoutCB = MakeCheckBox(QStringLiteral("Tidy layout"), "TidyLayoutCB", layout);
    HoriDistLab = MakeLabel(QString(), "HoriDistLab", layout);
    HoriDistUD = MakeUpDown("HoriDistUD", 16, 996, layout);
    VertDistLab = MakeLabel(QString(), "VertDistLab", layout);
    VertDistUD = MakeUpDown("VertDistUD", 16, 996, layout);
    // The distances move in steps of 4.
    HoriDistUD->SetIncrement(4);
    VertDistUD->SetIncrement(4);
    auto* checks = new QVBoxLayout;
    checks->addWidget(OptimalTreeCB);
    checks->addWidget(PlaneTreeCB);
    checks->addWidget(BoldLineCB);
    checks->addWidget(TidyLayoutCB);
    ll->addLayout(checks);
    ll->addWidget(PlaneTreeRG);
    auto* dist = new QGridLayout;
    dist->addWidget(MakeLabel(QStringLiteral("Horizon."), nullptr, layout), 0, 0);
    dist->addWidget(HoriDistLab, 0, 1);
    dist->addWidget(HoriDistUD, 0, 2);
    dist->addWidget(MakeLabel(QStringLiteral("Vertical"), nullptr, layout), 1, 0);
    dist->addWidget(VertDistLab, 1, 1);
    dist->addWidget(VertDistUD, 1, 2);
    ll->addLayout(dist);

    auto* display = new QGroupBox(QStringLiteral("Display"), this);
    display->setObjectName(QStringLiteral("TreeDisplayGB"));
    auto* dl = new QVBoxLayout(display);
    FrameCB = MakeCheckBox(QStringLiteral("Frames"), "FrameCB", display);
    TriangleCB = MakeCheckBox(QStringLiteral("Triangles"), "TriangleCB", display);
    ArrowCB = MakeCheckBox(QStringLiteral("Arrows"), "ArrowCB", display);
    for (QCheckBox* c : {FrameCB, TriangleCB, ArrowCB})
        dl->addWidget(c);
    options->addWidget(windows);
    options->addWidget(layout);
    options->addWidget(display);
    options->addStretch(1);
    outer->addLayout(options);

    // The two tree windows.
    auto* trees = new QHBoxLayout;
    TreePaint1 = new TPictureBox;
    TreePaint1->setObjectName(QStringLiteral("TreePaint1"));
    TreePaint2 = new TPictureBox;
    TreePaint2->setObjectName(QStringLiteral("TreePaint2"));
    TreePaint1->setMouseTracking(true);
    TreePaint2->setMouseTracking(true);
    TreePaint1->setFixedSize(0, 0);
    TreePaint2->setFixedSize(0, 0);
    TreeScroll1 = MakeWhiteScrollBox("TreeScroll1", TreePaint1, this);
    TreeScroll2 = MakeWhiteScrollBox("TreeScroll2", TreePaint2, this);
    trees->addWidget(TreeScroll1, 1);
    trees->addWidget(TreeScroll2, 1);
    outer->addLayout(trees, 1);

    TreePaint1->SetPicture(&Core->Tree1.Metafile);
    TreePaint2->SetPicture(&Core->Tree2.Metafile);
    for (int index = 0; index < 2; ++index) {
        TPictureBox* box = index == 0 ? TreePaint1 : TreePaint2;
        box->Overlay = [this, index](QtCanvas& canvas) {
            const TRect& r = Core->HighlightRect;
            if (Core->ActiveTreeIndex != index || r.Left < 0) return;
            // XOR teal without fill: red on white, and a second drawing erases it.
            canvas.State.PenMode = TPenMode::pmXor;
            canvas.State.PenColor = clTeal;
            canvas.State.PenWidth = 1;
            canvas.State.BrushStyle = TBrushStyle::bsClear;
            canvas.Rectangle(r);
        };
    }
}

void TTreesSheetView::ConnectHandlers() {
    TTreeSheet& s = *Core;
    connect(NewTreeBtn, &QPushButton::clicked, this, [this] {
        Core->NewTreeName = ToCore(NewTreeCB->currentText());
        Core->NewTreeBtnClick();
    });
    connect(EditTreeListBtn, &QPushButton::clicked, this, [this] {
        Core->EditTreeListBtnClick();
        FillNewTreeCB();
    });
    connect(PushLeftBtn, &QPushButton::clicked, this, [&s] { s.PushLeftBtnClick(); });
    connect(PushRghtBtn, &QPushButton::clicked, this, [&s] { s.PushRghtBtnClick(); });
    connect(CopyTreeBtn, &QPushButton::clicked, this, [&s] { s.CopyTreeBtnClick(); });
    connect(CutTreeBtn, &QPushButton::clicked, this, [&s] { s.CutTreeBtnClick(); });
    connect(DelTreeBtn, &QPushButton::clicked, this, [&s] { s.DelTreeBtnClick(); });
    connect(PasteTreeBtn, &QPushButton::clicked, this, [&s] { s.PasteTreeBtnClick(); });
    connect(LoadTreeBtn, &QPushButton::clicked, this, [this] {
        Core->LoadTreeBtnClick();
        SyncTreebank();
    });
    connect(PrevTreeBtn, &QPushButton::clicked, this, [this] {
        Core->StepTreebank(-1);
        SyncTreebank();
    });
    connect(NextTreeBtn, &QPushButton::clicked, this, [this] {
        Core->StepTreebank(1);
        SyncTreebank();
    });
    connect(SaveTreeBtn, &QPushButton::clicked, this, [&s] { s.SaveTreeBtnClick(); });
    connect(SaveWMFBtn, &QPushButton::clicked, this, &TTreesSheetView::SaveWMFBtnClick);
    connect(Button4, &QPushButton::clicked, this, &TTreesSheetView::Button4Click);
    connect(TreeToTextBtn, &QPushButton::clicked, this, &TTreesSheetView::TreeToTextBtnClick);
    connect(TextToTreeBtn, &QPushButton::clicked, this, &TTreesSheetView::TextToTreeBtnClick);
    connect(PreviewBtn, &QPushButton::clicked, this, [&s] { s.PreviewBtnClick(); });
    connect(NodeDefBtn, &QPushButton::clicked, this, [&s] {
        std::vector<std::string> fonts;
        for (const QString& family : QFontDatabase::families())
            fonts.push_back(ToCore(family));
        s.NodeDefBtnClick(fonts);
    });
    connect(InputFormatBtn, &QPushButton::clicked, this, [&s] { s.InputFormatBtnClick(); });
    connect(UndoBtn, &QPushButton::clicked, this, [&s] { s.Undo(); });
    connect(RedoBtn, &QPushButton::clicked, this, [&s] { s.Redo(); });

    connect(SplitScreenCB, &QCheckBox::clicked, this, [&s](bool on) { s.SplitScreenCBClick(on); });
    connect(ActiveTreeRG, &TRadioGroup::Clicked, this, [&s](int i) { s.ActiveTreeRGClick(i); });
    connect(PasteModeRG, &TRadioGroup::Clicked, this,
            [&s](int i) { s.PasteMode = i == 1 ? TPasteMode::Replace : TPasteMode::Append; });
    connect(BinLayUD, &TUpDown::Clicked, this, [this] {
        Core->BinaryLayers = BinLayUD->Position();
        BinLayLab->setText(QString::number(Core->BinaryLayers));
    });
    connect(OptimalTreeCB, &QCheckBox::clicked, this, [&s](bool on) { s.OptimalTreeCBClick(on); });
    connect(PlaneTreeCB, &QCheckBox::clicked, this, [&s](bool on) { s.PlaneTreeCBClick(on); });
    connect(PlaneTreeRG, &TRadioGroup::Clicked, this, [&s](int i) { s.PlaneTreeRGClick(i); });
    connect(BoldLineCB, &QCheckBox::clicked, this,
            [&s](bool on) { s.SetOptionBit(toBoldLines, on); });
    connect(TidyLayoutCB, &QCheckBox::clicked, this, [&s](bool on) { s.TidyLayoutCBClick(on); });
    connect(FrameCB, &QCheckBox::clicked, this, [&s](bool on) { s.SetOptionBit(toFrames, on); });
    connect(TriangleCB, &QCheckBox::clicked, this,
            [&s](bool on) { s.SetOptionBit(toTriangles, on); });
    connect(ArrowCB, &QCheckBox::clicked, this, [&s](bool on) { s.SetOptionBit(toArrows, on); });
    connect(HoriDistUD, &TUpDown::Clicked, this, [this] {
        Core->HoriDistUDClick(HoriDistUD->Position());
        HoriDistLab->setText(QString::number(Core->HDist));
    });
    connect(VertDistUD, &TUpDown::Clicked, this, [this] {
        Core->VertDistUDClick(VertDistUD->Position());
        VertDistLab->setText(QString::number(Core->VDist));
    });
    for (int index = 0; index < 2; ++index) {
        TPictureBox* box = index == 0 ? TreePaint1 : TreePaint2;
        connect(box, &TPictureBox::MouseMoved, this,
                [this, index](int x, int y) { Core->MouseMove(index, x, y); });
        connect(box, &TPictureBox::MousePressed, this,
                [this, index](int button, unsigned shift, int x, int y) {
                    if (shift & ssDouble) return;
                    if (button == static_cast<int>(TMouseButton::mbLeft))
                        Core->MouseDown(index, false, x, y);
                    else if (button == static_cast<int>(TMouseButton::mbRight))
                        Core->MouseDown(index, true, x, y);
                });
    }

    // ALT+digit hot keys, and undo/redo of the active tree; live while the sheet shows.
    QWidget* window = parentWidget() ? parentWidget()->window() : this;
    for (int digit = 0; digit <= 9; ++digit) {
        auto* key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + digit)), window);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, this, [this, digit] { FormKeyDown(digit); });
        Shortcuts.push_back(key);
    }
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), window);
    connect(undo, &QShortcut::activated, this, [this] { Core->Undo(); });
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), window);
    connect(redo, &QShortcut::activated, this, [this] { Core->Redo(); });
    Shortcuts.push_back(undo);
    Shortcuts.push_back(redo);
    SetShortcutsEnabled(false);
}

void TTreesSheetView::SetShortcutsEnabled(bool on) {
    for (QShortcut* key : Shortcuts)
        key->setEnabled(on);
}

void TTreesSheetView::showEvent(QShowEvent* event) {
    SetShortcutsEnabled(true);
    QWidget::showEvent(event);
}

void TTreesSheetView::hideEvent(QHideEvent* event) {
    SetShortcutsEnabled(false);
    QWidget::hideEvent(event);
}

bool TTreesSheetView::FormKeyDown(int digit) {
    if (!isVisible()) return false;
    return Core->HotKey(digit);
}

void TTreesSheetView::FillNewTreeCB() {
    NewTreeCB->clear();
    for (const std::string& name : Core->TreeNames)
        NewTreeCB->addItem(FromCore(name));
    NewTreeCB->setCurrentText(FromCore(Core->NewTreeName));
}

void TTreesSheetView::SyncTreeControls() {
    TTreeSheet& s = *Core;
    bool sameNames = NewTreeCB->count() == static_cast<int>(s.TreeNames.size());
    for (int i = 0; sameNames && i < NewTreeCB->count(); ++i)
        sameNames = NewTreeCB->itemText(i) == FromCore(s.TreeNames[i]);
    if (!sameNames) FillNewTreeCB();
    SplitScreenCB->setChecked(s.SplitScreen);
    ActiveTreeRG->SetItemIndex(s.ActiveTreeIndex);
    ActiveTreeRG->setEnabled(s.SplitScreen);
    PasteModeRG->SetItemIndex(s.PasteMode == TPasteMode::Replace ? 1 : 0);
    BinLayUD->SetPosition(s.BinaryLayers);
    BinLayLab->setText(QString::number(s.BinaryLayers));
    OptimalTreeCB->setChecked(s.OptimalTree);
    PushLeftBtn->setEnabled(!s.OptimalTree);
    PushRghtBtn->setEnabled(!s.OptimalTree);
    PlaneTreeCB->setChecked(s.PlaneTree);
    PlaneTreeRG->SetItemIndex((s.TreeOptions & toPlaneOK) ? 0 : 1);
    PlaneTreeRG->setEnabled(s.PlaneTree);
    BoldLineCB->setChecked(s.TreeOptions & toBoldLines);
    TidyLayoutCB->setChecked(s.TreeOptions & toTidy);
    HoriDistUD->SetPosition(s.HDist);
    HoriDistLab->setText(QString::number(s.HDist));
    VertDistUD->SetPosition(s.VDist);
    VertDistLab->setText(QString::number(s.VDist));
    FrameCB->setChecked(s.TreeOptions & toFrames);
    TriangleCB->setChecked(s.TreeOptions & toTriangles);
    ArrowCB->setChecked(s.TreeOptions & toArrows);
    // One window, or two side by side.
    TreeScroll2->setVisible(s.SplitScreen);
    HistoryChanged();
}

void TTreesSheetView::ShowTrees() {
    Core->ApplyIOFormat();
    for (TTree* tree : {&Core->Tree1, &Core->Tree2})
        tree->SetParams(Core->HDist, Core->VDist, Core->FontName, Core->TreeOptions,
                        Core->NodeDefaults);
    Core->ShowTree(0);
    Core->ShowTree(1);
    FillNewTreeCB();
    SyncTreeControls();
}

void TTreesSheetView::HistoryChanged() {
    if (!UndoBtn) return; // still being built
    UndoBtn->setEnabled(Core->CanUndo());
    RedoBtn->setEnabled(Core->CanRedo());
}

void TTreesSheetView::RepaintTree(int index) {
    TPictureBox* box = index == 0 ? TreePaint1 : TreePaint2;
    const Picture& picture = Core->TreeAt(index).Metafile;
    const bool shown = Core->TreeAt(index).GetRoot() != nullptr;
    box->setFixedSize(shown ? std::max(picture.Width, 0) : 0,
                      shown ? std::max(picture.Height, 0) : 0);
    box->update();
}

void TTreesSheetView::SyncTreebank() {
    const bool shown = !Core->Treebank.empty();
    for (QWidget* w : {static_cast<QWidget*>(PrevTreeBtn), static_cast<QWidget*>(TreebankLab),
                       static_cast<QWidget*>(NextTreeBtn)})
        w->setVisible(shown);
    TreebankLab->setText(FromCore(Core->TreebankPosition()));
    PrevTreeBtn->setEnabled(shown && Core->TreebankIndex > 0);
    NextTreeBtn->setEnabled(shown && Core->TreebankIndex + 1 < Core->Treebank.size());
}

void TTreesSheetView::SaveWMFBtnClick() {
    if (!Core->HasPicture(true)) return;
    const TTreePictureChoice chosen = AskTreePictureFile(Prompts, QStringLiteral("Save as WMF"));
    if (chosen.Name.isEmpty()) return;
    const std::string name = ToCore(chosen.Name);
    std::string error;
    if (UpperCaseGerman(FileExtension(name)) == ".TEX") {
        std::string latex;
        TTree& tree = Core->ActiveTree();
        if (!TreeToLatex(tree, chosen.Qtree ? TLatexStyle::Qtree : TLatexStyle::Forest, latex)) {
            tree.ResetError();
            return;
        }
        if (AtomicSave(name, latex) != FileError::None)
            Sink.Error("Couldn`t create file " + name + ".");
        return;
    }
    const PictureFormat format = PictureFormatFromPath(name).value_or(PictureFormat::Wmf);
    if (!SavePicture(Core->ActiveTree().Metafile, name, format, &error, chosen.Scale))
        Sink.Error("Couldn`t create file " + name + "." + (error.empty() ? "" : " " + error));
}

void TTreesSheetView::Button4Click() {
    if (!Core->HasPicture(false)) return;
    // The picture, and the tree as LaTeX (forest) for text editors.
    QMimeData* data = MakePictureMimeData(Core->ActiveTree().Metafile);
    std::string latex;
    if (TreeToLatex(Core->ActiveTree(), TLatexStyle::Forest, latex))
        data->setText(QString::fromUtf8(latex.data(), static_cast<qsizetype>(latex.size())));
    else
        Core->ActiveTree().ResetError();
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(data);
    else
        delete data;
}

void TTreesSheetView::TreeToTextBtnClick() {
    if (MaxTextLength) Core->MaxTextLength = MaxTextLength();
    std::string text;
    if (!Core->TreeToText(text)) return;
    InputText->setEditText(FromCore(text));
}

void TTreesSheetView::TextToTreeBtnClick() {
    const QString text = InputText->currentText();
    if (RecordInputText) RecordInputText();
    Core->TextToTree(ToCore(text));
}

bool TTreesSheetView::ShowTreeListDlg(TTreeListDlg& dlg, int caretLine) {
    return Dialogs ? Dialogs->ShowTreeListDlg(dlg, caretLine) : TreeListDlg->Run(dlg, caretLine);
}

bool TTreesSheetView::ShowDefNodeDlg(TDefNodeDlg& dlg) {
    return Dialogs ? Dialogs->ShowDefNodeDlg(dlg) : DefNodeDlg->Run(dlg);
}

bool TTreesSheetView::ShowNodeDefDlg(TNodeDefDlg& dlg) {
    return Dialogs ? Dialogs->ShowNodeDefDlg(dlg) : NodeDefDlg->Run(dlg);
}

bool TTreesSheetView::ShowIOFormDlg(TIOFormDlg& dlg) {
    return Dialogs ? Dialogs->ShowIOFormDlg(dlg) : IOFormDlg->Run(dlg);
}

void TTreesSheetView::ShowTreePrevDlg(TTreePrevDlg& dlg) {
    if (Dialogs)
        Dialogs->ShowTreePrevDlg(dlg);
    else
        TreePrevDlg->Run(dlg);
}

std::string TTreesSheetView::OpenFileName(const std::string& title, const std::string& filter,
                                          const std::string& defaultExt) {
    return ToCore(Prompts.OpenFileName({FromCore(title), FromCore(filter), FromCore(defaultExt)}));
}

std::string TTreesSheetView::SaveFileName(const std::string& title, const std::string& filter,
                                          const std::string& defaultExt) {
    return ToCore(Prompts.SaveFileName({FromCore(title), FromCore(filter), FromCore(defaultExt)}));
}

} // namespace gramarbor
