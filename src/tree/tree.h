// The tree object: a rooted, ordered tree of labelled nodes with its layout,
// drawing, bracket text and tree-file forms, and a latched error report.
//
// Every walk over the nodes is iterative, and the grid positions are int16, so a
// tree deeper or wider than MaxGridPosition is refused with an error instead of
// overflowing the stack or wrapping a position. A chain of plane-tree placeholders
// is one node however many levels it spans, so plane trees stay linear in size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_sink.h"
#include "picture/canvas.h"
#include "picture/picture.h"

namespace gramarbor {

class ByteReader;
class ByteWriter;

// Node attribute flags.
inline constexpr uint16_t naLeft = 0x0001;
inline constexpr uint16_t naRight = 0x0002;
inline constexpr uint16_t naCenter = 0x0004;
inline constexpr uint16_t naAngular = 0x0008;
inline constexpr uint16_t naRound = 0x0010;
inline constexpr uint16_t naBrackets = 0x0020;
inline constexpr uint16_t naAnnoBrackets = 0x0040;
inline constexpr uint16_t naTriangle = 0x0080;
inline constexpr uint16_t naArrow = 0x0100;
inline constexpr uint16_t naAllFlags = naLeft | naRight | naCenter | naAngular | naRound |
                                       naBrackets | naAnnoBrackets | naTriangle | naArrow;

// Tree display options.
inline constexpr uint8_t toFrames = 0x01;
inline constexpr uint8_t toPlane = 0x02;
inline constexpr uint8_t toPlaneOK = 0x04;
inline constexpr uint8_t toBoldLines = 0x08;
inline constexpr uint8_t toTriangles = 0x10;
inline constexpr uint8_t toArrows = 0x20;
// Tidy layout: boxes keep the distance, parents stand over their first and last child.
inline constexpr uint8_t toTidy = 0x40;
inline constexpr uint8_t toAllOptions =
    toFrames | toPlane | toPlaneOK | toBoldLines | toTriangles | toArrows | toTidy;

// Largest grid column and level a node can have.
inline constexpr int32_t MaxGridPosition = 32767;

// Font heights the node dialogs offer; tree files with larger ones are read with
// MaxNodeFontSize, so that no drawing meets a font its canvas cannot measure.
inline constexpr uint16_t MinNodeFontSize = 6;
inline constexpr uint16_t MaxNodeFontSize = 96;

// The tree's error codes, latched in TTree::ErrorCode; each but teLimit and
// teArrowMarker has a text (TreeErrorText) that the message starts with.
enum TTreeError : int32_t {
    teNone = 0,
    teNoMemory = 1,
    teFreeCont = 2,
    teInsertNotFound = 3,
    teTooManyChilds = 4,
    teStartDefined = 5,
    teUnassignedInsert = 6,
    teNoNodeAtPosition = 7,
    teNotInitialized = 8,
    teUninitializedNode = 9,
    teEmptyString = 10,
    teBracketExpected = 11,
    teSeparatorExpected = 12,
    teUnexpectedEnd = 13,
    teTooManyChildren = 14,
    teOpeningBracketExpected = 15,
    teEmptyName = 16,
    teQuoteExpected = 17,
    teUnassignedMetafile = 18,
    teDeleteNotFound = 19,
    teNamelessInsert = 20,
    teCopyCont = 21,
    teEmptyTree = 22,
    teUnassignedTerminal = 23,
    teDraw = 24,
    teExtract = 25,
    teCreateFile = 26,
    teOpenFile = 27,
    tePushNegative = 28,
    tePushBeyond = 29,
    teTagExpected = 30,
    teApostropheExpected = 31,
    // The size limits (depth, written size): no entry in the table of error texts,
    // the message is given in full.
    teLimit = 32,
    // Contradictory arrow markers in bracket text; the message is given in full.
    teArrowMarker = 33,
};
inline constexpr TTreeError TreeLimitError = teLimit;
inline constexpr TTreeError ArrowMarkerError = teArrowMarker;

// Bracket text and tree files are refused beyond this size (the default of a
// tree's MaxOutputBytes); only the placeholders of long plane-tree chains, written
// one per level, come near it.
inline constexpr std::size_t MaxTreeOutputBytes = std::size_t(1) << 30;

// The messages of the size limits; subject names the tree.
std::string TreeTooDeepText(const std::string& subject = "The tree");
std::string TreeOutputTooLargeText(std::size_t limit);

// Appearance of one node; 8 bytes in tree files.
struct TNodeAttr {
    uint16_t FontSize = 0;
    uint16_t LineDist = 0;
    uint8_t FontStyle = 0;
    uint16_t Flags = 0;
    bool operator==(const TNodeAttr&) const = default;
};

// FontSize 16, LineDist 4, no style, left aligned.
TNodeAttr DefaultNodeAttr();

// Radio indices of the alignment and frame groups.
int AlignIndex(const TNodeAttr& attr);
void SetAlignIndex(TNodeAttr& attr, int index);
int FrameIndex(const TNodeAttr& attr);
void SetFrameIndex(TNodeAttr& attr, int index);

// Options of the bracket text.
struct TConvOpts {
    char Separator = ' ';
    std::string Brackets = "[]";
    bool ParentOutside = false;
    bool Vertical = false;
    // Labelled brackets: the parent's label inside its brackets, and bare words as
    // leaves ("(NP (DT the) (NN dog))"); ParentOutside does not apply.
    bool Labelled = false;
    bool operator==(const TConvOpts&) const = default;
};

struct TNode;
struct TArrowRoute;
using TNodePtr = std::unique_ptr<TNode>;

// A fresh identity for a node, never handed out twice in one run of the program.
uint64_t NewNodeKey();

struct TNode {
    TNode() = default;
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;
    // Frees the subtree without recursion, so that deep trees cannot exhaust the stack.
    ~TNode();

    std::string Name;
    // Annotation lines (used only by trees with annotations).
    std::vector<std::string> Cont;
    std::vector<TNodePtr> Children;
    TNodeAttr Attr;
    TRect Rect{-1, -1, -1, -1};
    int16_t X = 0;
    int16_t Y = 0;
    int32_t ID = 0;
    // A chain of placeholders "$" (a plane tree's vertical line) is one node standing
    // for Levels placeholders, each the only child of the one above, in column X at
    // levels Y .. Y + Levels - 1; Children hang below the last one. They all share
    // name, attributes, annotations and box; their serial numbers are all ID, or
    // ID, ID + 1, ... as NextID counts when SerialIDs is set. Every other node has
    // Levels 1. Text and files show the placeholders one by one, and the picture is
    // the same as theirs.
    int32_t Levels = 1;
    bool SerialIDs = false;
    // The node's identity, by which other nodes refer to it.
    uint64_t Key = NewNodeKey();
    // Key of the node a movement arrow from this node goes to (its landing site),
    // 0 for none. An arrow whose target is no longer in the tree is not drawn.
    uint64_t MoveTarget = 0;
    // Colour of the node's text when drawn: a mark for display only, never written
    // to bracket text or tree files and not copied.
    TColor TextColor = clBlack;
};

// A movement arrow between two nodes of one tree.
struct TMoveArrow {
    const TNode* From;
    const TNode* To;
};

// The text of a tree error code (0..31).
const char* TreeErrorText(int code);

class TTree {
public:
    // Errors are shown through sink while ShowErrors is set.
    TTree(bool withAnnotations, MessageSink& sink);
    TTree(const TTree&) = delete;
    TTree& operator=(const TTree&) = delete;

    TNodePtr Root;
    int32_t HalfHDist = 32;
    int32_t VDist = 64;
    TTreeError ErrorCode = teNone;
    bool ShowErrors = true;
    Picture Metafile;
    bool WithAnnotations = true;
    uint8_t Options = 0;
    TNodeAttr NodeDefaults = DefaultNodeAttr();
    TConvOpts ConvOpts;
    TRect GridExtent{-1, -1, -1, -1};
    int32_t NextID = 1;
    std::string FontName = "Arial";
    // Largest bracket text or tree file written.
    std::size_t MaxOutputBytes = MaxTreeOutputBytes;

    // Drawing units of one grid column: half the distance, or a quarter of it in
    // the tidy layout, which places boxes of any width more finely.
    int32_t ColumnWidth() const {
        return (Options & toTidy) && HalfHDist > 1 ? HalfHDist / 2 : HalfHDist;
    }

    // Parameters.
    void SetParams(int32_t hDist, int32_t vDist, const std::string& fontName, uint8_t options,
                   const TNodeAttr& defaults);
    void GetParams(int32_t& hDist, int32_t& vDist, std::string& fontName, uint8_t& options,
                   TNodeAttr& defaults) const;
    void SetConvOpts(const std::string& brackets, char separator, bool parentOutside, bool vertical,
                     bool labelled = false);
    void SetNodeDefaults(const std::string& fontName, const TNodeAttr& defaults);
    // Records code (and shows its text followed by context) unless an error is
    // already recorded.
    void ReportError(TTreeError code, const std::string& context);
    // Records TreeLimitError (unless an error is recorded) and shows text.
    void ReportLimit(const std::string& text) { ReportText(TreeLimitError, text); }
    // Records code (unless an error is recorded) and shows text.
    void ReportText(TTreeError code, const std::string& text);
    void ResetError() { ErrorCode = teNone; }
    MessageSink& Sink() { return Messages; }

    TNode* GetRoot() const { return Root.get(); }
    void SetRoot(TNodePtr node) { Root = std::move(node); }
    Picture& GetMetafile() { return Metafile; }

    // Nodes. A node handed out belongs to the caller until it is attached.
    bool NewNode(TNodePtr& node);
    TNodePtr CreateNode(const std::string& name,
                        const std::optional<std::string>& annotations = std::nullopt,
                        const std::optional<TNodeAttr>& attr = std::nullopt);
    TNodePtr NewChainNode();
    bool Init(TNodePtr node);
    bool Clear();
    // Frees one node; children still attached to it are freed with it.
    void FreeNode(TNodePtr node) { node.reset(); }
    void FreeTree(TNodePtr node) { node.reset(); }
    // Movement arrows in the copy follow the copied nodes; those whose target is
    // outside the copied subtree are dropped and counted in DroppedArrows.
    bool CopyTree(const TNode* source, TNodePtr& copy, bool keepIds);
    int32_t DroppedArrows = 0;

    // Movement arrows. Nodes are numbered 1, 2, ... in pre-order, chain placeholders
    // left out: the numbers the node dialog shows. 0 = not in the tree.
    int32_t NodeNumber(const TNode* node) const;
    TNode* NodeByNumber(int32_t number) const;
    int32_t NodeCount() const;
    // The node the arrow of node goes to, when it is in the tree.
    const TNode* ArrowTarget(const TNode& node) const;
    // Every arrow with both ends in the subtree of start, in pre-order of their sources.
    std::vector<TMoveArrow> MoveArrows(const TNode* start) const;
    // Clears the arrows whose target has left the tree; returns how many.
    int32_t DropDanglingArrows();

    // Search and moves.
    TNode* SearchByXY(int32_t x, int32_t y, TNode* start);
    TNode* NodeAtXY(int32_t x, int32_t y, TRect& box);
    TNode* SearchParent(TNode* start, const TNode* node);
    TNode* ParentOf(const TNode* node);
    bool PushLeft(TNode* node);
    bool PushRight(TNode* node);

    // Bracket text.
    bool TreeToStr(std::string& text);
    bool StrToTree(const std::string& text);
    // Reads one subtree from the front of text and removes what it consumed.
    bool ParseNode(std::string& text, TNodePtr& node);
    // Labelled brackets: reads one tree starting at pos (blanks before it skipped)
    // and moves pos past it; messages give the line and column within text.
    bool ParseLabelledAt(const std::string& text, std::size_t& pos, TNodePtr& node);

    // Layout.
    bool Positions();
    // The tidy layout (option toTidy); measures the boxes on canvas.
    bool TidyPositions(Canvas& canvas);
    bool PlaneTree(TNode* start, bool withChains);
    bool RemovePlaneChains(TNode* start);
    bool Extension(Canvas& canvas, const TNode* start, TRect& extent, TRect& gridExtent);

    // Markup and drawing.
    int32_t MarkupTextOut(Canvas& canvas, int32_t x, int32_t y, std::string_view line,
                          const TNodeAttr& attr);
    int32_t MarkupWidth(Canvas& canvas, const TNodeAttr& attr, std::string_view line);
    int32_t LinesWidth(Canvas& canvas, const TNodeAttr& attr,
                       const std::vector<std::string>& lines);
    TRect NodeBox(Canvas& canvas, int32_t left, int32_t top, int32_t width,
                  const std::vector<std::string>& lines, const TNodeAttr& attr, bool draw);
    bool Display(Canvas& canvas, int32_t marginX, int32_t marginY, TNode* node, bool doLayout,
                 bool showOnCanvas, Picture& picture);
    bool Show(Canvas& canvas, int32_t marginX, int32_t marginY);
    bool Draw(Canvas& canvas, int32_t marginX, int32_t marginY, TNode* node, bool doLayout);
    // Vertical room the movement arrows need below the lowest box, and their drawing
    // with laneBase the lowest box's bottom.
    int32_t MoveArrowLaneGap() const;
    int64_t MoveArrowDepth(const std::vector<TArrowRoute>& routes) const;
    void DrawMoveArrows(Canvas& canvas, const std::vector<TArrowRoute>& routes, int64_t laneBase);

    // Tree files.
    bool SaveTree(const std::string& fileName, const TNode* node, uint8_t paramsFlag);
    bool LoadTree(const std::string& fileName);
    // The bytes of a tree file, and the reading of them; fileName names the file
    // in messages.
    bool SaveTreeBytes(const TNode* node, uint8_t paramsFlag, std::string& bytes);
    bool LoadTreeBytes(std::string_view bytes, const std::string& fileName);

private:
    bool LabelledTreeToStr(std::string& text);
    bool SaveNode(ByteWriter& out, const TNode* node);
    // Reads the nodes in pre-order, folding the placeholders of a chain into one
    // node; tooDeep tells a tree beyond the grid's levels from a damaged file.
    // records receives the node of every record read, in file order.
    bool LoadNode(ByteReader& in, bool withAnnotations, TNodePtr& node, bool& tooDeep,
                  std::vector<TNode*>& records);
    // Reads the movement arrow block after the root's record; problem says what is
    // wrong with a damaged one.
    bool LoadArrowBlock(ByteReader& in, const std::vector<TNode*>& records, std::string& problem);
    // Sets font heights above MaxNodeFontSize (in the nodes and, when applied, in the
    // defaults) to it; true when there were any.
    bool LimitFontSizes(TNode* root, TNodeAttr* defaults);
    void ReportFileError(const std::string& text);
    void TakeSerial(TNode& node);
    // Moves the last placeholder of a chain node with more than one level into a node
    // of its own, the chain's only child; false on allocation failure.
    bool SplitLastPlaceholder(TNode& chain);
    // Frees the chain placeholders that RemovePlaneChains removes from the slot.
    bool RemoveChainsAt(TNodePtr& slot);
    void DrawNodes(Canvas& canvas, TNode* node, int32_t offsX, int32_t offsY);
    // Turns the arrows of node markers read from bracket text into arrows.
    bool TakeArrowMarkers(TNode* start);

    MessageSink& Messages;
};

} // namespace gramarbor
