// The settings of the main window: where the file lives, the groups restored while the
// window is created, and the file written at exit.
#include "workbench/environment_io.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>

#include "base/file_io.h"
#include "settings/environment.h"
#include "settings/environment_location.h"
#include "workbench/info_dialogs.h"
#include "workbench/main_window.h"
#include "workbench/trees_sheet.h"
#include "workbench/widgets.h"

namespace gramarbor {

namespace {

// A settings file is a few kilobytes; anything far larger is not one.
constexpr std::size_t MaxEnvironmentFileSize = std::size_t(1) << 24;

std::string& ProgramDirValue() {
    static std::string dir;
    return dir;
}

} // namespace

const std::string& ProgramDir() {
    std::string& dir = ProgramDirValue();
    if (dir.empty() && QCoreApplication::instance())
        dir = QCoreApplication::applicationDirPath().toStdString() + "/";
    return dir;
}

void SetProgramDir(const std::string& dir) {
    ProgramDirValue() = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

std::string EnvironmentFileName() {
    return EnvironmentFilePath(ProgramDir());
}

std::string ReadEnvironmentFile() {
    std::string bytes;
    if (ReadFileBytes(EnvironmentFileName(), bytes, MaxEnvironmentFileSize) != FileError::None)
        bytes.clear();
    return bytes;
}

void TForm1::RestoreWindowSettings(TEnvironmentReader& reader) {
    TEnvironment& env = StoredEnvironment;
    reader.ReadWindow(env);
    SaveEnvironmentOption = env.SaveEnvironment;
    MaxTextLength = env.MaxTextLength;
    GlobalPC->setCurrentIndex(env.MainPage);
    GrammarPC->setCurrentIndex(env.GrammarPage);
    ParsingPC->setCurrentIndex(env.ResultPage);
    InputText->clear();
    for (const std::string& entry : env.InputHistory)
        InputText->addItem(FromCore(entry));
    HelpRect = env.HelpRect;
    // The in/out text starts empty with its maximum length.
    InputText->setEditText(QString());
    InputText->lineEdit()->setMaxLength(MaxTextLength);
}

void TForm1::RestoreParsingSettings(TEnvironmentReader& reader) {
    TEnvironment& env = StoredEnvironment;
    reader.ReadParsing(env);
    ParseOptions = env.ParseOptions;
    Rtn.SetDisplayOptions(env.NodeSize, env.NodeDist, env.LinesAllowed, env.SplitWmf);
    SetParseControls();
    RefreshRtnOptions();
}

void TForm1::RestoreTreeSettings(TEnvironmentReader& reader) {
    TEnvironment& env = StoredEnvironment;
    TTreeSheet& sheet = Trees->Sheet();
    // Group 3: the tree list; the hot keys and the names follow from it.
    reader.ReadTreeList(env);
    sheet.TreeList = env.TreeList;
    sheet.RebuildTreeNames();
    Trees->NewTreeCB->clear(); // filled again from the names below
    // Group 4: tree windows.
    reader.ReadTreeWindows(env);
    sheet.SplitScreen = env.SplitScreen;
    sheet.SetActiveTree(env.ActiveTree);
    sheet.PasteMode = env.PasteMode == 1 ? TPasteMode::Replace : TPasteMode::Append;
    sheet.BinaryLayers = env.BinaryLayers;
    // Group 5: tree options; frames, triangles and arrows follow their check boxes.
    reader.ReadTreeOptions(env);
    sheet.TreeOptions = env.TreeOptions;
    const auto follow = [&sheet](uint8_t bit, bool on) {
        sheet.TreeOptions = on ? (sheet.TreeOptions | bit) : (sheet.TreeOptions & ~bit);
    };
    follow(toFrames, env.FrameBox);
    follow(toTriangles, env.TriangleBox);
    follow(toArrows, env.ArrowBox);
    sheet.OptimalTree = env.OptimalTree;
    sheet.PlaneTree = env.PlaneTree;
    sheet.HDist = env.HDist;
    sheet.VDist = env.VDist;
    // Group 6: font, node defaults and the in/out format.
    reader.ReadFontAndFormat(env);
    sheet.FontName = env.FontName;
    sheet.NodeDefaults = env.NodeDefaults;
    sheet.IOFormat = {env.IOFormat[0], env.IOFormat[1], env.IOFormat[2], env.IOFormat[3]};
    // Into both trees and the controls.
    sheet.ClearHighlight();
    Trees->ShowTrees();
}

TEnvironment TForm1::CurrentEnvironment() const {
    TEnvironment env = StoredEnvironment;
    env.SaveEnvironment = SaveEnvironmentOption;
    env.MaxTextLength = MaxTextLength;
    env.MainPage = GlobalPC->currentIndex() == 1 ? 1 : 0;
    env.GrammarPage = GrammarPC->currentIndex() == 1 ? 1 : 0;
    env.ResultPage = std::max(ParsingPC->currentIndex(), 0);
    env.InputHistory.clear();
    for (int i = 0; i < InputText->count(); ++i)
        env.InputHistory.push_back(ToCore(InputText->itemText(i)));
    env.HelpRect = THelpRect{};
    if (HelpPageDlg->isVisible())
        env.HelpRect = {HelpPageDlg->x(), HelpPageDlg->y(), HelpPageDlg->width(),
                        HelpPageDlg->height()};
    env.ParseOptions = ParseOptions;
    env.SplitWmf = Rtn.SplitWmf;
    env.LinesAllowed = Rtn.LinesAllowed;
    env.NodeSize = NodeSizeUD->Position();
    env.NodeDist = NodeDistUD->Position();
    TTreeSheet& sheet = Trees->Sheet();
    env.TreeList = sheet.TreeList;
    env.SplitScreen = sheet.SplitScreen;
    env.ActiveTree = sheet.ActiveTreeIndex;
    env.PasteMode = sheet.PasteMode == TPasteMode::Replace ? 1 : 0;
    env.BinaryLayers = sheet.BinaryLayers;
    env.TreeOptions = sheet.TreeOptions;
    env.OptimalTree = sheet.OptimalTree;
    env.PlaneTree = sheet.PlaneTree;
    env.HDist = sheet.HDist;
    env.VDist = sheet.VDist;
    env.FrameBox = (sheet.TreeOptions & toFrames) != 0;
    env.TriangleBox = (sheet.TreeOptions & toTriangles) != 0;
    env.ArrowBox = (sheet.TreeOptions & toArrows) != 0;
    env.FontName = sheet.FontName;
    env.NodeDefaults = sheet.NodeDefaults;
    env.IOFormat = {sheet.IOFormat.Separation, sheet.IOFormat.ParentPosition,
                    sheet.IOFormat.Orientation, sheet.IOFormat.BracketType};
    return env;
}

bool TForm1::SaveEnvironment(bool saveFlag) {
    TEnvironment env = CurrentEnvironment();
    env.SaveEnvironment = saveFlag;
    HelpRect = env.HelpRect;
    const std::string fileName = EnvironmentFileName();
    // The folder of the file may still have to be made (the configuration folder).
    FileError error = FileError::CannotCreate;
    if (CreateFolderOf(fileName)) error = AtomicSave(fileName, WriteEnvironment(env));
    if (error == FileError::None) return true;
    Prompts->Message(MessageKind::Error,
                     FromCore(error == FileError::CannotCreate ? MsgCannotCreateEnvironment
                                                               : MsgCannotWriteEnvironment));
    return false;
}

} // namespace gramarbor
