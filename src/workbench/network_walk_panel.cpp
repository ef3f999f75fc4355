// The walk controls of the network page.
#include "workbench/network_walk_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "parsing/parse_options.h"
#include "workbench/prompter.h"
#include "workbench/widget_factory.h"

namespace gramarbor {

namespace {

// Wide enough for a step such as "Step 12 of 40: NP1 -> NP2: push ADJ".
constexpr int PanelWidth = 210;

QLabel* MakeWrappingLabel(const char* name, QWidget* parent) {
    QLabel* label = MakeLabel(QString(), name, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

TNetworkWalkPanel::TNetworkWalkPanel(TRtnWorkspace& workspace, TParseSheet& parse,
                                     MessageSink& sink, QWidget* keyScope, QWidget* parent)
    : QWidget(parent), Parse(parse), Walk(workspace, sink) {
    setObjectName(QStringLiteral("WalkPanel"));
    setFixedWidth(PanelWidth);
    WalkBtn = MakeButton(QStringLiteral("Walk"), "WalkBtn", this);
    StepBackBtn = MakeButton(QStringLiteral("Step back"), "StepBackBtn", this);
    StepForwardBtn = MakeButton(QStringLiteral("Step forward"), "StepForwardBtn", this);
    WalkStepLab = MakeWrappingLabel("WalkStepLab", this);
    WalkStackLab = MakeWrappingLabel("WalkStackLab", this);
    WalkWordsLab = MakeWrappingLabel("WalkWordsLab", this);
    WalkOutcomeLab = MakeWrappingLabel("WalkOutcomeLab", this);
    WalkOutcomeLab->setStyleSheet(QStringLiteral("color: #c00000"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(WalkBtn);
    auto* steps = new QHBoxLayout;
    steps->addWidget(StepBackBtn);
    steps->addWidget(StepForwardBtn);
    layout->addLayout(steps);
    layout->addWidget(WalkStepLab);
    layout->addWidget(MakeLabel(QStringLiteral("Stack:"), nullptr, this));
    layout->addWidget(WalkStackLab);
    layout->addWidget(MakeLabel(QStringLiteral("Words:"), nullptr, this));
    layout->addWidget(WalkWordsLab);
    layout->addWidget(WalkOutcomeLab);
    layout->addStretch(1);

    connect(WalkBtn, &QPushButton::clicked, this, &TNetworkWalkPanel::WalkBtnClick);
    connect(StepBackBtn, &QPushButton::clicked, this, &TNetworkWalkPanel::StepBackBtnClick);
    connect(StepForwardBtn, &QPushButton::clicked, this, &TNetworkWalkPanel::StepForwardBtnClick);
    for (const auto& [key, delta] : {std::pair{Qt::Key_Left, -1}, std::pair{Qt::Key_Right, 1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), keyScope);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, delta] { StepBy(delta); });
    }
    ShowStep();
}

void TNetworkWalkPanel::WalkBtnClick() {
    // The tree the parse-tree page shows ("Make RTN" rereads the grammar, which
    // forgets the parse's list of trees but not the tree drawn).
    Walk.Start(Parse.ParseTree.GetRoot(), Parse.ParseOptions() & poCaseSensitive);
    ShowStep();
}

void TNetworkWalkPanel::StepBackBtnClick() {
    StepBy(-1);
}

void TNetworkWalkPanel::StepForwardBtnClick() {
    StepBy(1);
}

void TNetworkWalkPanel::StepBy(int delta) {
    if (Walk.StepBy(delta) || !Walk.Active()) ShowStep();
}

void TNetworkWalkPanel::EndWalk() {
    if (!Walk.Active()) return;
    Walk.End();
    ShowStep();
}

void TNetworkWalkPanel::NetworkChanged() {
    if (Walk.EndIfOutdated()) ShowStep();
}

void TNetworkWalkPanel::ShowStep() {
    const bool active = Walk.Active();
    StepBackBtn->setEnabled(active && !Walk.AtFirst());
    StepForwardBtn->setEnabled(active && !Walk.AtLast());
    WalkStepLab->setText(FromCore(Walk.StepCaption()));
    QStringList stack;
    for (const std::string& name : Walk.Stack())
        stack << FromCore(name);
    WalkStackLab->setText(stack.join(QLatin1Char('\n')));
    WalkWordsLab->setText(FromCore(Walk.Words()));
    WalkOutcomeLab->setText(FromCore(Walk.Outcome()));
    if (ShowPicture) ShowPicture(Walk.ShownArea());
}

} // namespace gramarbor
