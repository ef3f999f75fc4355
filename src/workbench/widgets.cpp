// Radio group, up-down control and picture box of the main window.
#include "workbench/widgets.h"

#include <algorithm>

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>

#include "qtcanvas/qt_canvas.h"
#include "rtn/cond_dialog.h"

namespace gramarbor {

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(title, parent), Buttons(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    const int perColumn = (static_cast<int>(items.size()) + columns - 1) / std::max(columns, 1);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        Buttons->addButton(button, i);
        grid->addWidget(button, i % perColumn, i / perColumn);
    }
    connect(Buttons, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
}

int TRadioGroup::ItemIndex() const {
    return Buttons->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = Buttons->button(index)) {
        button->setChecked(true);
        return;
    }
    Buttons->setExclusive(false);
    for (QAbstractButton* button : Buttons->buttons())
        button->setChecked(false);
    Buttons->setExclusive(true);
}

void TRadioGroup::ClickItem(int index) {
    if (QAbstractButton* button = Buttons->button(index)) button->click();
}

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Down = new QToolButton(this);
    Down->setArrowType(Qt::LeftArrow);
    Down->setAutoRepeat(true);
    Up = new QToolButton(this);
    Up->setArrowType(Qt::RightArrow);
    Up->setAutoRepeat(true);
    row->addWidget(Down);
    row->addWidget(Up);
    connect(Down, &QToolButton::clicked, this, [this] { Step(-Increment); });
    connect(Up, &QToolButton::clicked, this, [this] { Step(Increment); });
    UpdateButtons();
}

void TUpDown::SetRange(int lo, int hi) {
    Lo = lo;
    Hi = std::max(lo, hi);
    Pos = std::clamp(Pos, Lo, Hi);
    UpdateButtons();
}

void TUpDown::SetPosition(int position) {
    Pos = std::clamp(position, Lo, Hi);
    UpdateButtons();
}

void TUpDown::Step(int delta) {
    const int next = std::clamp(Pos + delta, Lo, Hi);
    if (next == Pos) return;
    if (Changing && !Changing()) return;
    Pos = next;
    UpdateButtons();
    emit Clicked();
}

void TUpDown::UpdateButtons() {
    Down->setEnabled(Pos > Lo);
    Up->setEnabled(Pos < Hi);
}

unsigned ShiftStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, bool doubleClick) {
    unsigned shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    if (doubleClick) shift |= ssDouble;
    return shift;
}

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QtCanvas canvas(painter);
    if (Shown) Shown->Replay(canvas, 0, 0);
    if (Overlay) Overlay(canvas);
}

void TPictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(at.x(), at.y());
}

void TPictureBox::mousePressEvent(QMouseEvent* event) {
    ReportPress(event, false);
}

void TPictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    ReportPress(event, true);
}

void TPictureBox::ReportPress(QMouseEvent* event, bool doubleClick) {
    int button = -1;
    switch (event->button()) {
    case Qt::LeftButton:
        button = static_cast<int>(TMouseButton::mbLeft);
        break;
    case Qt::RightButton:
        button = static_cast<int>(TMouseButton::mbRight);
        break;
    case Qt::MiddleButton:
        button = static_cast<int>(TMouseButton::mbMiddle);
        break;
    default:
        return;
    }
    const QPoint at = event->position().toPoint();
    emit MousePressed(button, ShiftStateOf(event->buttons(), event->modifiers(), doubleClick),
                      at.x(), at.y());
}

} // namespace gramarbor
