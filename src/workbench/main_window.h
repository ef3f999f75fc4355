// The main window TForm1: a frame around the parsing sheet (TParsingPageView) and the
// trees sheet (TTreesSheetView), with the in/out text field, the program buttons, the
// dialogs they open and the settings restored at start and written at exit.
#pragma once

#include <memory>
#include <string>

#include <QMainWindow>

#include "qtcanvas/qt_text_measurer.h"
#include "settings/environment.h"
#include "workbench/prompter.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace gramarbor {

class TGlobOptsDlg;
class THelpPageDlg;
class TInfoDlg;
class TParsingPageView;
class TRtnDialogHost;
class TTreesSheetView;

inline const std::string MsgWrongDesktopSize =
    "Wrong desktop size. Use 1024*768, 1152*864, 1280*1024 or more.";

inline constexpr int DesignWidth = 1024;
inline constexpr int DesignHeight = 768;

class TForm1 final : public QMainWindow {
    Q_OBJECT

    // Declared first: the sheets below report through them.
    std::unique_ptr<QtPrompter> OwnPrompter;
    Prompter& Prompts;
    PrompterSink Sink;
    QtTextMeasurer Measurer;

public:
    // prompter: where messages and file dialogs go (null for the real boxes); it must
    // outlive the window.
    explicit TForm1(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    // False when start-up refused to go on (screen too small); the program then ends.
    bool Started() const { return StartupOk; }
    // Shows the window maximised.
    void FormShow();

    // The dialog host of the network page (tests install one that answers the dialogs).
    void SetRtnDialogHost(TRtnDialogHost* host);

    bool SaveEnvironmentOption = false;
    // Place of the instructions window at the last exit; all 0 when it was closed.
    THelpRect HelpRect;
    // The settings as read at start; the values no sheet holds are written back from here.
    TEnvironment StoredEnvironment;
    // The in/out text's maximum length (a global option).
    int MaxTextLength() const;

    void InputTextExit();
    void InfoBtnClick();
    void InstructionBtnClick();
    void GlobOptsBtnClick();
    void ExitButtonClick();
    void GlobalPCChange();
    // Writes the settings file with the given save flag; false after a message.
    bool SaveEnvironment(bool saveFlag);
    // The settings as the window holds them now.
    TEnvironment CurrentEnvironment() const;

    // Widgets, named as their controls.
    QTabWidget* GlobalPC;
    TParsingPageView* Parsing;
    QWidget* TreeSheet;
    TTreesSheetView* Trees;
    QLabel* Label3;
    QComboBox* InputText;
    QPushButton* InfoBtn;
    QPushButton* InstructionBtn;
    QPushButton* GlobOptsBtn;
    QPushButton* ExitButton;

    TInfoDlg* InfoDlg;
    THelpPageDlg* HelpPageDlg;
    TGlobOptsDlg* GlobOptsDlg;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Closing while a parse runs stops the parse and closes when it has ended.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildBottomRow();
    void ConnectHandlers();
    // The stored settings, group by group, into the sheets and their controls.
    void RestoreSettings();
    // The in/out history's entries as the parsing sheet keeps them.
    void ShowHistory();

    bool StartupOk = true;
};

} // namespace gramarbor
