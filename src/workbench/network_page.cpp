// The "RTNetwork" page: widgets and handlers over the network workspace.
#include "workbench/network_page.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "parsesheet/parse_sheet.h"
#include "qtcanvas/picture_export.h"
#include "qtcanvas/qt_canvas.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_layout.h"
#include "workbench/network_walk_panel.h"
#include "workbench/picture_file_dialog.h"
#include "workbench/rtn_dialogs.h"
#include "workbench/widget_factory.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

const QString RtnFilter = QStringLiteral("RTN files|*.RTN|All files|*.*");
// Room for a two-digit display option beside its arrows.
constexpr int OptionLabelWidth = 20;

} // namespace

TNetworkPageView::TNetworkPageView(Prompter& prompter, MessageSink& sink, TextMeasurer& measurer,
                                   TParseSheet& grammar, QWidget* parent)
    : QWidget(parent), Prompts(prompter), Sink(sink), Grammar(grammar), Rtn(sink, measurer) {
    setObjectName(QStringLiteral("RTNSheet"));
    BuildWidgets();
    DialogHost = std::make_unique<QtRtnDialogHost>(PaintBox1, this);
    Rtn.SetDialogHost(DialogHost.get());
    ConnectHandlers();
}

TNetworkPageView::~TNetworkPageView() {
    Rtn.SetDialogHost(nullptr);
}

void TNetworkPageView::SetDialogHost(TRtnDialogHost* host) {
    Rtn.SetDialogHost(host ? host : DialogHost.get());
}

void TNetworkPageView::BuildWidgets() {
    PaintBox1 = new TPictureBox;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setFixedSize(0, 0);
    ScrollBox1 = MakeWhiteScrollBox("ScrollBox1", PaintBox1, this);

    auto* panel3 = new QWidget(this);
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
    NodeSizeUD = MakeUpDown("NodeSizeUD", MinRtnOption, MaxRtnOption, box);
    NodeDistUD = MakeUpDown("NodeDistUD", MinRtnOption, MaxRtnOption, box);
    NodeSizeLab = MakeLabel(QStringLiteral("0"), "NodeSizeLab", box);
    NodeDistLab = MakeLabel(QStringLiteral("0"), "NodeDistLab", box);
    NodeSizeLab->setMinimumWidth(OptionLabelWidth);
    NodeDistLab->setMinimumWidth(OptionLabelWidth);
    ArcCheckBox = MakeCheckBox(QStringLiteral("Use arcs only"), "ArcCheckBox", box);
    WMFSplitCB = MakeCheckBox(QStringLiteral("Split into WMFs"), "WMFSplitCB", box);
    display->addWidget(MakeLabel(QStringLiteral("Node size"), nullptr, box), 0, 0);
    display->addWidget(NodeSizeUD, 0, 1);
    display->addWidget(NodeSizeLab, 0, 2);
    display->addWidget(ArcCheckBox, 0, 3);
    display->addWidget(MakeLabel(QStringLiteral("Node dist."), nullptr, box), 1, 0);
    display->addWidget(NodeDistUD, 1, 1);
    display->addWidget(NodeDistLab, 1, 2);
    display->addWidget(WMFSplitCB, 1, 3);
    buttons->addWidget(box, 0, 5, 2, 1);

    WalkPanel = new TNetworkWalkPanel(Rtn, Grammar, Sink, this, this);
    auto* picture = new QHBoxLayout;
    picture->addWidget(ScrollBox1, 1);
    picture->addWidget(WalkPanel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(picture, 1);
    layout->addWidget(panel3);
}

void TNetworkPageView::ConnectHandlers() {
    using V = TNetworkPageView;
    connect(MakeRTN, &QPushButton::clicked, this, &V::MakeRTNClick);
    connect(MakeCFG, &QPushButton::clicked, this, &V::MakeCFGClick);
    connect(SaveRTNButton, &QPushButton::clicked, this, &V::SaveRTNButtonClick);
    connect(LoadRTNButton, &QPushButton::clicked, this, &V::LoadRTNButtonClick);
    connect(NewRTNButton, &QPushButton::clicked, this, &V::NewRTNButtonClick);
    connect(ClearRTNBtn, &QPushButton::clicked, this, &V::ClearRTNBtnClick);
    connect(SaveMetaButton, &QPushButton::clicked, this, &V::SaveMetaButtonClick);
    connect(Button5, &QPushButton::clicked, this, &V::Button5Click);
    NodeSizeUD->Changing = [this] { return Rtn.HasRtn(); };
    NodeDistUD->Changing = [this] { return Rtn.HasRtn(); };
    connect(NodeSizeUD, &TUpDown::Clicked, this, &V::NodeSizeUDClick);
    connect(NodeDistUD, &TUpDown::Clicked, this, &V::NodeDistUDClick);
    connect(ArcCheckBox, &QCheckBox::clicked, this, &V::ArcCheckBoxClick);
    connect(WMFSplitCB, &QCheckBox::clicked, this, &V::WMFSplitCBClick);
    connect(PaintBox1, &TPictureBox::MouseMoved, this, &V::PaintBox1MouseMove);
    connect(PaintBox1, &TPictureBox::MousePressed, this, &V::PaintBox1MouseDown);
    WalkPanel->ShowPicture = [this](const TRect& area) {
        ShowPicture();
        if (area.Width() <= 0) return;
        // The arc walked in view, and the net's name too when both fit.
        const QPoint topLeft = PaintBox1->mapTo(ScrollBox1->widget(), QPoint(0, area.Top));
        const int halfHeight = area.Height() / 2;
        ScrollBox1->ensureVisible(topLeft.x(), topLeft.y() + halfHeight, 0, halfHeight);
        ScrollBox1->ensureVisible(topLeft.x() + (area.Left + area.Right) / 2,
                                  topLeft.y() + halfHeight, area.Width() / 2, halfHeight);
    };
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
}

void TNetworkPageView::RefreshRtnView() {
    WalkPanel->NetworkChanged();
    ShowPicture();
}

void TNetworkPageView::ShowPicture() {
    PaintBox1->SetPicture(Rtn.HasRtn() ? &Rtn.RtnPicture : nullptr);
    PaintBox1->setFixedSize(std::max(Rtn.AreaWidth, 0), std::max(Rtn.AreaHeight, 0));
    PaintBox1->update();
}

void TNetworkPageView::RefreshRtnOptions() {
    NodeSizeUD->SetPosition(Rtn.Metrics.NodeSize);
    NodeDistUD->SetPosition(Rtn.Metrics.NodeDist);
    NodeSizeLab->setText(QString::number(Rtn.Metrics.NodeSize));
    NodeDistLab->setText(QString::number(Rtn.Metrics.NodeDist));
    ArcCheckBox->setChecked(!Rtn.LinesAllowed);
    WMFSplitCB->setChecked(Rtn.SplitWmf);
}

void TNetworkPageView::MakeRTNClick() {
    if (Busy && Busy()) return;
    const bool prepared = Grammar.ReadGrammar(GrammarText());
    switch (Rtn.MakeRTNClick(prepared, Grammar.Parser)) {
    case TMakeRtnResult::Made:
        ShowPage();
        break;
    case TMakeRtnResult::TooManyAlternatives:
        ShowExternalGrammar();
        break;
    case TMakeRtnResult::NotMade:
        break;
    }
    RefreshRtnView();
}

void TNetworkPageView::MakeCFGClick() {
    std::vector<std::string> lines;
    if (!Rtn.MakeCFGClick(lines)) return;
    SetGrammarText(lines);
}

void TNetworkPageView::SaveRTNButtonClick() {
    if (!Rtn.HasRtn()) {
        Sink.Error(MsgNoRtnToSave);
        return;
    }
    const QString path =
        Prompts.SaveFileName({QStringLiteral("Save RTN"), RtnFilter, QStringLiteral("RTN")});
    if (path.isEmpty()) return;
    Rtn.SaveRTNButtonClick(path.toStdString());
}

void TNetworkPageView::LoadRTNButtonClick() {
    const QString path =
        Prompts.OpenFileName({QStringLiteral("Load RTN"), RtnFilter, QStringLiteral("RTN")});
    if (path.isEmpty()) return;
    if (!Rtn.LoadRTNButtonClick(path.toStdString())) return;
    RefreshRtnOptions();
    RefreshRtnView();
    ShowPage();
}

void TNetworkPageView::NewRTNButtonClick() {
    Rtn.NewRTNButtonClick();
    RefreshRtnView();
}

void TNetworkPageView::ClearRTNBtnClick() {
    Rtn.ClearRTNBtnClick();
    RefreshRtnView();
}

void TNetworkPageView::SaveMetaButtonClick() {
    if (!Rtn.HasRtn()) {
        Sink.Error(MsgNoRtnToSave);
        return;
    }
    const QString path = AskPictureFileName(Prompts, QStringLiteral("Save RTN as MetaFile"));
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

void TNetworkPageView::Button5Click() {
    if (Rtn.CanCopyPicture()) CopyPictureToClipboard(Rtn.RtnPicture);
}

void TNetworkPageView::NodeSizeUDClick() {
    Rtn.NodeSizeChange(NodeSizeUD->Position());
    NodeSizeLab->setText(QString::number(Rtn.Metrics.NodeSize));
    RefreshRtnView();
}

void TNetworkPageView::NodeDistUDClick() {
    Rtn.NodeDistChange(NodeDistUD->Position());
    NodeDistLab->setText(QString::number(Rtn.Metrics.NodeDist));
    RefreshRtnView();
}

void TNetworkPageView::ArcCheckBoxClick() {
    Rtn.ArcCheckBoxClick(ArcCheckBox->isChecked());
    RefreshRtnView();
}

void TNetworkPageView::WMFSplitCBClick() {
    Rtn.WMFSplitCBClick(WMFSplitCB->isChecked());
}

void TNetworkPageView::PaintBox1MouseMove(int x, int y) {
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

void TNetworkPageView::EndWalk() {
    WalkPanel->EndWalk();
}

void TNetworkPageView::PaintBox1MouseDown(int button, unsigned shift, int x, int y) {
    Rtn.PaintBox1MouseDown(static_cast<TMouseButton>(button), shift, x, y);
    RefreshRtnView();
}

} // namespace gramarbor
