// Small controls of the main window that Qt lacks in the needed form: a titled radio
// group with an item index, a horizontal up-down control with a range and a veto on
// changes, and a box that shows a recorded picture and reports mouse events.
#pragma once

#include <functional>

#include <QGroupBox>
#include <QWidget>

#include "picture/picture.h"

class QButtonGroup;
class QToolButton;

namespace gramarbor {

class QtCanvas;

// A group box of radio buttons; the item index is -1 when no item is chosen.
class TRadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, int columns,
                QWidget* parent = nullptr);
    int ItemIndex() const;
    // Chooses an item without emitting Clicked.
    void SetItemIndex(int index);
    // Chooses an item as the user would, emitting Clicked.
    void ClickItem(int index);

signals:
    void Clicked(int index);

private:
    QButtonGroup* Buttons;
};

// Two arrow buttons that step a position between Min and Max without wrapping. Before
// each step Changing is asked (the step is refused when it returns false); after it
// Clicked is emitted.
class TUpDown final : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);
    int Position() const { return Pos; }
    int Min() const { return Lo; }
    int Max() const { return Hi; }
    void SetRange(int lo, int hi);
    // Sets the position (clamped to the range) without asking or emitting.
    void SetPosition(int position);
    // Moves by delta within the range, asking Changing first.
    void Step(int delta);
    // How far a click on an arrow moves (1 unless set).
    void SetIncrement(int increment) { Increment = increment > 0 ? increment : 1; }
    // The arrow buttons: left lowers, right raises the position.
    QToolButton* DownButton() const { return Down; }
    QToolButton* UpButton() const { return Up; }

    std::function<bool()> Changing;

signals:
    void Clicked();

private:
    void UpdateButtons();
    int Pos = 0;
    int Lo = 0;
    int Hi = 100;
    int Increment = 1;
    QToolButton* Down;
    QToolButton* Up;
};

// Shows a picture at (0, 0) on white and lets the owner draw over it; reports mouse
// moves and presses in picture coordinates.
class TPictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent = nullptr);
    // The picture shown; not owned, may be null.
    void SetPicture(const Picture* picture) { Shown = picture; }
    // Drawn after the picture on every repaint.
    std::function<void(QtCanvas&)> Overlay;

signals:
    void MouseMoved(int x, int y);
    // shift is a set of the ss* bits of rtn/cond_dialog.h.
    void MousePressed(int button, unsigned shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ReportPress(QMouseEvent* event, bool doubleClick);
    const Picture* Shown = nullptr;
};

// The shift state of a mouse event as ss* bits (buttons held, keys, double click).
unsigned ShiftStateOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, bool doubleClick);

} // namespace gramarbor
