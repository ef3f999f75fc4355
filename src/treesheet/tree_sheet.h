// The trees sheet without its widgets: two trees, the active one, the sheet's
// settings, the tree list with its hot keys, the highlighted node, the internal
// copy, and every command of the sheet. Views show the trees' pictures and call
// the commands; dialogs and file choosers are reached through TTreeSheetHost.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "picture/canvas.h"
#include "tree/tree.h"
#include "treesheet/tree_dialogs.h"
#include "treesheet/tree_history.h"

namespace gramarbor {

enum class TPasteMode : uint8_t { Append = 0, Replace = 1 };
enum class TBinaryShape { Full, Left, Right };

// Sheet-level messages (codes 2 to 13); code 0 and unknown codes give "".
std::string TreeSheetText(int code);

// What the sheet needs from the window around it. Defaults answer "cancelled".
class TTreeSheetHost {
public:
    virtual ~TTreeSheetHost() = default;
    // Each shows the model modally and returns true when it was closed with OK.
    virtual bool ShowTreeListDlg(TTreeListDlg&, int /*caretLine*/) { return false; }
    virtual bool ShowDefNodeDlg(TDefNodeDlg&) { return false; }
    virtual bool ShowNodeDefDlg(TNodeDefDlg&) { return false; }
    virtual bool ShowIOFormDlg(TIOFormDlg&) { return false; }
    virtual void ShowTreePrevDlg(TTreePrevDlg&) {}
    // File choosers; empty when cancelled. filter is "Name|*.EXT|All files|*.*".
    virtual std::string OpenFileName(const std::string& /*title*/, const std::string& /*filter*/,
                                     const std::string& /*defaultExt*/) {
        return {};
    }
    virtual std::string SaveFileName(const std::string& /*title*/, const std::string& /*filter*/,
                                     const std::string& /*defaultExt*/) {
        return {};
    }
    // Repaint tree window 0 or 1.
    virtual void RepaintTree(int /*index*/) {}
    // The option controls must show the settings again.
    virtual void SyncTreeControls() {}
    // What can be undone or redone in the active tree may have changed.
    virtual void HistoryChanged() {}
};

class TTreeSheet {
public:
    // screen measures text as the tree windows will show it; both must outlive
    // the sheet.
    TTreeSheet(MessageSink& sink, Canvas& screen, TTreeSheetHost& host);
    TTreeSheet(const TTreeSheet&) = delete;
    TTreeSheet& operator=(const TTreeSheet&) = delete;

    // State.
    TTree Tree1;
    TTree Tree2;
    int ActiveTreeIndex = 0; // 0 = Tree1 (left), 1 = Tree2 (right)
    uint8_t TreeOptions = toFrames | toTriangles | toArrows | toTidy;
    TNodeAttr NodeDefaults{16, 4, 0, naLeft | naAnnoBrackets};
    std::string FontName = "Arial";
    int32_t HDist = 64;
    int32_t VDist = 64;
    TBracketFormat IOFormat;
    bool SplitScreen = false;
    int32_t BinaryLayers = 5;
    bool OptimalTree = true;
    bool PlaneTree = false;
    TPasteMode PasteMode = TPasteMode::Append;
    std::vector<std::string> TreeList;
    std::array<std::string, 10> HotKeys;
    TNode* HighlightedNode = nullptr;
    TRect HighlightRect{-1, -1, -1, -1};
    TNodePtr InternalCopy;
    // Items of NewTreeCB and its text.
    std::vector<std::string> TreeNames;
    std::string NewTreeName;
    // Maximal length of the in/out text (global option).
    int MaxTextLength = 255;
    // The trees of a treebank file (labelled brackets) to step through, the one
    // shown, and the file's bracket pair.
    std::vector<std::string> Treebank;
    std::size_t TreebankIndex = 0;
    std::string TreebankBracketPair = "()";

    TTree& ActiveTree() { return ActiveTreeIndex == 0 ? Tree1 : Tree2; }
    TTree& TreeAt(int index) { return index == 0 ? Tree1 : Tree2; }
    TTreeHistory& History(int index) { return Histories[index == 0 ? 0 : 1]; }

    // Shows message code (with appended text) as an error box.
    void TreeSheetError(int code, const std::string& appended = "");

    // Tree list and hot keys.
    int ParseTreeListLine(const std::string& line);
    // Rebuilds HotKeys and the combo-box items from TreeList (start-up).
    void RebuildTreeNames();
    void EditTreeListBtnClick();
    static std::string BuildBinaryTree(int layers, TBinaryShape shape);
    void NewTreeBtnClick();
    // ALT+digit; true when the key was used.
    bool HotKey(int digit);

    // Highlight and activity.
    void ClearHighlight();
    void RefreshHighlight();
    void SetActiveTree(int index);
    // Mouse over window index at (x, y).
    void MouseMove(int index, int32_t x, int32_t y);
    // Left (define) or right (insert parent) button on window index.
    void MouseDown(int index, bool rightButton, int32_t x, int32_t y);

    // Editing.
    void DefineNode();
    void InsertParentNode();
    void PasteNode(const TNode* source);
    void CopyTreeBtnClick();
    void CutTreeBtnClick();
    void DelTreeBtnClick();
    void PasteTreeBtnClick();
    void PushLeftBtnClick();
    void PushRghtBtnClick();
    void Undo();
    void Redo();
    // Whether the active tree has a step to undo or redo.
    bool CanUndo() const { return Histories[ActiveTreeIndex == 0 ? 0 : 1].CanUndo(); }
    bool CanRedo() const { return Histories[ActiveTreeIndex == 0 ? 0 : 1].CanRedo(); }

    // Files, pictures and text.
    bool LoadTreeFile(const std::string& fileName);
    // "Load tree" takes tree files, and treebank files (.MRG, .TXT) of trees in
    // labelled brackets, whose first tree it shows.
    void LoadTreeBtnClick();
    bool LoadTreebank(const std::string& fileName);
    // Shows the tree delta places on in the treebank; nothing beyond its ends.
    void StepTreebank(int delta);
    // "Tree 3 of 30", or empty without a treebank.
    std::string TreebankPosition() const;
    void SaveTreeBtnClick();
    // True when the active tree has a picture to save or copy; message 6 otherwise
    // when report is set.
    bool HasPicture(bool report);
    // TreeToTextBtnClick: the bracket text for the in/out field; false when none.
    bool TreeToText(std::string& text);
    void TextToTree(const std::string& text);
    // Fills the preview model with the active picture and its size labels.
    void PreviewBtnClick();
    // Loads a tree copied from elsewhere (the parse-tree sheet) into the active tree.
    bool TransferTree(const TNode* root);

    // Options.
    void ApplyTreeSettings();
    void SplitScreenCBClick(bool on);
    void ActiveTreeRGClick(int item);
    void OptimalTreeCBClick(bool on);
    void PlaneTreeCBClick(bool on);
    void PlaneTreeRGClick(int item);
    // "Tidy layout": without a new layout the columns are converted, so that the
    // picture keeps its size.
    void TidyLayoutCBClick(bool on);
    // Sets or clears an option bit (bold lines, frames, triangles, arrows).
    void SetOptionBit(uint8_t bit, bool on);
    void HoriDistUDClick(int32_t value);
    void VertDistUDClick(int32_t value);
    void NodeDefBtnClick(const std::vector<std::string>& installedFonts);
    void InputFormatBtnClick();
    // Gives both trees the conversion options of IOFormat.
    void ApplyIOFormat();

    // Show (full layout) or Draw (after an edit) of tree index, then repaint.
    bool ShowTree(int index);
    bool DrawTree(int index);

private:
    // Records the active tree before a change.
    void Remember();
    void ShowTreebankTree();
    TNode* ParentOfHighlight(int& childIndex);

    MessageSink& Messages;
    Canvas& Screen;
    TTreeSheetHost& Host;
    std::array<TTreeHistory, 2> Histories;
};

// "###.##" of a value: at most two decimals, no trailing zeros or point.
std::string FormatSize(double value);
// Labels of a picture of width x height units of 0.01 mm: cm and inch texts.
void PictureSizeLabels(int32_t width, int32_t height, std::string& cmX, std::string& inchX,
                       std::string& cmY, std::string& inchY);

} // namespace gramarbor
