// The partial-analysis picture of the trace page and its step and play controls.
#include "workbench/trace_stepper_view.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "workbench/prompter.h"
#include "workbench/trace_view.h"
#include "workbench/widget_factory.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

// Play speeds in lines per second.
constexpr int MinSpeed = 1;
constexpr int MaxSpeed = 20;
constexpr int DefaultSpeed = 2;

} // namespace

TTraceStepperView::TTraceStepperView(TTraceView* list, TextMeasurer& measurer, QWidget* parent)
    : QWidget(parent), List(list), Stepper(measurer), PlayTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("TraceStepper"));
    auto* controls = new QWidget(this);
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    StepBackBtn = MakeButton(QStringLiteral("Step back"), "StepBackBtn", controls);
    StepForwardBtn = MakeButton(QStringLiteral("Step forward"), "StepForwardBtn", controls);
    PlayBtn = MakeButton(QStringLiteral("Play"), "PlayBtn", controls);
    SpeedEdit = MakeSpinBox("SpeedEdit", MinSpeed, MaxSpeed, DefaultSpeed, controls);
    StepLabel = MakeLabel(QString(), "StepLabel", controls);
    row->addWidget(StepBackBtn);
    row->addWidget(StepForwardBtn);
    row->addWidget(PlayBtn);
    row->addSpacing(12);
    row->addWidget(MakeLabel(QStringLiteral("Lines per second:"), nullptr, controls));
    row->addWidget(SpeedEdit);
    row->addSpacing(12);
    row->addWidget(StepLabel, 1);

    StepPB = new TPictureBox;
    StepPB->setObjectName(QStringLiteral("StepPB"));
    StepPB->setFixedSize(0, 0);
    StepPB->SetPicture(&Stepper.GetPicture());
    StepSB = MakeWhiteScrollBox("StepSB", StepPB, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(controls);
    layout->addWidget(StepSB, 1);

    connect(StepBackBtn, &QPushButton::clicked, this, &TTraceStepperView::StepBackClick);
    connect(StepForwardBtn, &QPushButton::clicked, this, &TTraceStepperView::StepForwardClick);
    connect(PlayBtn, &QPushButton::clicked, this, &TTraceStepperView::PlayClick);
    connect(PlayTimer, &QTimer::timeout, this, &TTraceStepperView::PlayTick);
    connect(SpeedEdit, &QSpinBox::valueChanged, this,
            [this](int speed) { PlayTimer->setInterval(1000 / std::max(speed, 1)); });
    connect(
        List->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) { ShowRow(current.isValid() ? current.row() : -1); });
    // A click into the list stops playing; a new trace (a new parse) ends it too.
    connect(List, &QAbstractItemView::pressed, this, &TTraceStepperView::Stop);
    connect(List->model(), &QAbstractItemModel::modelReset, this, &TTraceStepperView::ListReset);
}

void TTraceStepperView::SetHistory(TTraceHistory history) {
    Stop();
    Stepper.SetHistory(std::move(history));
    ShowRow(CurrentRow());
}

bool TTraceStepperView::Playing() const {
    return PlayTimer->isActive();
}

int TTraceStepperView::CurrentRow() const {
    const QModelIndex current = List->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int TTraceStepperView::RowCount() const {
    return List->model()->rowCount();
}

void TTraceStepperView::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    List->selectRow(row);
    List->scrollTo(List->model()->index(row, 0));
}

void TTraceStepperView::StepBackClick() {
    const int row = CurrentRow();
    SelectRow(row < 0 ? 0 : row - 1);
}

void TTraceStepperView::StepForwardClick() {
    SelectRow(CurrentRow() + 1);
}

void TTraceStepperView::PlayClick() {
    if (Playing()) {
        Stop();
        return;
    }
    if (RowCount() == 0) return;
    // From the first line when there is none chosen or the last one is.
    const int row = CurrentRow();
    if (row < 0 || row + 1 >= RowCount()) SelectRow(0);
    PlayTimer->start(1000 / std::max(SpeedEdit->value(), 1));
    PlayBtn->setText(QStringLiteral("Stop"));
}

void TTraceStepperView::Stop() {
    PlayTimer->stop();
    PlayBtn->setText(QStringLiteral("Play"));
}

void TTraceStepperView::PlayTick() {
    const int row = CurrentRow();
    if (row + 1 < RowCount()) SelectRow(row + 1);
    if (CurrentRow() + 1 >= RowCount()) Stop();
}

void TTraceStepperView::ListReset() {
    Stop();
    Stepper.Clear();
    ShowRow(-1);
}

void TTraceStepperView::ShowRow(int row) {
    bool drawn = false;
    if (row < 0) {
        StepLabel->setText(Stepper.LineCount() > 0 ? QStringLiteral("Choose a line of the trace "
                                                                    "to see the analysis so far.")
                                                   : QString());
    } else {
        drawn = Stepper.ShowLine(static_cast<std::size_t>(row));
        StepLabel->setText(drawn ? QStringLiteral("Line %1").arg(row)
                                 : FromCore(Stepper.Message()));
    }
    const Picture& picture = Stepper.GetPicture();
    StepPB->setFixedSize(drawn ? std::max(picture.Width, 0) : 0,
                         drawn ? std::max(picture.Height, 0) : 0);
    StepPB->update();
}

} // namespace gramarbor
