// Dialog models of the trees sheet.
#include "treesheet/tree_dialogs.h"

#include <algorithm>
#include <cmath>

#include "base/file_io.h"
#include "text/cp1252.h"
#include "text/text_utils.h"

namespace gramarbor {

TConvOpts ConvOptsFromFormat(const TBracketFormat& format) {
    static const char* const pairs = "[](){}<>";
    TConvOpts opts;
    opts.Separator = format.Separation ? ',' : ' ';
    const int type = format.BracketType & 3;
    opts.Brackets = std::string(pairs + 2 * type, 2);
    opts.ParentOutside = format.ParentPosition == 1;
    opts.Labelled = format.ParentPosition == 2;
    opts.Vertical = format.Orientation != 0;
    return opts;
}

TBracketFormat ShortcutFormat(int item) {
    switch (item) {
    case 1:
        return {1, 0, 0, 0};
    case 2:
        return {1, 1, 0, 1};
    case 3:
        return {0, 2, 0, 1};
    default:
        return {0, 0, 0, 0};
    }
}

bool TTreeListDlg::LoadList(const std::string& fileName, MessageSink& sink) {
    std::string bytes;
    if (ReadFileBytes(fileName, bytes, std::size_t(16) << 20) != FileError::None) {
        sink.Error("Couldn`t read file " + fileName + ".");
        return false;
    }
    Lines = SplitTextLines(bytes);
    return true;
}

bool TTreeListDlg::SaveList(const std::string& fileName, MessageSink& sink) const {
    if (AtomicSave(fileName, JoinLinesCrLf(Lines)) != FileError::None) {
        sink.Error("Couldn`t write file " + fileName + ".");
        return false;
    }
    return true;
}

namespace {

// The font heights the dialogs offer; what they show is what OK stores.
uint16_t DialogFontSize(uint16_t size) {
    return std::clamp(size, MinNodeFontSize, MaxNodeFontSize);
}

} // namespace

void TDefNodeDlg::Fill(const TNode& node) {
    NodeText = node.Name;
    Attr = node.Attr;
    Attr.FontSize = DialogFontSize(Attr.FontSize);
    AnnoLines = node.Cont;
    for (int k = 0; k < 4; ++k) {
        TChildRow& row = Rows[k];
        row.Index = k + 1;
        row.Used = static_cast<int>(node.Children.size()) > k;
        row.Name = row.Used ? node.Children[k]->Name : std::string();
    }
    HelpShown = false;
    EditorShown = false;
    EditorLines.clear();
    Result = 0;
}

bool TDefNodeDlg::RowEnabled(int row) const {
    return row >= 0 && row < 4 && Rows[row].Name != "$";
}

bool TDefNodeDlg::RowEditable(int row) const {
    return RowEnabled(row) && Rows[row].Used;
}

void TDefNodeDlg::NodeTextBtnClick() {
    if (HelpShown) return;
    if (!EditorShown) {
        EditorLines.clear();
        SplitString(NodeText, "|", &EditorLines);
        EditorShown = true;
    } else {
        std::string text;
        for (std::size_t i = 0; i < EditorLines.size(); ++i) {
            if (i > 0) text += '|';
            text += EditorLines[i];
        }
        NodeText = text;
        EditorShown = false;
        EditorLines.clear();
    }
}

void TDefNodeDlg::FillArrow(const TTree& tree, const TNode& node) {
    NodeNumber = tree.NodeNumber(&node);
    NodeCount = tree.NodeCount();
    ArrowTo = tree.NodeNumber(tree.ArrowTarget(node));
}

void TDefNodeDlg::OkClick(MessageSink& sink) {
    if (NodeText.empty()) {
        Result = -1;
        sink.Error(MsgEmptyNodeName);
    } else if (ArrowTo != 0 && (ArrowTo < 1 || ArrowTo > NodeCount || ArrowTo == NodeNumber)) {
        Result = -1;
        sink.Error("The arrow must go to another node of the tree: a number from 1 to " +
                   std::to_string(NodeCount) + " other than this node's " +
                   std::to_string(NodeNumber) + ", or 0 for no arrow.");
    } else {
        Result = 1;
    }
}

void TDefNodeDlg::Hide() {
    HelpShown = false;
    if (EditorShown) {
        EditorShown = false;
        EditorLines.clear();
    }
}

void TNodeDefDlg::Show(std::vector<std::string> installedFonts) {
    Attr.FontSize = DialogFontSize(Attr.FontSize);
    std::sort(installedFonts.begin(), installedFonts.end());
    installedFonts.erase(std::unique(installedFonts.begin(), installedFonts.end()),
                         installedFonts.end());
    Fonts = std::move(installedFonts);
}

TRect TTreePrevDlg::Target(int32_t boxWidth, int32_t boxHeight) const {
    if (Pict.Width <= 0 || Pict.Height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {0, 0, -1, -1};
    const auto round = [](float v) { return static_cast<int32_t>(std::lround(v)); };
    if (Pict.Width < Pict.Height) {
        const float scale = static_cast<float>(boxHeight) / static_cast<float>(Pict.Height);
        return {0, 0, round(Pict.Width * scale), boxHeight};
    }
    float scale = static_cast<float>(boxWidth) / static_cast<float>(Pict.Width);
    int32_t w = boxWidth;
    int32_t h = round(Pict.Height * scale);
    if (h > boxHeight) {
        scale = static_cast<float>(boxHeight) / static_cast<float>(Pict.Height);
        w = round(Pict.Width * scale);
        h = round(Pict.Height * scale);
    }
    return {0, 0, w, h};
}

} // namespace gramarbor
