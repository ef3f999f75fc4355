// Qt dialogs of the trees sheet.
#include "workbench/tree_dialogs.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTextBlock>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "qtcanvas/qt_canvas.h"
#include "workbench/help_texts.h"
#include "workbench/widget_factory.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

const TFileDialogRequest LoadListDialog{QStringLiteral("Load tree list"),
                                        QStringLiteral("Tree lists|*.NTL|All files|*.*"),
                                        QStringLiteral("NTL")};
const TFileDialogRequest SaveListDialog{QStringLiteral("Save tree list"),
                                        QStringLiteral("Tree lists|*.NTL|All files|*.*"),
                                        QStringLiteral("NTL")};

QStringList Lines(const QPlainTextEdit& memo) {
    QString text = memo.toPlainText();
    if (text.isEmpty()) return {};
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

std::vector<std::string> CoreLines(const QPlainTextEdit& memo) {
    std::vector<std::string> out;
    for (const QString& line : Lines(memo))
        out.push_back(ToCore(line));
    return out;
}

void SetCoreLines(QPlainTextEdit& memo, const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << FromCore(line);
    memo.setPlainText(list.join(QLatin1Char('\n')));
}

// Dialog buttons leave Return to the dialog's default button.
QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    QPushButton* button = MakeButton(caption, name, parent);
    button->setAutoDefault(false);
    return button;
}

TRadioGroup* Radio(const QString& title, const QStringList& items, const char* name,
                   QWidget* parent, int columns = 1) {
    return MakeRadioGroup(title, items, columns, name, parent);
}

// A button hidden for a while keeps its room, so the row does not move.
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void SetFlag(TNodeAttr& attr, uint16_t flag, bool on) {
    attr.Flags = on ? (attr.Flags | flag) : (attr.Flags & ~flag);
}

// Paints a picture stretched into a target rectangle on white.
class PreviewBox final : public QWidget {
public:
    explicit PreviewBox(TTreePrevDlg& model, QWidget* parent) : QWidget(parent), Model(model) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const TRect target = Model.Target(width(), height());
        if (target.Right <= target.Left || target.Bottom <= target.Top) return;
        painter.setRenderHint(QPainter::Antialiasing);
        QtCanvas canvas(painter);
        Model.Pict.StretchReplay(canvas, target);
    }

private:
    TTreePrevDlg& Model;
};

} // namespace

// ---- Tree list ----

TTreeListDlgView::TTreeListDlgView(Prompter& prompter, MessageSink& sink, QWidget* parent)
    : QDialog(parent), Prompts(prompter), Sink(sink) {
    setObjectName(QStringLiteral("TreeListDlg"));
    setWindowTitle(QStringLiteral("Edit tree list"));
    auto* layout = new QVBoxLayout(this);
    TreeListMemo = new QPlainTextEdit(this);
    TreeListMemo->setObjectName(QStringLiteral("TreeListMemo"));
    TreeListMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(TreeListMemo, 1);
    auto* row = new QHBoxLayout;
    auto* newBtn = Button(QStringLiteral("New tree list"), "NewListBtn", this);
    auto* loadBtn = Button(QStringLiteral("Load tree list"), "LoadListBtn", this);
    auto* saveBtn = Button(QStringLiteral("Save tree list"), "SaveListBtn", this);
    auto* ok = Button(QStringLiteral("OK"), "OKBtn", this);
    auto* cancel = Button(QStringLiteral("Cancel"), "CancelBtn", this);
    for (QPushButton* b : {newBtn, loadBtn, saveBtn, ok, cancel})
        row->addWidget(b);
    layout->addLayout(row);
    connect(newBtn, &QPushButton::clicked, this, [this] {
        TreeListMemo->clear();
        TreeListMemo->setFocus();
    });
    connect(loadBtn, &QPushButton::clicked, this, [this] {
        const QString name = Prompts.OpenFileName(LoadListDialog);
        if (name.isEmpty()) return;
        TTreeListDlg model;
        if (model.LoadList(name.toStdString(), Sink)) SetCoreLines(*TreeListMemo, model.Lines);
    });
    connect(saveBtn, &QPushButton::clicked, this, [this] {
        const QString name = Prompts.SaveFileName(SaveListDialog);
        if (name.isEmpty()) return;
        TTreeListDlg model;
        model.Lines = CoreLines(*TreeListMemo);
        model.SaveList(name.toStdString(), Sink);
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(420, 320);
}

bool TTreeListDlgView::Run(TTreeListDlg& model, int caretLine) {
    SetCoreLines(*TreeListMemo, model.Lines);
    // The caret on the line of the last error, the line selected.
    QTextCursor cursor(TreeListMemo->document()->findBlockByNumber(std::max(caretLine, 0)));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    TreeListMemo->setTextCursor(cursor);
    TreeListMemo->setFocus();
    if (exec() != QDialog::Accepted) return false;
    model.Lines = CoreLines(*TreeListMemo);
    return true;
}

// ---- Define node ----

TDefNodeDlgView::TDefNodeDlgView(MessageSink& sink, QWidget* parent) : QDialog(parent), Sink(sink) {
    setObjectName(QStringLiteral("DefNodeDlg"));
    setWindowTitle(QStringLiteral("Define node"));
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(MakeLabel(QStringLiteral("Node text:"), nullptr, this));
    NodeTextEdit = new QLineEdit(this);
    NodeTextEdit->setObjectName(QStringLiteral("NodeTextEdit"));
    top->addWidget(NodeTextEdit, 1);
    NodeTextBtn = Button(QStringLiteral("Edit"), "NodeTextBtn", this);
    top->addWidget(NodeTextBtn);
    outer->addLayout(top);
    // The controls, the text editor and the help page take turns in one place, so
    // the dialog keeps its size whichever is shown.
    Pages = new QStackedWidget(this);
    NodeTextMemo = new QPlainTextEdit(Pages);
    NodeTextMemo->setObjectName(QStringLiteral("NodeTextMemo"));
    HelpMemo = new QPlainTextEdit(QString::fromLatin1(DefNodeHelpText()), Pages);
    HelpMemo->setObjectName(QStringLiteral("HelpMemo"));
    HelpMemo->setReadOnly(true);

    Controls = new QWidget(Pages);
    auto* grid = new QGridLayout(Controls);
    grid->setContentsMargins(0, 0, 0, 0);
    AlignRG = Radio(QStringLiteral("Alignment"),
                    {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")},
                    "AlignRG", Controls);
    FrameRG = Radio(QStringLiteral("Frame"),
                    {QStringLiteral("None"), QStringLiteral("Angular"), QStringLiteral("Round"),
                     QStringLiteral("Brackets")},
                    "FrameRG", Controls);
    grid->addWidget(AlignRG, 0, 0);
    grid->addWidget(FrameRG, 0, 1);
    auto* checks = new QVBoxLayout;
    AnnoBrackCB = MakeCheckBox(QStringLiteral("Annotation brackets"), "AnnoBrackCB", Controls);
    UniteCB = MakeCheckBox(QStringLiteral("Connect with triangle"), "UniteCB", Controls);
    ArrowCB = MakeCheckBox(QStringLiteral("Arrow-ended line"), "ArrowCB", Controls);
    for (QCheckBox* c : {AnnoBrackCB, UniteCB, ArrowCB})
        checks->addWidget(c);
    auto* sizes = new QGridLayout;
    sizes->addWidget(MakeLabel(QStringLiteral("Font height:"), nullptr, Controls), 0, 0);
    FontSizeLab = MakeLabel(QString(), "FontSizeLab", Controls);
    FontSizeUD = MakeUpDown("FontSizeUD", 6, 96, Controls);
    sizes->addWidget(FontSizeLab, 0, 1);
    sizes->addWidget(FontSizeUD, 0, 2);
    sizes->addWidget(MakeLabel(QStringLiteral("Line distance:"), nullptr, Controls), 1, 0);
    DistanceLab = MakeLabel(QString(), "DistanceLab", Controls);
    DistanceUD = MakeUpDown("DistanceUD", 0, 100, Controls);
    sizes->addWidget(DistanceLab, 1, 1);
    sizes->addWidget(DistanceUD, 1, 2);
    // The movement arrow's target, by its number in the tree (0 = no arrow).
    sizes->addWidget(MakeLabel(QStringLiteral("Arrow to node:"), nullptr, Controls), 2, 0);
    MoveArrowSB = new QSpinBox(Controls);
    MoveArrowSB->setObjectName(QStringLiteral("MoveArrowSB"));
    MoveArrowSB->setSpecialValueText(QStringLiteral("none"));
    sizes->addWidget(MoveArrowSB, 2, 1, 1, 2);
    NodeNumberLab = MakeLabel(QString(), "NodeNumberLab", Controls);
    sizes->addWidget(NodeNumberLab, 3, 0, 1, 3);
    checks->addLayout(sizes);
    grid->addLayout(checks, 0, 2);
    grid->addWidget(MakeLabel(QStringLiteral("Annotation lines:"), nullptr, Controls), 1, 0);
    AnnoMemo = new QPlainTextEdit(Controls);
    AnnoMemo->setObjectName(QStringLiteral("AnnoMemo"));
    AnnoMemo->setMaximumHeight(80);
    grid->addWidget(AnnoMemo, 2, 0, 1, 3);
    auto* children = new QGroupBox(QStringLiteral("Children (Nr. 1 = leftmost)"), Controls);
    children->setObjectName(QStringLiteral("ChildrenGB"));
    auto* rows = new QGridLayout(children);
    for (int k = 0; k < 4; ++k) {
        const QByteArray n = QByteArray::number(k + 1);
        ChildCB[k] = MakeCheckBox(QString(), ("ChildCB" + n).constData(), children);
        ChildNr[k] = MakeLabel(QString::number(k + 1), ("ChildNr" + n).constData(), children);
        ChildUD[k] = MakeUpDown(("ChildUD" + n).constData(), 1, 4, children);
        ChildNameEdit[k] = new QLineEdit(children);
        ChildNameEdit[k]->setObjectName(QLatin1String("ChildNameEdit" + n));
        rows->addWidget(ChildCB[k], k, 0);
        rows->addWidget(ChildNr[k], k, 1);
        rows->addWidget(ChildUD[k], k, 2);
        rows->addWidget(ChildNameEdit[k], k, 3);
        connect(ChildCB[k], &QCheckBox::clicked, this, [this, k](bool on) {
            ChildUD[k]->setEnabled(on);
            ChildNameEdit[k]->setEnabled(on);
        });
        connect(ChildUD[k], &TUpDown::Clicked, this,
                [this, k] { ChildNr[k]->setText(QString::number(ChildUD[k]->Position())); });
    }
    grid->addWidget(children, 3, 0, 1, 3);
    Pages->addWidget(Controls);
    Pages->addWidget(NodeTextMemo);
    Pages->addWidget(HelpMemo);
    outer->addWidget(Pages, 1);

    auto* buttons = new QHBoxLayout;
    BitBtn3 = Button(QStringLiteral("Help"), "BitBtn3", this);
    BitBtn2 = Button(QStringLiteral("OK"), "BitBtn2", this);
    BitBtn1 = Button(QStringLiteral("Cancel"), "BitBtn1", this);
    buttons->addWidget(BitBtn3);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    for (QPushButton* button : {NodeTextBtn, BitBtn1, BitBtn2, BitBtn3})
        KeepPlaceWhenHidden(button);
    outer->addLayout(buttons);

    connect(AlignRG, &TRadioGroup::Clicked, this, [this](int i) { Model->SetAlign(i); });
    connect(FrameRG, &TRadioGroup::Clicked, this, [this](int i) { Model->SetFrame(i); });
    connect(AnnoBrackCB, &QCheckBox::clicked, this,
            [this](bool on) { Model->SetFlag(naAnnoBrackets, on); });
    connect(UniteCB, &QCheckBox::clicked, this,
            [this](bool on) { Model->SetFlag(naTriangle, on); });
    connect(ArrowCB, &QCheckBox::clicked, this, [this](bool on) { Model->SetFlag(naArrow, on); });
    connect(FontSizeUD, &TUpDown::Clicked, this, [this] {
        Model->Attr.FontSize = static_cast<uint16_t>(FontSizeUD->Position());
        FontSizeLab->setText(QString::number(Model->Attr.FontSize));
    });
    connect(DistanceUD, &TUpDown::Clicked, this, [this] {
        Model->Attr.LineDist = static_cast<uint16_t>(DistanceUD->Position());
        DistanceLab->setText(QString::number(Model->Attr.LineDist));
    });
    connect(NodeTextBtn, &QPushButton::clicked, this, [this] {
        if (Model->EditorShown)
            Model->EditorLines = CoreLines(*NodeTextMemo);
        else
            Model->NodeText = ToCore(NodeTextEdit->text());
        Model->NodeTextBtnClick();
        if (Model->EditorShown) {
            SetCoreLines(*NodeTextMemo, Model->EditorLines);
        } else {
            NodeTextEdit->setText(FromCore(Model->NodeText));
        }
        ShowPages();
        (Model->EditorShown ? static_cast<QWidget*>(NodeTextMemo) : NodeTextEdit)->setFocus();
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        Model->HelpBtnClick();
        ShowPages();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        Model->NodeText = ToCore(NodeTextEdit->text());
        Model->ArrowTo = MoveArrowSB->value();
        Model->OkClick(Sink);
        if (Model->Result == 1)
            accept();
        else
            reject();
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Model->CancelClick();
        reject();
    });
}

void TDefNodeDlgView::ShowPages() {
    const bool help = Model->HelpShown;
    const bool editor = Model->EditorShown;
    Pages->setCurrentWidget(help     ? static_cast<QWidget*>(HelpMemo)
                            : editor ? static_cast<QWidget*>(NodeTextMemo)
                                     : Controls);
    Controls->setEnabled(!help && !editor);
    NodeTextEdit->setEnabled(!help && !editor);
    NodeTextBtn->setVisible(!help);
    NodeTextBtn->setText(FromCore(Model->NodeTextCaption()));
    BitBtn3->setText(FromCore(Model->HelpCaption()));
    BitBtn3->setVisible(!editor);
    BitBtn2->setVisible(!help && !editor);
    BitBtn1->setVisible(!help && !editor);
}

void TDefNodeDlgView::ShowModel() {
    NodeTextEdit->setText(FromCore(Model->NodeText));
    SetCoreLines(*AnnoMemo, Model->AnnoLines);
    AlignRG->SetItemIndex(AlignIndex(Model->Attr));
    FrameRG->SetItemIndex(FrameIndex(Model->Attr));
    AnnoBrackCB->setChecked(Model->Attr.Flags & naAnnoBrackets);
    UniteCB->setChecked(Model->Attr.Flags & naTriangle);
    ArrowCB->setChecked(Model->Attr.Flags & naArrow);
    FontSizeUD->SetPosition(Model->Attr.FontSize);
    FontSizeLab->setText(QString::number(Model->Attr.FontSize));
    DistanceUD->SetPosition(Model->Attr.LineDist);
    DistanceLab->setText(QString::number(Model->Attr.LineDist));
    MoveArrowSB->setRange(0, std::max(Model->NodeCount, Model->ArrowTo));
    MoveArrowSB->setValue(Model->ArrowTo);
    NodeNumberLab->setText(
        QStringLiteral("This is node %1 of %2.").arg(Model->NodeNumber).arg(Model->NodeCount));
    for (int k = 0; k < 4; ++k) {
        const TChildRow& row = Model->Rows[k];
        ChildCB[k]->setChecked(row.Used);
        ChildUD[k]->SetPosition(row.Index);
        ChildNr[k]->setText(QString::number(row.Index));
        ChildNameEdit[k]->setText(FromCore(row.Name));
        const bool enabled = Model->RowEnabled(k);
        ChildCB[k]->setEnabled(enabled);
        ChildNr[k]->setEnabled(enabled);
        ChildUD[k]->setEnabled(Model->RowEditable(k));
        ChildNameEdit[k]->setEnabled(Model->RowEditable(k));
    }
    ShowPages();
}

void TDefNodeDlgView::Load(TDefNodeDlg& model) {
    Model = &model;
    ShowModel();
}

bool TDefNodeDlgView::Run(TDefNodeDlg& model) {
    Model = &model;
    model.Result = 0;
    ShowModel();
    NodeTextEdit->setFocus();
    const int code = exec();
    model.Hide();
    // Reading back: what the controls hold now.
    model.NodeText = ToCore(NodeTextEdit->text());
    model.AnnoLines = CoreLines(*AnnoMemo);
    model.ArrowTo = MoveArrowSB->value();
    for (int k = 0; k < 4; ++k)
        model.Rows[k] = {ChildCB[k]->isChecked(), ChildUD[k]->Position(),
                         ToCore(ChildNameEdit[k]->text())};
    Model = nullptr;
    return code == QDialog::Accepted && model.Result == 1;
}

// ---- Node defaults ----

TNodeDefDlgView::TNodeDefDlgView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NodeDefDlg"));
    setWindowTitle(QStringLiteral("Define node defaults"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeLabel(QStringLiteral("Font name:"), nullptr, this), 0, 0);
    FontNameCB = new QComboBox(this);
    FontNameCB->setObjectName(QStringLiteral("FontNameCB"));
    FontNameCB->setEditable(true);
    grid->addWidget(FontNameCB, 0, 1, 1, 3);
    grid->addWidget(MakeLabel(QStringLiteral("Font size:"), nullptr, this), 1, 0);
    FontSizeLab = MakeLabel(QString(), "FontSizeLab", this);
    FontSizeUD = MakeUpDown("FontSizeUD", 6, 96, this);
    grid->addWidget(FontSizeLab, 1, 1);
    grid->addWidget(FontSizeUD, 1, 2);
    grid->addWidget(MakeLabel(QStringLiteral("Line dist.:"), nullptr, this), 2, 0);
    DistanceLab = MakeLabel(QString(), "DistanceLab", this);
    DistanceUD = MakeUpDown("DistanceUD", 0, 10, this);
    grid->addWidget(DistanceLab, 2, 1);
    grid->addWidget(DistanceUD, 2, 2);
    auto* style = new QGroupBox(QStringLiteral("Font style"), this);
    auto* styleRows = new QVBoxLayout(style);
    BoldCB = MakeCheckBox(QStringLiteral("Bold"), "BoldCB", style);
    ItalicCB = MakeCheckBox(QStringLiteral("Italic"), "ItalicCB", style);
    UnderlineCB = MakeCheckBox(QStringLiteral("Underlined"), "UnderlineCB", style);
    StrikeOutCB = MakeCheckBox(QStringLiteral("Striked out"), "StrikeOutCB", style);
    for (QCheckBox* c : {BoldCB, ItalicCB, UnderlineCB, StrikeOutCB})
        styleRows->addWidget(c);
    grid->addWidget(style, 3, 0, 1, 2);
    AlignmentRG = Radio(QStringLiteral("Alignment"),
                        {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")},
                        "AlignmentRG", this);
    FrameTypeRG = Radio(QStringLiteral("Frame"),
                        {QStringLiteral("None"), QStringLiteral("Angular"), QStringLiteral("Round"),
                         QStringLiteral("Brackets")},
                        "FrameTypeRG", this);
    grid->addWidget(AlignmentRG, 3, 2);
    grid->addWidget(FrameTypeRG, 3, 3);
    AnnoBrackCB = MakeCheckBox(QStringLiteral("Annotation brackets"), "AnnoBrackCB", this);
    TriangleCB = MakeCheckBox(QStringLiteral("Connect as triangle"), "TriangleCB", this);
    ArrowCB = MakeCheckBox(QStringLiteral("Arrow-ended line"), "ArrowCB", this);
    grid->addWidget(AnnoBrackCB, 4, 0, 1, 2);
    grid->addWidget(TriangleCB, 5, 0, 1, 2);
    grid->addWidget(ArrowCB, 6, 0, 1, 2);
    auto* ok = Button(QStringLiteral("OK"), "OKBtn", this);
    auto* cancel = Button(QStringLiteral("Cancel"), "CancelBtn", this);
    grid->addWidget(ok, 7, 2);
    grid->addWidget(cancel, 7, 3);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(FontNameCB, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (Model) Model->FontName = ToCore(text);
    });
    connect(FontSizeUD, &TUpDown::Clicked, this, [this] {
        Model->Attr.FontSize = static_cast<uint16_t>(FontSizeUD->Position());
        FontSizeLab->setText(QString::number(Model->Attr.FontSize));
    });
    connect(DistanceUD, &TUpDown::Clicked, this, [this] {
        Model->Attr.LineDist = static_cast<uint16_t>(DistanceUD->Position());
        DistanceLab->setText(QString::number(Model->Attr.LineDist));
    });
    const std::pair<QCheckBox*, uint8_t> styles[] = {{BoldCB, fsBold},
                                                     {ItalicCB, fsItalic},
                                                     {UnderlineCB, fsUnderline},
                                                     {StrikeOutCB, fsStrikeOut}};
    for (const auto& [box, bit] : styles)
        connect(box, &QCheckBox::clicked, this,
                [this, bit = bit](bool on) { Model->SetStyle(bit, on); });
    connect(AlignmentRG, &TRadioGroup::Clicked, this,
            [this](int i) { SetAlignIndex(Model->Attr, i); });
    connect(FrameTypeRG, &TRadioGroup::Clicked, this,
            [this](int i) { SetFrameIndex(Model->Attr, i); });
    connect(AnnoBrackCB, &QCheckBox::clicked, this,
            [this](bool on) { SetFlag(Model->Attr, naAnnoBrackets, on); });
    connect(TriangleCB, &QCheckBox::clicked, this,
            [this](bool on) { SetFlag(Model->Attr, naTriangle, on); });
    connect(ArrowCB, &QCheckBox::clicked, this,
            [this](bool on) { SetFlag(Model->Attr, naArrow, on); });
}

bool TNodeDefDlgView::Run(TNodeDefDlg& model) {
    Model = nullptr;
    FontNameCB->clear();
    for (const std::string& font : model.Fonts)
        FontNameCB->addItem(FromCore(font));
    FontNameCB->setCurrentText(FromCore(model.FontName));
    Model = &model;
    FontSizeUD->SetPosition(model.Attr.FontSize);
    FontSizeLab->setText(QString::number(model.Attr.FontSize));
    DistanceUD->SetPosition(model.Attr.LineDist);
    DistanceLab->setText(QString::number(model.Attr.LineDist));
    BoldCB->setChecked(model.Attr.FontStyle & fsBold);
    ItalicCB->setChecked(model.Attr.FontStyle & fsItalic);
    UnderlineCB->setChecked(model.Attr.FontStyle & fsUnderline);
    StrikeOutCB->setChecked(model.Attr.FontStyle & fsStrikeOut);
    AlignmentRG->SetItemIndex(AlignIndex(model.Attr));
    FrameTypeRG->SetItemIndex(FrameIndex(model.Attr));
    AnnoBrackCB->setChecked(model.Attr.Flags & naAnnoBrackets);
    TriangleCB->setChecked(model.Attr.Flags & naTriangle);
    ArrowCB->setChecked(model.Attr.Flags & naArrow);
    const bool ok = exec() == QDialog::Accepted;
    Model = nullptr;
    return ok;
}

// ---- In/out format ----

TIOFormDlgView::TIOFormDlgView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("IOFormDlg"));
    setWindowTitle(QStringLiteral("Define input/output text formats"));
    auto* outer = new QVBoxLayout(this);
    Pages = new QStackedWidget(this);
    Options = new QWidget(Pages);
    auto* grid = new QGridLayout(Options);
    grid->setContentsMargins(0, 0, 0, 0);
    SeparationRG = Radio(QStringLiteral("Node separation"),
                         {QStringLiteral("by ' ' (e.g. \"[S [NP] [VP]]\")"),
                          QStringLiteral("by ',' (e.g. \"s(np,vp)\")")},
                         "SeparationRG", Options);
    ParentPositionRG = Radio(QStringLiteral("Position of parent node"),
                             {QStringLiteral("Inside (e.g. \"{N {John}}\")"),
                              QStringLiteral("Outside (e.g. \"x<y z>\")"),
                              QStringLiteral("Labelled (e.g. \"(NP (DT the) (NN dog))\")")},
                             "ParentPositionRG", Options);
    OrientationRG =
        Radio(QStringLiteral("Orientation"),
              {QStringLiteral("Horizontal"), QStringLiteral("Vertical")}, "OrientationRG", Options);
    BracketTypesRG = Radio(QStringLiteral("Bracket type"),
                           {QStringLiteral("[.. [..] [..]]"), QStringLiteral("(.. (..) (..))"),
                            QStringLiteral("{.. {..} {..}}"), QStringLiteral("<..<..> <..>>")},
                           "BracketTypesRG", Options);
    ShortcutsRG = Radio(QStringLiteral("Shortcuts"),
                        {QStringLiteral("Standard"), QStringLiteral("[X,[Y],[Z]]"),
                         QStringLiteral("v(w(x),y(z))"), QStringLiteral("Labelled brackets")},
                        "ShortcutsRG", Options, 2);
    grid->addWidget(SeparationRG, 0, 0);
    grid->addWidget(ParentPositionRG, 0, 1);
    grid->addWidget(OrientationRG, 1, 0);
    grid->addWidget(BracketTypesRG, 1, 1);
    grid->addWidget(ShortcutsRG, 2, 0, 1, 2);
    HelpMemo = new QPlainTextEdit(QString::fromLatin1(IOFormHelpText()), Pages);
    HelpMemo->setObjectName(QStringLiteral("HelpMemo"));
    HelpMemo->setReadOnly(true);
    Pages->addWidget(Options);
    Pages->addWidget(HelpMemo);
    outer->addWidget(Pages, 1);
    auto* row = new QHBoxLayout;
    HelpBtn = Button(QStringLiteral("Help"), "HelpBtn", this);
    OkBtn = Button(QStringLiteral("OK"), "OKBtn", this);
    CancelBtn = Button(QStringLiteral("Cancel"), "CancelBtn", this);
    row->addWidget(HelpBtn);
    row->addStretch(1);
    row->addWidget(OkBtn);
    row->addWidget(CancelBtn);
    KeepPlaceWhenHidden(OkBtn);
    KeepPlaceWhenHidden(CancelBtn);
    outer->addLayout(row);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SeparationRG, &TRadioGroup::Clicked, this, [this](int i) {
        Model->SeparationRGClick(i);
        ShowModel();
    });
    connect(ParentPositionRG, &TRadioGroup::Clicked, this, [this](int i) {
        Model->ParentPositionRGClick(i);
        ShowModel();
    });
    connect(OrientationRG, &TRadioGroup::Clicked, this, [this](int i) {
        Model->OrientationRGClick(i);
        ShowModel();
    });
    connect(BracketTypesRG, &TRadioGroup::Clicked, this, [this](int i) {
        Model->BracketTypesRGClick(i);
        ShowModel();
    });
    connect(ShortcutsRG, &TRadioGroup::Clicked, this, [this](int i) {
        Model->ShortcutsRGClick(i);
        ShowModel();
    });
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        Model->HelpBtnClick();
        ShowModel();
    });
}

void TIOFormDlgView::ShowModel() {
    SeparationRG->SetItemIndex(Model->Format.Separation ? 1 : 0);
    ParentPositionRG->SetItemIndex(std::min<int>(Model->Format.ParentPosition, 2));
    OrientationRG->SetItemIndex(Model->Format.Orientation ? 1 : 0);
    BracketTypesRG->SetItemIndex(Model->Format.BracketType & 3);
    ShortcutsRG->SetItemIndex(Model->Shortcut);
    Pages->setCurrentWidget(Model->HelpShown ? static_cast<QWidget*>(HelpMemo) : Options);
    OkBtn->setVisible(!Model->HelpShown);
    CancelBtn->setVisible(!Model->HelpShown);
    HelpBtn->setText(FromCore(Model->HelpCaption()));
}

bool TIOFormDlgView::Run(TIOFormDlg& model) {
    Model = &model;
    model.Show();
    ShowModel();
    const bool ok = exec() == QDialog::Accepted;
    Model = nullptr;
    return ok;
}

// ---- Preview ----

TTreePrevDlgView::TTreePrevDlgView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TreePrevDlg"));
    setWindowTitle(QStringLiteral("Tree preview"));
    auto* outer = new QVBoxLayout(this);
    TreePrevPB = new PreviewBox(Shown, this);
    TreePrevPB->setObjectName(QStringLiteral("TreePrevPB"));
    TreePrevPB->setMinimumSize(480, 360);
    outer->addWidget(TreePrevPB, 1);
    auto* row = new QHBoxLayout;
    CMXLab = MakeLabel(QString(), "CMXLab", this);
    InchXLab = MakeLabel(QString(), "InchXLab", this);
    CMYLab = MakeLabel(QString(), "CMYLab", this);
    InchYLab = MakeLabel(QString(), "InchYLab", this);
    row->addWidget(MakeLabel(QStringLiteral("Width:"), nullptr, this));
    row->addWidget(CMXLab);
    row->addWidget(InchXLab);
    row->addSpacing(24);
    row->addWidget(MakeLabel(QStringLiteral("Height:"), nullptr, this));
    row->addWidget(CMYLab);
    row->addWidget(InchYLab);
    row->addStretch(1);
    auto* close = Button(QStringLiteral("&Close"), "CloseBtn", this);
    row->addWidget(close);
    outer->addLayout(row);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TTreePrevDlgView::Fill(TTreePrevDlg& model) {
    Shown = model;
    CMXLab->setText(FromCore(model.CMX));
    InchXLab->setText(FromCore(model.InchX));
    CMYLab->setText(FromCore(model.CMY));
    InchYLab->setText(FromCore(model.InchY));
    TreePrevPB->update();
}

void TTreePrevDlgView::Run(TTreePrevDlg& model) {
    Fill(model);
    exec();
}

} // namespace gramarbor
