// The tree object's model: parameters, error latch, nodes, copies, search and pushes.
#include "tree/tree.h"

#include <new>
#include <string>
#include <unordered_map>
#include <utility>

#include "text/text_utils.h"
#include "tree/node_geometry.h"
#include "tree/placeholder_chain.h"

namespace gramarbor {

namespace {

const char* const ErrorTexts[32] = {
    "No error.",
    "Not enough memory for the tree-object to proceed.",
    "Error in \"FreeCont\": wrong memory-operation.",
    "Error in \"Insert\": couldn`t find node with the specified name: ",
    "Too many childs in node ",
    "A start-node is already defined.",
    "You cannot insert an unassigned node.",
    "Couldn`t find node with the specified position [",
    "Tree is not initialized. Use \"Init(..)\" first.",
    "Can`t continue: encountered an uninitialized node in ",
    "Can`t translate an empty string into a tree.",
    "Opening or closing bracket expected in ",
    "Separator or closing bracket expected in ",
    "Unallowed end of input: ",
    "Too many children in node ",
    "Opening bracket expected in ",
    "An empty node name is not allowed.",
    "Quotation mark expected: the node name must be included in \"..\".",
    "Unassigned metafile in \"MakeWMF\".",
    "Error in \"Delete\": couldn`t find node with the specified name: ",
    "Can`t insert a node without a name. (Inserting in ",
    "Couldn`t copy \"Cont\"(ent) in node ",
    "Can`t translate an empty tree into a string.",
    "Can`t determine the terminal-status of an unassigned node: result undefined.",
    "Common error in \"Show\"/\"Draw\".",
    "Can`t extract node from tree (too many children).",
    "Couldn`t create file. Maybe your disk is write-protected.",
    "Couldn`t open file ",
    "Can`t push (sub)tree to a negative x-position ",
    "Can`t push (sub)tree to a position beyond 32767 ",
    "Tag expected after \"%\": I(talic), B(old), (U)nderline, (S)trikeOut,^, _ or'font name'",
    "\"'\" expected in ",
};

} // namespace

TNode::~TNode() {
    if (Children.empty()) return;
    std::vector<TNodePtr> pending = std::move(Children);
    while (!pending.empty()) {
        TNodePtr node = std::move(pending.back());
        pending.pop_back();
        if (!node) continue;
        for (TNodePtr& child : node->Children)
            pending.push_back(std::move(child));
        node->Children.clear();
    }
}

TNodeAttr DefaultNodeAttr() {
    TNodeAttr attr;
    attr.FontSize = 16;
    attr.LineDist = 4;
    attr.Flags = naLeft;
    return attr;
}

int AlignIndex(const TNodeAttr& attr) {
    int index = -1;
    if (attr.Flags & naLeft) index = 0;
    if (attr.Flags & naRight) index = 1;
    if (attr.Flags & naCenter) index = 2;
    return index;
}

void SetAlignIndex(TNodeAttr& attr, int index) {
    attr.Flags &= ~(naLeft | naRight | naCenter);
    if (index == 0) attr.Flags |= naLeft;
    if (index == 1) attr.Flags |= naRight;
    if (index == 2) attr.Flags |= naCenter;
}

int FrameIndex(const TNodeAttr& attr) {
    int index = 0;
    if (attr.Flags & naAngular) index = 1;
    if (attr.Flags & naRound) index = 2;
    if (attr.Flags & naBrackets) index = 3;
    return index;
}

void SetFrameIndex(TNodeAttr& attr, int index) {
    attr.Flags &= ~(naAngular | naRound | naBrackets);
    if (index == 1) attr.Flags |= naAngular;
    if (index == 2) attr.Flags |= naRound;
    if (index == 3) attr.Flags |= naBrackets;
}

const char* TreeErrorText(int code) {
    if (code < 0 || code > 31) return "";
    return ErrorTexts[code];
}

TTree::TTree(bool withAnnotations, MessageSink& sink)
    : WithAnnotations(withAnnotations), Messages(sink) {
    SetParams(-1, -1, "", 0, TNodeAttr{});
    SetConvOpts("[]", ' ', false, false);
}

void TTree::ReportError(TTreeError code, const std::string& context) {
    if (ErrorCode != teNone) return;
    ErrorCode = code;
    if (ShowErrors) Messages.Error(TreeErrorText(code) + context);
}

void TTree::ReportText(TTreeError code, const std::string& text) {
    if (ErrorCode != teNone) return;
    ErrorCode = code;
    if (ShowErrors) Messages.Error(text);
}

std::string TreeTooDeepText(const std::string& subject) {
    return subject + " is too deep: no node can lie more than " + std::to_string(MaxGridPosition) +
           " levels below the root.";
}

std::string TreeOutputTooLargeText(std::size_t limit) {
    return "The tree is too large to be written: its text or file would exceed " +
           std::to_string(limit) + " bytes.";
}

void TTree::ReportFileError(const std::string& text) {
    if (ShowErrors) Messages.Error(text);
}

void TTree::SetParams(int32_t hDist, int32_t vDist, const std::string& fontName, uint8_t options,
                      const TNodeAttr& defaults) {
    const uint8_t plane = toPlane | toPlaneOK;
    if ((Options & plane) == plane && (options & plane) != plane && Root)
        RemovePlaneChains(Root.get());
    HalfHDist = hDist >= 0 ? hDist / 2 : 32;
    VDist = vDist >= 0 ? vDist : 64;
    FontName = fontName.empty() ? "Arial" : fontName;
    Options = options;
    if (defaults.FontSize == 0 && defaults.LineDist == 0 && defaults.FontStyle == 0 &&
        defaults.Flags == 0)
        NodeDefaults = DefaultNodeAttr();
    else
        NodeDefaults = defaults;
}

void TTree::GetParams(int32_t& hDist, int32_t& vDist, std::string& fontName, uint8_t& options,
                      TNodeAttr& defaults) const {
    // A distance from a file may be beyond twice the int32 range's half: it saturates,
    // and stays too large to be drawn.
    hDist = ClampToInt32(2 * int64_t(HalfHDist));
    vDist = VDist;
    fontName = FontName;
    options = Options;
    defaults = NodeDefaults;
}

void TTree::SetConvOpts(const std::string& brackets, char separator, bool parentOutside,
                        bool vertical, bool labelled) {
    ConvOpts.Labelled = labelled;
    ConvOpts.Brackets = brackets;
    ConvOpts.Separator = separator;
    ConvOpts.ParentOutside = parentOutside;
    ConvOpts.Vertical = vertical;
}

void TTree::SetNodeDefaults(const std::string& fontName, const TNodeAttr& defaults) {
    if (!fontName.empty()) FontName = fontName;
    NodeDefaults = defaults;
}

bool TTree::NewNode(TNodePtr& node) {
    try {
        node = std::make_unique<TNode>();
        return true;
    } catch (const std::bad_alloc&) {
        node.reset();
        ReportError(teNoMemory, "");
        return false;
    }
}

void TTree::TakeSerial(TNode& node) {
    // A chain takes one number for each of its placeholders.
    node.ID = NextID;
    node.SerialIDs = node.Levels > 1;
    NextID = SerialAfter(NextID, node.Levels);
}

TNodePtr TTree::CreateNode(const std::string& name, const std::optional<std::string>& annotations,
                           const std::optional<TNodeAttr>& attr) {
    TNodePtr node;
    if (!NewNode(node)) return nullptr;
    try {
        node->Name = name;
        if (name == "$") return node;
        if (WithAnnotations) SplitString(annotations.value_or(""), "|", &node->Cont);
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return nullptr;
    }
    node->Attr = attr.value_or(NodeDefaults);
    TakeSerial(*node);
    return node;
}

TNodePtr TTree::NewChainNode() {
    TNodePtr node;
    if (!NewNode(node)) return nullptr;
    node->Name.assign(1, '$');
    return node;
}

bool TTree::Init(TNodePtr node) {
    if (!node) {
        ReportError(teUninitializedNode, "\"Init\".");
        return false;
    }
    if (Root) {
        ReportError(teStartDefined, "");
        return false;
    }
    Root = std::move(node);
    return true;
}

bool TTree::Clear() {
    Root.reset();
    ErrorCode = teNone;
    GridExtent = {-1, -1, -1, -1};
    Metafile.Clear();
    return true;
}

bool TTree::CopyTree(const TNode* source, TNodePtr& copy, bool keepIds) {
    copy.reset();
    if (!source) return false;
    try {
        // Each entry: a source node and the copy that receives its children's copies.
        struct Item {
            const TNode* From;
            TNode* Into;
        };
        TNodePtr result;
        std::unordered_map<uint64_t, TNode*> copies; // source key -> copy
        DroppedArrows = 0;
        std::vector<Item> pending{{source, nullptr}};
        while (!pending.empty()) {
            const Item item = pending.back();
            pending.pop_back();
            TNodePtr node;
            if (!NewNode(node)) return false;
            node->Name = item.From->Name;
            node->Attr = item.From->Attr;
            node->Rect = item.From->Rect;
            node->X = item.From->X;
            node->Y = item.From->Y;
            node->Levels = item.From->Levels;
            node->MoveTarget = item.From->MoveTarget;
            copies.emplace(item.From->Key, node.get());
            if (keepIds) {
                node->ID = item.From->ID;
                node->SerialIDs = item.From->SerialIDs;
                node->Key = item.From->Key;
            } else {
                TakeSerial(*node);
            }
            if (WithAnnotations) node->Cont = item.From->Cont;
            TNode* raw = node.get();
            if (item.Into)
                item.Into->Children.push_back(std::move(node));
            else
                result = std::move(node);
            // Children are pushed in reverse so that they are copied (and numbered) in order.
            for (auto it = item.From->Children.rbegin(); it != item.From->Children.rend(); ++it) {
                if (!*it) {
                    ReportError(teUninitializedNode, "\"CopyTree\".");
                    return false;
                }
                pending.push_back({it->get(), raw});
            }
        }
        // Arrows follow the copied nodes; an arrow to a node outside the copy is dropped.
        for (const auto& [key, node] : copies) {
            if (node->MoveTarget == 0) continue;
            const auto target = copies.find(node->MoveTarget);
            if (target == copies.end() || target->second == node) {
                node->MoveTarget = 0;
                ++DroppedArrows;
            } else {
                node->MoveTarget = target->second->Key;
            }
        }
        copy = std::move(result);
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        return false;
    }
}

TNode* TTree::SearchByXY(int32_t x, int32_t y, TNode* start) {
    if (!start) {
        ReportError(teUninitializedNode, "\"SearchByXY\".");
        return nullptr;
    }
    std::vector<TNode*> pending{start};
    while (!pending.empty()) {
        TNode* node = pending.back();
        pending.pop_back();
        if (!node) continue;
        const TRect& r = node->Rect;
        if (r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom) return node;
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.push_back(it->get());
    }
    return nullptr;
}

TNode* TTree::NodeAtXY(int32_t x, int32_t y, TRect& box) {
    box = {-1, -1, -1, -1};
    if (!Root) return nullptr;
    TNode* found = SearchByXY(x, y, Root.get());
    if (found) box = found->Rect;
    return found;
}

TNode* TTree::SearchParent(TNode* start, const TNode* node) {
    if (!start) {
        ReportError(teUninitializedNode, "\"SearchParent\".");
        return nullptr;
    }
    std::vector<TNode*> pending{start};
    while (!pending.empty()) {
        TNode* parent = pending.back();
        pending.pop_back();
        for (const TNodePtr& child : parent->Children)
            if (child.get() == node) return parent;
        for (auto it = parent->Children.rbegin(); it != parent->Children.rend(); ++it)
            if (*it) pending.push_back(it->get());
    }
    return nullptr;
}

TNode* TTree::ParentOf(const TNode* node) {
    if (!Root) return nullptr;
    return SearchParent(Root.get(), node);
}

namespace {

// Moves every node of the subtree by step columns in pre-order, stopping at the
// first node that would leave the grid; that node's name is returned in failed.
bool PushSubtree(TNode* node, int step, std::string& failed) {
    std::vector<TNode*> pending{node};
    while (!pending.empty()) {
        TNode* current = pending.back();
        pending.pop_back();
        if (step < 0 ? current->X <= 0 : current->X >= MaxGridPosition) {
            failed = current->Name;
            return false;
        }
        current->X = static_cast<int16_t>(current->X + step);
        for (auto it = current->Children.rbegin(); it != current->Children.rend(); ++it)
            if (*it) pending.push_back(it->get());
    }
    return true;
}

} // namespace

bool TTree::PushLeft(TNode* node) {
    if (!node) {
        ReportError(teUninitializedNode, "\"PushLeft\".");
        return false;
    }
    std::string failed;
    if (PushSubtree(node, -1, failed)) return true;
    ReportError(tePushNegative, "(node \"" + failed + "\").");
    return false;
}

bool TTree::PushRight(TNode* node) {
    if (!node) {
        ReportError(teUninitializedNode, "\"PushRight\".");
        return false;
    }
    std::string failed;
    if (PushSubtree(node, 1, failed)) return true;
    ReportError(tePushBeyond, "(node \"" + failed + "\").");
    return false;
}

} // namespace gramarbor
