// The trees sheet's commands on its two trees.
#include "treesheet/tree_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "base/file_io.h"
#include "text/cp1252.h"
#include "text/text_utils.h"
#include "tree/treebank.h"

namespace gramarbor {

std::string TreeSheetText(int code) {
    switch (code) {
    case 2:
        return "Wrong file type: extension \"*.TRE\" expected.";
    case 3:
        return "Manyfold occupation of child-position (index) ";
    case 4:
        return "An empty tree will not be saved.";
    case 5:
        return "You are not allowed to delete the root node.";
    case 6:
        return "There is no tree or metafile to save by now.";
    case 7:
        return "An empty tree can not be translated.";
    case 8:
        return "There is no text in \"Input text\" to translate into a tree.";
    case 9:
        return "Internal error: can`t finish operation. (No reason to panic!)";
    case 10:
        return "Couldn`t copy current node. (Maybe low memory.)";
    case 11:
        return "The maximum number of children is ";
    case 12:
        return "The definition of a hot-key is not correct: use "
               "\"(digit)description@[definition]\".";
    case 13:
        return "Digit between 0 and 9 expected in \"(_)\".";
    default:
        return "";
    }
}

namespace {

const std::vector<std::string> DefaultTreeList = {"Start node@[Start]", "Full binary tree@FullBin",
                                                  "Left binary tree@LeftBin",
                                                  "Right binary tree@RghtBin", "Clear tree@[]"};

// Position (1-based) of the first c in s, 0 when absent.
int PosOf(char c, const std::string& s) {
    const auto p = s.find(c);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

void BuildBinary(int layers, TBinaryShape shape, int& counter, std::string& out) {
    out += "[Node%_" + IntToStr(counter++);
    if (layers > 1) {
        out += ' ';
        if (shape == TBinaryShape::Right)
            BuildBinary(1, shape, counter, out);
        else
            BuildBinary(layers - 1, shape, counter, out);
        out += ' ';
        if (shape == TBinaryShape::Left)
            BuildBinary(1, shape, counter, out);
        else
            BuildBinary(layers - 1, shape, counter, out);
    }
    out += ']';
}

// Whether node (compared by address only) is a node of tree.
bool InTree(const TTree& tree, const TNode* node) {
    std::vector<const TNode*> pending;
    if (tree.GetRoot()) pending.push_back(tree.GetRoot());
    while (!pending.empty()) {
        const TNode* current = pending.back();
        pending.pop_back();
        if (current == node) return true;
        for (const TNodePtr& child : current->Children)
            if (child) pending.push_back(child.get());
    }
    return false;
}

} // namespace

TTreeSheet::TTreeSheet(MessageSink& sink, Canvas& screen, TTreeSheetHost& host)
    : Tree1(true, sink), Tree2(true, sink), TreeList(DefaultTreeList), Messages(sink),
      Screen(screen), Host(host) {
    for (TTree* tree : {&Tree1, &Tree2})
        tree->SetParams(HDist, VDist, FontName, TreeOptions, NodeDefaults);
    RebuildTreeNames();
}

void TTreeSheet::TreeSheetError(int code, const std::string& appended) {
    Messages.Error(TreeSheetText(code) + appended);
}

// ---- Tree list and hot keys ----

int TTreeSheet::ParseTreeListLine(const std::string& line) {
    const int at = PosOf('@', line);
    if (at >= 1 && !line.empty() && line[0] == '(') {
        const int close = PosOf(')', line);
        if (close == 0) {
            TreeSheetError(12);
            return -1;
        }
        const std::string digits = TrimText(line.substr(1, close > 1 ? close - 2 : 0));
        int32_t d = -1;
        if (!StrToInt32(digits, d) || d < 0 || d > 9) {
            TreeSheetError(13);
            return -1;
        }
        HotKeys[d] = line.substr(at);
    }
    return at;
}

void TTreeSheet::RebuildTreeNames() {
    TreeNames.clear();
    HotKeys.fill("");
    for (const std::string& entry : TreeList) {
        const std::string s = TrimText(entry);
        const int at = ParseTreeListLine(s);
        TreeNames.push_back(at > 0 ? s.substr(0, at - 1) : std::string());
    }
    NewTreeName = TreeNames.empty() ? std::string() : TreeNames.front();
}

void TTreeSheet::EditTreeListBtnClick() {
    TTreeListDlg dlg;
    dlg.Lines = TreeList;
    int errorLine = 0;
    for (bool again = true; again;) {
        again = false;
        if (!Host.ShowTreeListDlg(dlg, errorLine)) break;
        TreeList.clear();
        TreeNames.clear();
        HotKeys.fill("");
        if (dlg.Lines.empty()) {
            TreeNames.push_back("Minimal tree");
            TreeList.push_back("Minimal tree@[Start]");
            break;
        }
        for (std::size_t i = 0; i < dlg.Lines.size(); ++i) {
            const std::string s = TrimText(dlg.Lines[i]);
            const int at = ParseTreeListLine(s);
            if (at < 1) {
                if (at == 0)
                    Messages.Error("Couldn`t find separator \"@\" in line " + IntToStr(i + 1) +
                                   ".");
                errorLine = static_cast<int>(i);
                again = true;
                break;
            }
            const std::string name = TrimText(s.substr(0, at - 1));
            TreeNames.push_back(name);
            TreeList.push_back(name + "@" + TrimText(s.substr(at)));
        }
    }
    NewTreeName = TreeNames.empty() ? std::string() : TreeNames.front();
    Host.SyncTreeControls();
}

std::string TTreeSheet::BuildBinaryTree(int layers, TBinaryShape shape) {
    int counter = 1;
    std::string out;
    BuildBinary(layers < 1 ? 1 : layers, shape, counter, out);
    return out;
}

void TTreeSheet::ApplyIOFormat() {
    const TConvOpts opts = ConvOptsFromFormat(IOFormat);
    for (TTree* tree : {&Tree1, &Tree2})
        tree->SetConvOpts(opts.Brackets, opts.Separator, opts.ParentOutside, opts.Vertical,
                          opts.Labelled);
}

void TTreeSheet::NewTreeBtnClick() {
    const std::string wanted = TrimText(NewTreeName);
    std::string definition;
    bool found = false;
    for (const std::string& entry : TreeList) {
        const int at = PosOf('@', entry);
        if (at > 0 && TrimText(entry.substr(0, at - 1)) == wanted) {
            definition = TrimText(entry.substr(at));
            found = true;
            break;
        }
    }
    // An entry with an empty definition builds nothing.
    if (!found || definition.empty()) return;
    if (definition == "FullBin") definition = BuildBinaryTree(BinaryLayers, TBinaryShape::Full);
    if (definition == "LeftBin") definition = BuildBinaryTree(BinaryLayers, TBinaryShape::Left);
    if (definition == "RghtBin") definition = BuildBinaryTree(BinaryLayers, TBinaryShape::Right);
    ClearHighlight();
    if (definition.size() >= 2 && definition.front() == '"' && definition.back() == '"') {
        LoadTreeFile(definition.substr(1, definition.size() - 2));
        return;
    }
    TTree& tree = ActiveTree();
    Remember();
    if (definition == "[]") {
        tree.Clear();
        Host.RepaintTree(ActiveTreeIndex);
        return;
    }
    tree.SetConvOpts("[]", ' ', false, false);
    const bool ok = tree.StrToTree(definition);
    ApplyIOFormat();
    if (ok)
        ShowTree(ActiveTreeIndex);
    else
        tree.ResetError();
}

bool TTreeSheet::HotKey(int digit) {
    if (digit < 0 || digit > 9 || HotKeys[digit].empty()) return false;
    TTree& tree = ActiveTree();
    std::string text = HotKeys[digit];
    TNodePtr node;
    if (tree.ParseNode(text, node) && node) {
        PasteNode(node.get());
        tree.FreeTree(std::move(node));
    } else {
        tree.ResetError();
    }
    return true;
}

// ---- Highlight ----

void TTreeSheet::ClearHighlight() {
    const bool had = HighlightRect.Left != -1 || HighlightedNode;
    HighlightedNode = nullptr;
    HighlightRect = {-1, -1, -1, -1};
    if (had) Host.RepaintTree(ActiveTreeIndex);
}

void TTreeSheet::RefreshHighlight() {
    if (!HighlightedNode) return;
    HighlightRect = HighlightedNode->Rect;
    Host.RepaintTree(ActiveTreeIndex);
}

void TTreeSheet::SetActiveTree(int index) {
    const int active = index == 0 ? 0 : 1;
    if (active == ActiveTreeIndex) return;
    ActiveTreeIndex = active;
    Host.HistoryChanged();
}

void TTreeSheet::MouseMove(int index, int32_t x, int32_t y) {
    TRect box;
    TNode* node = TreeAt(index).NodeAtXY(x, y, box);
    if (!node) return;
    if (node == HighlightedNode && index == ActiveTreeIndex) return;
    const int old = ActiveTreeIndex;
    HighlightedNode = node;
    HighlightRect = box;
    SetActiveTree(index);
    if (old != index) {
        Host.RepaintTree(old);
        Host.SyncTreeControls();
    }
    Host.RepaintTree(index);
}

void TTreeSheet::MouseDown(int index, bool rightButton, int32_t x, int32_t y) {
    MouseMove(index, x, y);
    if (!HighlightedNode) return;
    if (rightButton)
        InsertParentNode();
    else
        DefineNode();
}

// ---- Drawing ----

bool TTreeSheet::ShowTree(int index) {
    TTree& tree = TreeAt(index);
    if (!tree.GetRoot()) {
        tree.Metafile.Clear();
        Host.RepaintTree(index);
        return true;
    }
    // Arrows to nodes that an edit removed go with them.
    tree.DropDanglingArrows();
    if (!tree.Show(Screen, 4, 4)) {
        tree.ResetError();
        return false;
    }
    Host.RepaintTree(index);
    return true;
}

bool TTreeSheet::DrawTree(int index) {
    TTree& tree = TreeAt(index);
    if (!tree.GetRoot()) {
        tree.Metafile.Clear();
        Host.RepaintTree(index);
        return true;
    }
    tree.DropDanglingArrows();
    if (!tree.Draw(Screen, 4, 4, tree.GetRoot(), OptimalTree)) {
        tree.ResetError();
        return false;
    }
    Host.RepaintTree(index);
    return true;
}

// ---- Editing ----

void TTreeSheet::Remember() {
    Histories[ActiveTreeIndex].Remember(ActiveTree());
    Host.HistoryChanged();
}

TNode* TTreeSheet::ParentOfHighlight(int& childIndex) {
    childIndex = -1;
    TNode* parent = ActiveTree().ParentOf(HighlightedNode);
    if (!parent) return nullptr;
    for (std::size_t i = 0; i < parent->Children.size(); ++i)
        if (parent->Children[i].get() == HighlightedNode) childIndex = static_cast<int>(i);
    return childIndex < 0 ? nullptr : parent;
}

void TTreeSheet::DefineNode() {
    TNode* node = HighlightedNode;
    if (!node) return;
    TTree& tree = ActiveTree();
    TDefNodeDlg dlg;
    dlg.Fill(*node);
    dlg.FillArrow(tree, *node);
    for (;;) {
        dlg.Result = 0;
        const bool ok = Host.ShowDefNodeDlg(dlg);
        dlg.Hide();
        if (dlg.Result < 0) continue;
        if (!ok || dlg.Result != 1) return;
        break;
    }
    Remember();
    node->Name = dlg.NodeText;
    node->Attr = dlg.Attr;
    const TNode* target = tree.NodeByNumber(dlg.ArrowTo);
    node->MoveTarget = target && target != node ? target->Key : 0;
    if (tree.WithAnnotations) node->Cont = dlg.AnnoLines;
    if (DrawTree(ActiveTreeIndex)) RefreshHighlight();

    // Two used rows with one index: refused before any child changes.
    const std::size_t oldCount = node->Children.size();
    std::array<int, 4> taken{};
    for (int k = 0; k < 4; ++k) {
        const TChildRow& row = dlg.Rows[k];
        if (!row.Used || (static_cast<std::size_t>(k) >= oldCount && !dlg.RowEnabled(k))) continue;
        const int slot = std::clamp(row.Index, 1, 4) - 1;
        if (taken[slot]) {
            TreeSheetError(3, IntToStr(k + 1) + ".");
            return;
        }
        taken[slot] = k + 1;
    }
    try {
        std::array<TNodePtr, 4> slots;
        std::vector<TNodePtr> rest;
        std::vector<TNodePtr> old = std::move(node->Children);
        node->Children.clear();
        for (std::size_t k = 0; k < old.size(); ++k) {
            if (k >= 4) {
                rest.push_back(std::move(old[k]));
                continue;
            }
            const TChildRow& row = dlg.Rows[k];
            if (!row.Used) continue; // the subtree is freed with old
            if (old[k]->Name != "$") old[k]->Name = row.Name;
            slots[std::clamp(row.Index, 1, 4) - 1] = std::move(old[k]);
        }
        for (std::size_t k = old.size(); k < 4; ++k) {
            const TChildRow& row = dlg.Rows[k];
            if (!row.Used) continue;
            TNodePtr child = tree.CreateNode(row.Name, std::string(), NodeDefaults);
            if (!child) {
                tree.ResetError();
                break;
            }
            child->Y = static_cast<int16_t>(node->Y + 1);
            child->X = static_cast<int16_t>(
                node->X + (static_cast<int>(k) + 1 - static_cast<int>(old.size()) - 1));
            slots[std::clamp(row.Index, 1, 4) - 1] = std::move(child);
        }
        for (TNodePtr& child : slots)
            if (child) node->Children.push_back(std::move(child));
        for (TNodePtr& child : rest)
            node->Children.push_back(std::move(child));
    } catch (const std::bad_alloc&) {
        TreeSheetError(9);
    }
    if (DrawTree(ActiveTreeIndex)) RefreshHighlight();
}

void TTreeSheet::InsertParentNode() {
    if (!HighlightedNode) return;
    TTree& tree = ActiveTree();
    TNodePtr parentNode = tree.CreateNode("?", std::string(), NodeDefaults);
    if (!parentNode) {
        tree.ResetError();
        return;
    }
    Remember();
    int index = -1;
    TNode* parent = ParentOfHighlight(index);
    TNode* fresh = parentNode.get();
    if (parent) {
        parentNode->Children.push_back(std::move(parent->Children[index]));
        parent->Children[index] = std::move(parentNode);
    } else if (tree.Root.get() == HighlightedNode) {
        parentNode->Children.push_back(std::move(tree.Root));
        tree.Root = std::move(parentNode);
    } else {
        TreeSheetError(9);
        return;
    }
    HighlightedNode = fresh;
    if (DrawTree(ActiveTreeIndex)) RefreshHighlight();
}

void TTreeSheet::PasteNode(const TNode* source) {
    if (!source) return;
    TTree& tree = ActiveTree();
    if (PasteMode == TPasteMode::Append) {
        if (!HighlightedNode && tree.GetRoot()) return;
    } else if (!HighlightedNode) {
        return;
    }
    TNodePtr copy;
    if (!tree.CopyTree(source, copy, false) || !copy) {
        TreeSheetError(10);
        tree.ResetError();
        return;
    }
    if (PasteMode == TPasteMode::Append) {
        if (HighlightedNode) {
            if (HighlightedNode->Children.size() >= 4) {
                TreeSheetError(11, "4.");
                return;
            }
            Remember();
            HighlightedNode->Children.push_back(std::move(copy));
        } else {
            Remember();
            tree.Init(std::move(copy));
        }
    } else {
        Remember();
        int index = -1;
        TNode* parent = ParentOfHighlight(index);
        TNode* fresh = copy.get();
        if (parent)
            parent->Children[index] = std::move(copy);
        else
            tree.Root = std::move(copy);
        HighlightedNode = fresh;
    }
    ShowTree(ActiveTreeIndex);
    RefreshHighlight();
}

void TTreeSheet::CopyTreeBtnClick() {
    if (!HighlightedNode) return;
    TTree& tree = ActiveTree();
    InternalCopy.reset();
    if (!tree.CopyTree(HighlightedNode, InternalCopy, false)) {
        TreeSheetError(10);
        tree.ResetError();
    } else if (tree.DroppedArrows > 0) {
        Messages.Warning(
            tree.DroppedArrows == 1
                ? std::string("1 movement arrow goes to a node outside the copied subtree; "
                              "the copy leaves it out.")
                : std::to_string(tree.DroppedArrows) +
                      " movement arrows go to nodes outside the copied subtree; the copy "
                      "leaves them out.");
    }
}

void TTreeSheet::DelTreeBtnClick() {
    if (!HighlightedNode) return;
    TTree& tree = ActiveTree();
    if (HighlightedNode == tree.GetRoot()) {
        TreeSheetError(5);
        return;
    }
    int index = -1;
    TNode* parent = ParentOfHighlight(index);
    if (!parent) {
        TreeSheetError(9);
        return;
    }
    Remember();
    TNodePtr removed = std::move(parent->Children[index]);
    parent->Children.erase(parent->Children.begin() + index);
    tree.FreeTree(std::move(removed));
    HighlightedNode = nullptr;
    DrawTree(ActiveTreeIndex);
    ClearHighlight();
    Host.RepaintTree(ActiveTreeIndex);
}

void TTreeSheet::CutTreeBtnClick() {
    if (!HighlightedNode) return;
    if (HighlightedNode == ActiveTree().GetRoot()) {
        TreeSheetError(5);
        return;
    }
    CopyTreeBtnClick();
    if (InternalCopy) DelTreeBtnClick();
}

void TTreeSheet::PasteTreeBtnClick() {
    PasteNode(InternalCopy.get());
}

void TTreeSheet::PushLeftBtnClick() {
    if (!HighlightedNode) return;
    Remember();
    if (!ActiveTree().PushLeft(HighlightedNode)) {
        ActiveTree().ResetError();
        return;
    }
    if (DrawTree(ActiveTreeIndex)) RefreshHighlight();
}

void TTreeSheet::PushRghtBtnClick() {
    if (!HighlightedNode) return;
    Remember();
    if (!ActiveTree().PushRight(HighlightedNode)) {
        ActiveTree().ResetError();
        return;
    }
    if (DrawTree(ActiveTreeIndex)) RefreshHighlight();
}

void TTreeSheet::Undo() {
    TTree& tree = ActiveTree();
    if (!Histories[ActiveTreeIndex].CanUndo()) return;
    ClearHighlight();
    Histories[ActiveTreeIndex].Undo(tree);
    if (tree.GetRoot() && !tree.Draw(Screen, 4, 4, tree.GetRoot(), false)) tree.ResetError();
    if (!tree.GetRoot()) tree.Metafile.Clear();
    Host.RepaintTree(ActiveTreeIndex);
    Host.HistoryChanged();
}

void TTreeSheet::Redo() {
    TTree& tree = ActiveTree();
    if (!Histories[ActiveTreeIndex].CanRedo()) return;
    ClearHighlight();
    Histories[ActiveTreeIndex].Redo(tree);
    if (tree.GetRoot() && !tree.Draw(Screen, 4, 4, tree.GetRoot(), false)) tree.ResetError();
    if (!tree.GetRoot()) tree.Metafile.Clear();
    Host.RepaintTree(ActiveTreeIndex);
    Host.HistoryChanged();
}

// ---- Files, pictures, text ----

bool TTreeSheet::LoadTreeFile(const std::string& fileName) {
    TTree& tree = ActiveTree();
    Remember();
    if (!tree.LoadTree(fileName)) {
        tree.ResetError();
        return false;
    }
    if (!DrawTree(ActiveTreeIndex)) return false;
    tree.GetParams(HDist, VDist, FontName, TreeOptions, NodeDefaults);
    PlaneTree = (TreeOptions & toPlane) != 0;
    Host.SyncTreeControls();
    return true;
}

void TTreeSheet::LoadTreeBtnClick() {
    const std::string name = Host.OpenFileName(
        "Load current tree",
        "Tree files|*.TRE|Treebank files|*.MRG|Text files of trees|*.TXT|All files|*.*", "TRE");
    if (name.empty()) return;
    const std::string ext = UpperCaseGerman(FileExtension(name));
    if (ext == ".MRG" || ext == ".TXT") {
        LoadTreebank(name);
        return;
    }
    if (ext != ".TRE") {
        TreeSheetError(2);
        return;
    }
    ClearHighlight();
    LoadTreeFile(name);
}

bool TTreeSheet::LoadTreebank(const std::string& fileName) {
    std::string bytes, text;
    const FileError read = ReadFileBytes(fileName, bytes, MaxTreebankBytes);
    if (read == FileError::TooLarge) {
        Messages.Error(TreebankTooLargeText(fileName));
        return false;
    }
    int badLine = 0;
    if (read != FileError::None || !DecodeTextFile(bytes, text, &badLine)) {
        Messages.Error("Couldn`t read file " + fileName +
                       (badLine > 0 ? " (line " + std::to_string(badLine) + ")." : "."));
        return false;
    }
    TTree& tree = ActiveTree();
    const std::string brackets = TreebankBrackets(text);
    SetTreebankFormat(tree, brackets);
    std::vector<std::string> trees;
    const bool ok = SplitTreebank(tree, text, trees);
    ApplyIOFormat();
    if (!ok) {
        tree.ResetError();
        return false;
    }
    Treebank = std::move(trees);
    TreebankBracketPair = brackets;
    TreebankIndex = 0;
    ShowTreebankTree();
    return true;
}

void TTreeSheet::StepTreebank(int delta) {
    if (Treebank.empty()) return;
    const int64_t next = int64_t(TreebankIndex) + delta;
    if (next < 0 || next >= int64_t(Treebank.size())) return;
    TreebankIndex = static_cast<std::size_t>(next);
    ShowTreebankTree();
}

std::string TTreeSheet::TreebankPosition() const {
    if (Treebank.empty()) return "";
    return "Tree " + std::to_string(TreebankIndex + 1) + " of " + std::to_string(Treebank.size());
}

void TTreeSheet::ShowTreebankTree() {
    TTree& tree = ActiveTree();
    ClearHighlight();
    Remember();
    SetTreebankFormat(tree, TreebankBracketPair);
    const bool ok = tree.StrToTree(Treebank[TreebankIndex]);
    ApplyIOFormat();
    if (!ok) {
        tree.ResetError();
        return;
    }
    ShowTree(ActiveTreeIndex);
}

void TTreeSheet::SaveTreeBtnClick() {
    TTree& tree = ActiveTree();
    if (!tree.GetRoot()) {
        TreeSheetError(4);
        return;
    }
    const std::string name =
        Host.SaveFileName("Save current tree", "Tree files|*.TRE|All files|*.*", "TRE");
    if (name.empty()) return;
    if (!tree.SaveTree(name, tree.GetRoot(), 1)) tree.ResetError();
}

bool TTreeSheet::HasPicture(bool report) {
    const Picture& pict = ActiveTree().Metafile;
    const bool has = pict.Width > 0 && pict.Height > 0 && ActiveTree().GetRoot();
    if (!has && report) TreeSheetError(6);
    return has;
}

bool TTreeSheet::TreeToText(std::string& text) {
    TTree& tree = ActiveTree();
    if (!tree.GetRoot()) {
        TreeSheetError(7);
        return false;
    }
    if (!tree.TreeToStr(text)) {
        tree.ResetError();
        return false;
    }
    if (MaxTextLength >= 0 && text.size() > static_cast<std::size_t>(MaxTextLength))
        text.resize(MaxTextLength);
    return true;
}

void TTreeSheet::TextToTree(const std::string& text) {
    if (text.empty()) {
        TreeSheetError(8);
        return;
    }
    TTree& tree = ActiveTree();
    ClearHighlight();
    Remember();
    if (!tree.StrToTree(text)) {
        tree.ResetError();
        return;
    }
    ShowTree(ActiveTreeIndex);
}

void TTreeSheet::PreviewBtnClick() {
    TTreePrevDlg dlg;
    const Picture& pict = ActiveTree().Metafile;
    dlg.Pict = pict;
    // The picture is measured in screen pixels at 96 per inch; the labels want
    // units of 0.01 mm.
    const auto units = [](int32_t px) {
        return static_cast<int32_t>(std::lround(static_cast<double>(px) * 2540.0 / 96.0));
    };
    PictureSizeLabels(units(pict.Width), units(pict.Height), dlg.CMX, dlg.InchX, dlg.CMY,
                      dlg.InchY);
    Host.ShowTreePrevDlg(dlg);
}

bool TTreeSheet::TransferTree(const TNode* root) {
    TTree& tree = ActiveTree();
    TNodePtr copy;
    if (!root || !tree.CopyTree(root, copy, true) || !copy) {
        tree.ResetError();
        return false;
    }
    ClearHighlight();
    Remember();
    tree.Clear();
    tree.Init(std::move(copy));
    return ShowTree(ActiveTreeIndex);
}

// ---- Options ----

void TTreeSheet::ApplyTreeSettings() {
    for (TTree* tree : {&Tree1, &Tree2})
        tree->SetParams(HDist, VDist, FontName, TreeOptions, NodeDefaults);
    // Leaving the plane layout frees the chain nodes; a highlighted one is gone.
    if (HighlightedNode && !InTree(ActiveTree(), HighlightedNode)) {
        HighlightedNode = nullptr;
        HighlightRect = {-1, -1, -1, -1};
    }
    DrawTree(0);
    if (SplitScreen) DrawTree(1);
}

void TTreeSheet::SplitScreenCBClick(bool on) {
    SplitScreen = on;
    if (on) {
        if (ActiveTreeIndex == 0) ClearHighlight();
        SetActiveTree(1);
    } else {
        if (ActiveTreeIndex == 1) ClearHighlight();
        SetActiveTree(0);
    }
    Host.SyncTreeControls();
    Host.RepaintTree(0);
    Host.RepaintTree(1);
}

void TTreeSheet::ActiveTreeRGClick(int item) {
    ClearHighlight();
    SetActiveTree(item == 0 ? 0 : 1);
}

void TTreeSheet::OptimalTreeCBClick(bool on) {
    OptimalTree = on;
    if (on) {
        ShowTree(0);
        ShowTree(1);
        RefreshHighlight();
    }
    Host.SyncTreeControls();
}

void TTreeSheet::PlaneTreeCBClick(bool on) {
    PlaneTree = on;
    TreeOptions = on ? (TreeOptions | toPlane) : (TreeOptions & ~toPlane);
    ApplyTreeSettings();
    RefreshHighlight();
    Host.SyncTreeControls();
}

void TTreeSheet::PlaneTreeRGClick(int item) {
    TreeOptions = item == 0 ? (TreeOptions | toPlaneOK) : (TreeOptions & ~toPlaneOK);
    ApplyTreeSettings();
}

void TTreeSheet::TidyLayoutCBClick(bool on) {
    if (on == ((TreeOptions & toTidy) != 0)) return;
    if (!OptimalTree) {
        // A tidy column is half a plain one.
        for (TTree* tree : {&Tree1, &Tree2}) {
            if (!tree->GetRoot()) continue;
            std::vector<TNode*> pending{tree->GetRoot()};
            while (!pending.empty()) {
                TNode* node = pending.back();
                pending.pop_back();
                node->X = static_cast<int16_t>(on ? std::min(2 * node->X, int(MaxGridPosition))
                                                  : node->X / 2);
                for (const TNodePtr& child : node->Children)
                    pending.push_back(child.get());
            }
        }
    }
    SetOptionBit(toTidy, on);
    RefreshHighlight();
}

void TTreeSheet::SetOptionBit(uint8_t bit, bool on) {
    TreeOptions = on ? (TreeOptions | bit) : (TreeOptions & ~bit);
    ApplyTreeSettings();
}

void TTreeSheet::HoriDistUDClick(int32_t value) {
    HDist = std::clamp(value, 16, 996);
    ApplyTreeSettings();
    RefreshHighlight();
}

void TTreeSheet::VertDistUDClick(int32_t value) {
    VDist = std::clamp(value, 16, 996);
    ApplyTreeSettings();
    RefreshHighlight();
}

void TTreeSheet::NodeDefBtnClick(const std::vector<std::string>& installedFonts) {
    TNodeDefDlg dlg;
    dlg.FontName = FontName;
    dlg.Attr = NodeDefaults;
    dlg.Show(installedFonts);
    if (!Host.ShowNodeDefDlg(dlg)) return;
    FontName = dlg.FontName;
    NodeDefaults = dlg.Attr;
    Tree1.SetNodeDefaults(FontName, NodeDefaults);
    Tree2.SetNodeDefaults(FontName, NodeDefaults);
}

void TTreeSheet::InputFormatBtnClick() {
    TIOFormDlg dlg;
    dlg.Format = IOFormat;
    dlg.Show();
    if (!Host.ShowIOFormDlg(dlg)) return;
    IOFormat = dlg.Format;
    ApplyIOFormat();
}

// ---- Size labels ----

std::string FormatSize(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

void PictureSizeLabels(int32_t width, int32_t height, std::string& cmX, std::string& inchX,
                       std::string& cmY, std::string& inchY) {
    cmX = FormatSize(width * 0.001) + " cm";
    inchX = FormatSize(width * 0.001 / 2.54) + " Inch";
    cmY = FormatSize(height * 0.001) + " cm";
    inchY = FormatSize(height * 0.001 / 2.54) + " Inch";
}

} // namespace gramarbor
