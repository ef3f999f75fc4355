// Models of the trees sheet's dialogs: the tree list, the definition of one node,
// the node defaults, the in/out text format and the preview. The Qt dialogs only
// display these and forward their controls' events.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "picture/canvas.h"
#include "picture/picture.h"
#include "tree/tree.h"

namespace gramarbor {

inline const std::string MsgEmptyNodeName = "An empty node name is not allowed.";

// Bracket format of the in/out text: four bytes.
struct TBracketFormat {
    uint8_t Separation = 0;     // 1 = comma, 0 = blank
    uint8_t ParentPosition = 0; // 1 = parent outside the brackets, 2 = labelled brackets
    uint8_t Orientation = 0;    // 1 = vertical
    uint8_t BracketType = 0;    // 0 "[]", 1 "()", 2 "{}", 3 "<>"
    bool operator==(const TBracketFormat&) const = default;
};

TConvOpts ConvOptsFromFormat(const TBracketFormat& format);
// The shortcut records: "Standard", "[X,[Y],[Z]]", "v(w(x),y(z))" and "Labelled
// brackets" (blank, labelled, horizontal, "()").
TBracketFormat ShortcutFormat(int item);

// Tree-list dialog: the memo lines, with New/Load/Save.
class TTreeListDlg {
public:
    std::vector<std::string> Lines;
    void NewListBtnClick() { Lines.clear(); }
    // Replaces the lines by the file's lines; false when it cannot be read.
    bool LoadList(const std::string& fileName, MessageSink& sink);
    // Writes the lines, each ended by CR LF.
    bool SaveList(const std::string& fileName, MessageSink& sink) const;
};

struct TChildRow {
    bool Used = false;
    int Index = 1; // 1 to 4
    std::string Name;
    bool operator==(const TChildRow&) const = default;
};

// Node-definition dialog.
class TDefNodeDlg {
public:
    std::string NodeText;
    TNodeAttr Attr;
    std::vector<std::string> AnnoLines;
    std::array<TChildRow, 4> Rows;
    // Movement arrow: the node's own number in the tree, the number of nodes, and
    // the number of the node the arrow goes to (0 = no arrow).
    int32_t NodeNumber = 0;
    int32_t NodeCount = 0;
    int32_t ArrowTo = 0;
    bool HelpShown = false;
    bool EditorShown = false;
    // Lines of the multi-line node-text editor while it is shown.
    std::vector<std::string> EditorLines;
    int Result = 0;

    // Fills the dialog from a node (name, attributes, annotations, child rows); the
    // font height is brought into the range the dialog offers.
    void Fill(const TNode& node);
    // A row with the chain placeholder "$" is disabled as a whole.
    bool RowEnabled(int row) const;
    // Index and name of a row can be edited only while it is used.
    bool RowEditable(int row) const;
    // "Edit"/"Take" button; caption "Edit" or "Take".
    void NodeTextBtnClick();
    std::string NodeTextCaption() const { return EditorShown ? "Take" : "Edit"; }
    void HelpBtnClick() { HelpShown = !HelpShown; }
    std::string HelpCaption() const { return HelpShown ? "Close help" : "Help"; }
    // Fills the arrow fields from the node's place in tree.
    void FillArrow(const TTree& tree, const TNode& node);
    // OK: result -1 with the message for an empty node text or an arrow target that
    // is not another node of the tree, 1 otherwise.
    void OkClick(MessageSink& sink);
    void CancelClick() { Result = 0; }
    // Closing: help page and editor are closed, an open editor's lines dropped.
    void Hide();
    void SetAlign(int item) { SetAlignIndex(Attr, item); }
    void SetFrame(int item) { SetFrameIndex(Attr, item); }
    void SetFlag(uint16_t flag, bool on) {
        Attr.Flags = on ? (Attr.Flags | flag) : (Attr.Flags & ~flag);
    }
};

// Node-defaults dialog.
class TNodeDefDlg {
public:
    std::string FontName;
    TNodeAttr Attr;
    std::vector<std::string> Fonts; // sorted on Show
    // Sorts the fonts and brings the font height into the range the dialog offers.
    void Show(std::vector<std::string> installedFonts);
    void SetStyle(uint8_t bit, bool on) {
        Attr.FontStyle = on ? (Attr.FontStyle | bit) : (Attr.FontStyle & ~bit);
    }
    void SetFlag(uint16_t flag, bool on) {
        Attr.Flags = on ? (Attr.Flags | flag) : (Attr.Flags & ~flag);
    }
};

// In/out text format dialog.
class TIOFormDlg {
public:
    TBracketFormat Format;
    int Shortcut = -1; // selected item of ShortcutsRG, -1 none
    bool HelpShown = false;
    void Show() {
        HelpShown = false;
        Shortcut = -1;
    }
    void SeparationRGClick(int item) {
        Format.Separation = item == 1;
        Shortcut = -1;
    }
    void ParentPositionRGClick(int item) {
        Format.ParentPosition = static_cast<uint8_t>(item == 1 || item == 2 ? item : 0);
        Shortcut = -1;
    }
    void OrientationRGClick(int item) {
        Format.Orientation = item == 1;
        Shortcut = -1;
    }
    void BracketTypesRGClick(int item) {
        Format.BracketType = static_cast<uint8_t>(item & 3);
        Shortcut = -1;
    }
    void ShortcutsRGClick(int item) {
        Format = ShortcutFormat(item);
        Shortcut = item;
    }
    void HelpBtnClick() { HelpShown = !HelpShown; }
    std::string HelpCaption() const { return HelpShown ? "Close help" : "Help"; }
};

// Tree preview: the picture stretched into a paint box, keeping its aspect.
class TTreePrevDlg {
public:
    Picture Pict;
    std::string CMX, InchX, CMY, InchY;
    // Target rectangle in a paint box of the given size.
    TRect Target(int32_t boxWidth, int32_t boxHeight) const;
};

} // namespace gramarbor
