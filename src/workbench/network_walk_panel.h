// Beside the network picture: "Walk" steps the current parse tree through the network,
// "Step back" and "Step forward" (or the left and right arrow keys) move through the
// steps, and labels show the step, the stack of net names and the words consumed.
#pragma once

#include <functional>

#include <QWidget>

#include "parsesheet/parse_sheet.h"
#include "rtn/rtn_walker.h"

class QLabel;
class QPushButton;

namespace gramarbor {

class TNetworkWalkPanel final : public QWidget {
    Q_OBJECT
public:
    // keyScope: the arrow keys step while the focus is inside it.
    TNetworkWalkPanel(TRtnWorkspace& workspace, TParseSheet& parse, MessageSink& sink,
                      QWidget* keyScope, QWidget* parent = nullptr);

    // Shows the redrawn picture and brings area (picture coordinates) into view.
    std::function<void(const TRect& area)> ShowPicture;

    void WalkBtnClick();
    void StepBackBtnClick();
    void StepForwardBtnClick();
    // The grammar, the parse or the tree shown changed: the walk ends.
    void EndWalk();
    // After any command of the network page: a walk of a network that changed ends.
    void NetworkChanged();

    const TRtnWalker& Walker() const { return Walk; }

    QPushButton* WalkBtn;
    QPushButton* StepBackBtn;
    QPushButton* StepForwardBtn;
    QLabel* WalkStepLab;
    QLabel* WalkStackLab;
    QLabel* WalkWordsLab;
    QLabel* WalkOutcomeLab;

private:
    void StepBy(int delta);
    void ShowStep();

    TParseSheet& Parse;
    TRtnWalker Walk;
};

} // namespace gramarbor
