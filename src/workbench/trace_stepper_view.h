// The picture beside the trace list: the partial analysis at the line chosen in the
// list (by a click or the arrow keys), with "Step back", "Step forward" and "Play"
// through the lines at a chosen speed.
#pragma once

#include <QWidget>

#include "parsesheet/trace_stepper.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;

namespace gramarbor {

class TPictureBox;
class TTraceView;

class TTraceStepperView final : public QWidget {
    Q_OBJECT
public:
    // Follows the current line of list; measurer sizes the drawing's texts.
    TTraceStepperView(TTraceView* list, TextMeasurer& measurer, QWidget* parent = nullptr);

    // The steps of the lines the list shows now (set after the list's lines).
    void SetHistory(TTraceHistory history);
    const TTraceStepper& Model() const { return Stepper; }
    bool Playing() const;

    void StepBackClick();
    void StepForwardClick();
    // Play, or Stop while playing.
    void PlayClick();
    void Stop();

    QPushButton* StepBackBtn;
    QPushButton* StepForwardBtn;
    QPushButton* PlayBtn;
    QSpinBox* SpeedEdit;
    QLabel* StepLabel;
    QScrollArea* StepSB;
    TPictureBox* StepPB;

private:
    void ShowRow(int row);
    void SelectRow(int row);
    int CurrentRow() const;
    int RowCount() const;
    void PlayTick();
    void ListReset();

    TTraceView* List;
    TTraceStepper Stepper;
    QTimer* PlayTimer;
};

} // namespace gramarbor
