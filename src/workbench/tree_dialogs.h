// Qt dialogs of the trees sheet: each shows one model of treesheet/tree_dialogs.h
// and forwards its controls to it.
#pragma once

#include <QDialog>

#include "treesheet/tree_dialogs.h"
#include "workbench/prompter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace gramarbor {

class TPictureBox;
class TRadioGroup;
class TUpDown;

// "Edit tree list".
class TTreeListDlgView final : public QDialog {
    Q_OBJECT
public:
    TTreeListDlgView(Prompter& prompter, MessageSink& sink, QWidget* parent = nullptr);
    // Shows the model's lines with the caret on caretLine; true after OK (the lines
    // are then taken back).
    bool Run(TTreeListDlg& model, int caretLine);
    QPlainTextEdit* TreeListMemo;

private:
    Prompter& Prompts;
    MessageSink& Sink;
};

// "Define node".
class TDefNodeDlgView final : public QDialog {
    Q_OBJECT
public:
    TDefNodeDlgView(MessageSink& sink, QWidget* parent = nullptr);
    // True after OK with a non-empty node text; the model's Result tells -1, 0 or 1.
    bool Run(TDefNodeDlg& model);
    // Shows the model in the controls without running the dialog (pictures, tests).
    void Load(TDefNodeDlg& model);

    QLineEdit* NodeTextEdit;
    QPushButton* NodeTextBtn;
    QPlainTextEdit* NodeTextMemo;
    QPlainTextEdit* AnnoMemo;
    QPlainTextEdit* HelpMemo;
    TRadioGroup* AlignRG;
    TRadioGroup* FrameRG;
    QCheckBox* AnnoBrackCB;
    QCheckBox* UniteCB;
    QCheckBox* ArrowCB;
    TUpDown* FontSizeUD;
    QLabel* FontSizeLab;
    TUpDown* DistanceUD;
    QLabel* DistanceLab;
    QSpinBox* MoveArrowSB;
    QLabel* NodeNumberLab;
    QCheckBox* ChildCB[4];
    QLabel* ChildNr[4];
    TUpDown* ChildUD[4];
    QLineEdit* ChildNameEdit[4];
    QPushButton* BitBtn1; // Cancel
    QPushButton* BitBtn2; // OK
    QPushButton* BitBtn3; // Help

private:
    void ShowModel();
    void ShowPages();
    TDefNodeDlg* Model = nullptr;
    QStackedWidget* Pages;
    QWidget* Controls;
    MessageSink& Sink;
};

// "Define node defaults".
class TNodeDefDlgView final : public QDialog {
    Q_OBJECT
public:
    explicit TNodeDefDlgView(QWidget* parent = nullptr);
    bool Run(TNodeDefDlg& model);

    QComboBox* FontNameCB;
    TUpDown* FontSizeUD;
    QLabel* FontSizeLab;
    TUpDown* DistanceUD;
    QLabel* DistanceLab;
    QCheckBox* BoldCB;
    QCheckBox* ItalicCB;
    QCheckBox* UnderlineCB;
    QCheckBox* StrikeOutCB;
    TRadioGroup* AlignmentRG;
    TRadioGroup* FrameTypeRG;
    QCheckBox* AnnoBrackCB;
    QCheckBox* TriangleCB;
    QCheckBox* ArrowCB;

private:
    TNodeDefDlg* Model = nullptr;
};

// "Define input/output text formats".
class TIOFormDlgView final : public QDialog {
    Q_OBJECT
public:
    explicit TIOFormDlgView(QWidget* parent = nullptr);
    bool Run(TIOFormDlg& model);

    TRadioGroup* SeparationRG;
    TRadioGroup* ParentPositionRG;
    TRadioGroup* OrientationRG;
    TRadioGroup* BracketTypesRG;
    TRadioGroup* ShortcutsRG;
    QPlainTextEdit* HelpMemo;
    QPushButton* HelpBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

private:
    void ShowModel();
    TIOFormDlg* Model = nullptr;
    QStackedWidget* Pages;
    QWidget* Options;
};

// "Tree preview".
class TTreePrevDlgView final : public QDialog {
    Q_OBJECT
public:
    explicit TTreePrevDlgView(QWidget* parent = nullptr);
    void Run(TTreePrevDlg& model);
    // Fills the dialog without showing it (tests).
    void Fill(TTreePrevDlg& model);

    QWidget* TreePrevPB;
    QLabel* CMXLab;
    QLabel* InchXLab;
    QLabel* CMYLab;
    QLabel* InchYLab;
    TTreePrevDlg Shown;
};

} // namespace gramarbor
