// The condition and net-name dialogs of the network sheet.
#include "workbench/rtn_dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QTableWidget>
#include <QVBoxLayout>

#include "workbench/prompter.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

const char* const CondHelpText =
    "Each row #1 to #5 is one arc leaving this node.\n\n"
    "Arc conditions:\n"
    "  NP          push-arc: the net NP is processed first\n"
    "  \"the\"       direct text: exactly this word must come next\n"
    "  @Ident, @Number, @Float, @Integer\n"
    "              any identifier / number / floating-point / whole number\n"
    "  jmp         jump-arc: nothing is read\n\n"
    "Destinat. names the node the arc enters (net name and node number). At least one "
    "condition that is not a jump-arc must end in the directly following node.\n\n"
    "Node type: with one condition in row #1, \"Optional\" adds a jump-arc ([x]) and "
    "\"Repeated\" adds the loop back and a jump-arc ({x}).\n\n"
    "Right click on a row inserts an empty row; Ctrl + right click deletes the row. "
    "\"Clear all\" empties the table.";

enum Column { ColCond = 0, ColSrc = 1, ColDst = 2 };

} // namespace

TCondDlgView::TCondDlgView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCondDlg"));
    setWindowTitle(QStringLiteral("Enter conditions"));

    EnterConds = new QTableWidget(CondRows, 3, this);
    EnterConds->setObjectName(QStringLiteral("EnterConds"));
    QStringList rowNames;
    for (int r = 1; r <= CondRows; ++r)
        rowNames << QStringLiteral("#%1").arg(r);
    EnterConds->setVerticalHeaderLabels(rowNames);
    EnterConds->horizontalHeader()->setSectionResizeMode(ColCond, QHeaderView::Stretch);
    EnterConds->setColumnWidth(ColSrc, 90);
    EnterConds->setColumnWidth(ColDst, 90);
    EnterConds->viewport()->installEventFilter(this);
    EnterConds->setMinimumHeight(EnterConds->horizontalHeader()->sizeHint().height() +
                                 CondRows * EnterConds->verticalHeader()->defaultSectionSize() + 6);

    HelpMemo = new QPlainTextEdit(QString::fromUtf8(CondHelpText), this);
    HelpMemo->setObjectName(QStringLiteral("HelpMemo"));
    HelpMemo->setReadOnly(true);

    auto* stackHolder = new QWidget(this);
    TableOrHelp = new QStackedLayout(stackHolder);
    TableOrHelp->addWidget(EnterConds);
    TableOrHelp->addWidget(HelpMemo);

    NodeTypeRG = new TRadioGroup(
        QStringLiteral("Node type #1:"),
        {QStringLiteral("Normal"), QStringLiteral("Optional"), QStringLiteral("Repeated")}, 3,
        this);
    NodeTypeRG->setObjectName(QStringLiteral("NodeTypeRG"));

    ClearAllBtn = new QPushButton(QStringLiteral("Clear all"), this);
    ClearAllBtn->setObjectName(QStringLiteral("ClearAllBtn"));
    HelpBtn = new QPushButton(QStringLiteral("Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ClearAllBtn);
    buttons->addWidget(HelpBtn);
    buttons->addStretch();
    buttons->addWidget(CancelBtn);
    buttons->addWidget(OkBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stackHolder, 1);
    layout->addWidget(NodeTypeRG);
    layout->addLayout(buttons);
    resize(460, 300);

    connect(OkBtn, &QPushButton::clicked, this, &TCondDlgView::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TCondDlgView::CancelBtnClick);
    connect(ClearAllBtn, &QPushButton::clicked, this, &TCondDlgView::ClearAllBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TCondDlgView::HelpBtnClick);
    connect(NodeTypeRG, &TRadioGroup::Clicked, this, &TCondDlgView::NodeTypeRGClick);
}

void TCondDlgView::Load(TCondDlg& model) {
    Model = &model;
    Refresh();
}

void TCondDlgView::Refresh() {
    if (!Model) return;
    Refreshing = true;
    EnterConds->setHorizontalHeaderLabels(
        {FromCore(Model->Conds[0]), FromCore(Model->Srcs[0]), FromCore(Model->Dsts[0])});
    for (int r = 1; r <= CondRows; ++r) {
        const std::string* cells[3] = {&Model->Conds[r], &Model->Srcs[r], &Model->Dsts[r]};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(FromCore(*cells[c]));
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (Model->EditingEnabled && c != ColSrc)
                flags |= Qt::ItemIsEditable | Qt::ItemIsSelectable;
            if (!Model->EditingEnabled)
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            item->setFlags(flags);
            EnterConds->setItem(r - 1, c, item);
        }
    }
    NodeTypeRG->SetItemIndex(static_cast<int>(Model->NodeType));
    NodeTypeRG->setEnabled(Model->NodeTypeEnabled);
    ClearAllBtn->setEnabled(Model->ButtonsEnabled && !Model->IsPopNode);
    CancelBtn->setEnabled(Model->ButtonsEnabled);
    OkBtn->setEnabled(Model->ButtonsEnabled);
    HelpBtn->setText(FromCore(Model->HelpCaption));
    TableOrHelp->setCurrentWidget(Model->HelpVisible ? static_cast<QWidget*>(HelpMemo)
                                                     : EnterConds);
    Refreshing = false;
}

void TCondDlgView::StoreCells() {
    if (!Model) return;
    if (QWidget* editor = EnterConds->focusWidget(); editor && editor != EnterConds)
        EnterConds->setFocus(); // commits an open cell editor
    for (int r = 1; r <= CondRows; ++r) {
        if (auto* item = EnterConds->item(r - 1, ColCond)) Model->Conds[r] = ToCore(item->text());
        if (auto* item = EnterConds->item(r - 1, ColDst)) Model->Dsts[r] = ToCore(item->text());
    }
}

void TCondDlgView::OkBtnClick() {
    if (!Model) return;
    StoreCells();
    Model->OkBtnClick();
    Refresh();
    accept();
}

void TCondDlgView::CancelBtnClick() {
    if (Model) Model->CancelBtnClick();
    QDialog::reject();
}

void TCondDlgView::reject() {
    CancelBtnClick();
}

void TCondDlgView::ClearAllBtnClick() {
    if (!Model) return;
    StoreCells();
    Model->ClearAllBtnClick();
    Refresh();
}

void TCondDlgView::HelpBtnClick() {
    if (!Model) return;
    StoreCells();
    Model->HelpBtnClick();
    Refresh();
}

void TCondDlgView::NodeTypeRGClick(int index) {
    if (!Model || Refreshing) return;
    StoreCells();
    Model->NodeTypeRGClick(static_cast<TNodeType>(index));
    Refresh();
}

void TCondDlgView::EnterCondsMouseDown(int row, TMouseButton button, unsigned shift) {
    if (!Model || !Model->EditingEnabled) return;
    StoreCells();
    Model->EnterCondsMouseDown(row, button, shift);
    Refresh();
}

bool TCondDlgView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EnterConds->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const int row = EnterConds->rowAt(mouse->position().toPoint().y());
            if (row >= 0)
                EnterCondsMouseDown(row + 1, TMouseButton::mbRight,
                                    ShiftStateOf(mouse->buttons(), mouse->modifiers(), false));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TNetNameDlgView::TNetNameDlgView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNetNameDlg"));
    setWindowTitle(QStringLiteral("Enter net-name"));
    auto* label = new QLabel(QStringLiteral("Enter net-name:"), this);
    NetNameEdit = new QLineEdit(this);
    NetNameEdit->setObjectName(QStringLiteral("NetNameEdit"));
    label->setBuddy(NetNameEdit);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(NetNameEdit);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TNetNameDlgView::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TNetNameDlgView::CancelBtnClick);
}

void TNetNameDlgView::Load(TNetNameDlg& model) {
    Model = &model;
    NetNameEdit->setText(FromCore(model.NetNameEdit));
    NetNameEdit->selectAll();
    NetNameEdit->setFocus();
}

void TNetNameDlgView::OKBtnClick() {
    if (!Model) return;
    Model->NetNameEdit = ToCore(NetNameEdit->text());
    Model->OKBtnClick();
    accept();
}

void TNetNameDlgView::CancelBtnClick() {
    if (Model) Model->CancelBtnClick();
    QDialog::reject();
}

void TNetNameDlgView::reject() {
    CancelBtnClick();
}

QtRtnDialogHost::QtRtnDialogHost(QWidget* area, QWidget* parent)
    : CondView(new TCondDlgView(parent)), NetNameView(new TNetNameDlgView(parent)), Area(area) {
}

namespace {

QRect ScreenRectOf(const QWidget* widget) {
    const QScreen* screen = widget->screen() ? widget->screen() : QApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace

void QtRtnDialogHost::ShowCondDlg(TCondDlg& dlg, TPoint anchor) {
    CondView->Load(dlg);
    CondView->adjustSize();
    const QPoint global = Area->mapToGlobal(QPoint(anchor.X, anchor.Y));
    const QRect screen = ScreenRectOf(Area);
    const QSize size = CondView->frameGeometry().size();
    const TPoint place = PlaceCondDlg({global.x(), global.y()}, size.width(), size.height(),
                                      screen.width(), screen.height());
    CondView->move(place.X, place.Y);
    CondView->exec();
}

void QtRtnDialogHost::ShowNetNameDlg(TNetNameDlg& dlg, TPoint anchor) {
    NetNameView->Load(dlg);
    const QPoint global = Area->mapToGlobal(QPoint(anchor.X, anchor.Y));
    const TPoint place = PlaceNetNameDlg({global.x(), global.y()});
    NetNameView->move(place.X, place.Y);
    NetNameView->exec();
}

} // namespace gramarbor
