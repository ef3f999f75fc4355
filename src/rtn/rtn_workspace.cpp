// The network sheet's state and the logic of its commands and mouse actions.
#include "rtn/rtn_workspace.h"

#include <algorithm>
#include <new>

#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_drawing.h"
#include "rtn/rtn_editing.h"
#include "rtn/rtn_to_cfg.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

constexpr int32_t EmptyAreaSize = 16;
constexpr int32_t EmptyRtnAreaWidth = 4 * LineHeight;
constexpr std::size_t NewRtnNodes = 4;

} // namespace

TPoint PlaceCondDlg(TPoint anchor, int32_t width, int32_t height, int32_t screenWidth,
                    int32_t screenHeight) {
    TPoint place{anchor.X - width / 2, anchor.Y};
    if (place.Y + height > screenHeight) place.Y -= height + LineHeight;
    if (place.X + width > screenWidth) place.X = screenWidth - width;
    place.X = std::max(place.X, 0);
    place.Y = std::max(place.Y, 0);
    return place;
}

TPoint PlaceNetNameDlg(TPoint anchor) {
    return {anchor.X, std::max(anchor.Y, 0)};
}

TRtnWorkspace::TRtnWorkspace(MessageSink& sink, TextMeasurer& measurer)
    : CondDlg(sink), NetNameDlg(sink), Sink(sink), Measurer(measurer) {
    Metrics = MakeRtnMetrics(0, 0);
}

void TRtnWorkspace::NetworkChanged() {
    ++Revision;
    Highlight = {};
}

void TRtnWorkspace::SetHighlight(const TArcHighlight& highlight) {
    if (highlight == Highlight) return;
    Highlight = highlight;
    RedrawRtn();
}

void TRtnWorkspace::DropRtn() {
    NetworkChanged();
    Rtn.reset();
    RtnValid = false;
    RtnPicture.Clear();
}

TMakeRtnResult TRtnWorkspace::MakeRTNClick(bool prepared, const TParser& parser) {
    return MakeRTNClick(prepared, parser.RulesRead, parser.RulesRead ? &parser.ExtRules : nullptr);
}

TMakeRtnResult TRtnWorkspace::MakeRTNClick(bool prepared, bool rulesRead,
                                           const TRuleList* unexpanded) {
    if (!prepared) {
        Sink.Error(MsgDefineValidCfg);
        return TMakeRtnResult::NotMade;
    }
    if (!rulesRead) return TMakeRtnResult::NotMade;
    try {
        if (!unexpanded) {
            Sink.Error(MsgNoCfgYet);
            return TMakeRtnResult::NotMade;
        }
        RtnRules = std::make_unique<TRuleList>(*unexpanded);
        if (HasRtn()) DropRtn();
        auto made = std::make_unique<TRtn>();
        bool tooMany = false;
        if (!CfgToRtn(*RtnRules, *made, Sink, &tooMany)) {
            DropRtn();
            AreaWidth = EmptyAreaSize;
            AreaHeight = EmptyAreaSize;
            return tooMany ? TMakeRtnResult::TooManyAlternatives : TMakeRtnResult::NotMade;
        }
        Rtn = std::move(made);
        NetworkChanged();
    } catch (const std::bad_alloc&) {
        Sink.Error(MsgRtnMemory);
        DropRtn();
        return TMakeRtnResult::NotMade;
    }
    ResetRtnView();
    RedrawRtn();
    return TMakeRtnResult::Made;
}

bool TRtnWorkspace::MakeCFGClick(std::vector<std::string>& lines) {
    if (!HasRtn()) {
        Sink.Error(MsgDefineRtnFirst);
        return false;
    }
    return MakeCfgLines(*Rtn, lines, Sink);
}

TRtnFileOptions TRtnWorkspace::FileOptions() const {
    return TRtnFileOptions{LinesAllowed, Metrics.NodeSize, Metrics.NodeDist};
}

bool TRtnWorkspace::SaveRTNButtonClick(const std::string& path) {
    if (!HasRtn()) {
        Sink.Error(MsgNoRtnToSave);
        return false;
    }
    return SaveRtnFile(path, *Rtn, FileOptions(), Sink);
}

bool TRtnWorkspace::LoadRTNButtonClick(const std::string& path) {
    try {
        auto loaded = std::make_unique<TRtn>();
        TRtnFileOptions options = FileOptions();
        if (!LoadRtnFile(path, *loaded, options, Sink)) return false;
        Rtn = std::move(loaded);
        NetworkChanged();
        LinesAllowed = options.LinesAllowed;
        Metrics.NodeSize = options.NodeSize;
        Metrics.NodeDist = options.NodeDist;
    } catch (const std::bad_alloc&) {
        Sink.Error(MsgRtnLoadLowMemory);
        return false;
    }
    ResetRtnView();
    ApplyNodeSize(Metrics);
    ComputeRtnMetrics(Metrics);
    RedrawRtn();
    return true;
}

void TRtnWorkspace::NewRTNButtonClick() {
    try {
        auto made = std::make_unique<TRtn>();
        made->reserve(8);
        TRTNLine net;
        if (!NewRtnLine("Net0", NewRtnNodes, net, Sink)) return;
        made->push_back(std::move(net));
        if (HasRtn()) ClearRtn(*Rtn);
        Rtn = std::move(made);
        NetworkChanged();
    } catch (const std::bad_alloc&) {
        Sink.Error(MsgRtnMemory);
        return;
    }
    ResetRtnView();
    RedrawRtn();
}

void TRtnWorkspace::ClearRTNBtnClick() {
    if (!HasRtn()) return;
    DropRtn();
    Tracking = false;
    AreaWidth = 0;
    AreaHeight = 0;
}

void TRtnWorkspace::ResetRtnView() {
    RtnValid = true;
    FocusNode = -1;
    FocusLine = -1;
    AreaWidth = EmptyAreaSize;
    AreaHeight = EmptyAreaSize;
    Tracking = true;
    // The first net inserted into a network without nets is Net0.
    NewNetCounter = RtnEmpty() ? -1 : 0;
}

void TRtnWorkspace::RedrawRtn() {
    if (!HasRtn()) return;
    if (!DrawRtn(RtnPicture, Measurer, *Rtn, Metrics, LinesAllowed, Highlight)) {
        RtnPicture.Clear();
        return;
    }
    AreaWidth = RtnPicture.Width;
    AreaHeight = RtnPicture.Height;
    if (Rtn->empty()) {
        // Room for a click and for the hint.
        AreaWidth = std::max(AreaWidth, EmptyRtnAreaWidth);
        AreaHeight = LineHeight;
    }
}

bool TRtnWorkspace::NodeSizeChange(int32_t nodeSize) {
    if (!HasRtn()) return false;
    Metrics.NodeSize = std::clamp(nodeSize, MinRtnOption, MaxRtnOption);
    ApplyNodeSize(Metrics);
    ComputeRtnMetrics(Metrics);
    RedrawRtn();
    return true;
}

bool TRtnWorkspace::NodeDistChange(int32_t nodeDist) {
    if (!HasRtn()) return false;
    Metrics.NodeDist = std::clamp(nodeDist, MinRtnOption, MaxRtnOption);
    ComputeRtnMetrics(Metrics);
    RedrawRtn();
    return true;
}

void TRtnWorkspace::ArcCheckBoxClick(bool arcsOnly) {
    LinesAllowed = !arcsOnly;
    RedrawRtn();
}

void TRtnWorkspace::SetDisplayOptions(int32_t nodeSize, int32_t nodeDist, bool linesAllowed,
                                      bool splitWmf) {
    Metrics = MakeRtnMetrics(std::clamp(nodeSize, MinRtnOption, MaxRtnOption),
                             std::clamp(nodeDist, MinRtnOption, MaxRtnOption));
    LinesAllowed = linesAllowed;
    SplitWmf = splitWmf;
}

bool TRtnWorkspace::TrackFocus(int32_t x, int32_t y) {
    if (!Tracking || !HasRtn()) return false;
    int32_t node = FocusNode;
    int32_t line = FocusLine;
    if (Rtn->empty()) {
        // The one band of an empty network is all net-name area.
        if (y < 0 || y >= LineHeight) return false;
        node = -1;
        line = 0;
    } else if (!HitTestFocus(*Rtn, Metrics, x, y, node, line)) {
        return false;
    }
    const bool moved = node != FocusNode || line != FocusLine;
    FocusNode = node;
    FocusLine = line;
    return moved;
}

bool TRtnWorkspace::CurrentFocusFrame(TFocusFrame& frame) const {
    if (!Tracking || !HasRtn() || FocusLine < 0) return false;
    frame = FocusFrameGeometry(Metrics, FocusNode < 0 ? -1 : FocusNode, FocusLine);
    return true;
}

bool TRtnWorkspace::FocusedNetExists() const {
    return HasRtn() && FocusLine >= 0 && static_cast<std::size_t>(FocusLine) < Rtn->size();
}

void TRtnWorkspace::PaintBox1MouseDown(TMouseButton button, unsigned shift, int32_t x, int32_t y) {
    if (!Tracking || !HasRtn()) return;
    const bool onName = FocusNode < 0;
    if (button == TMouseButton::mbRight && shift == ssRight) {
        if (onName)
            InsertNet(y);
        else if (FocusedNetExists())
            InsertNode(FocusLine, x);
    } else if (button == TMouseButton::mbLeft && shift == ssLeft) {
        if (!FocusedNetExists()) return;
        if (onName)
            RenameNet(FocusLine);
        else
            EditConditions(FocusLine, FocusNode);
    } else if (button == TMouseButton::mbRight && shift == (ssRight | ssCtrl)) {
        if (!FocusedNetExists()) return;
        if (onName)
            DeleteNet(FocusLine);
        else
            DeleteNode(FocusLine, FocusNode);
    }
}

void TRtnWorkspace::InsertNet(int32_t y) {
    if (!HasRtn()) return;
    ++NewNetCounter;
    const std::string name = "Net" + IntToStr(NewNetCounter);
    const int32_t position = std::max(0, (y + LineHeight / 2) / LineHeight);
    try {
        TRTNLine net;
        if (!NewRtnLine(name, NewRtnNodes, net, Sink)) return;
        if (Rtn->size() <= static_cast<std::size_t>(position))
            Rtn->push_back(std::move(net));
        else
            Rtn->insert(Rtn->begin() + position, std::move(net));
    } catch (const std::bad_alloc&) {
        Sink.Error(MsgRtnMemory);
        return;
    }
    NetworkChanged();
    RedrawRtn();
}

void TRtnWorkspace::InsertNode(int32_t line, int32_t x) {
    if (!HasRtn() || line < 0 || static_cast<std::size_t>(line) >= Rtn->size()) return;
    const int32_t p = (x - LeftMargin) / Metrics.Step;
    TRTNLine& net = (*Rtn)[static_cast<std::size_t>(line)];
    if (p >= 0 && static_cast<std::size_t>(p) < net.Nodes.size() &&
        InsertRtnNode(net, static_cast<std::size_t>(p), Sink))
        NetworkChanged();
    RedrawRtn();
}

void TRtnWorkspace::DeleteNet(int32_t line) {
    if (!HasRtn() || line < 0 || static_cast<std::size_t>(line) >= Rtn->size()) return;
    Rtn->erase(Rtn->begin() + line);
    if (Rtn->empty()) NewNetCounter = -1;
    NetworkChanged();
    RedrawRtn();
}

void TRtnWorkspace::DeleteNode(int32_t line, int32_t k) {
    if (!HasRtn() || line < 0 || static_cast<std::size_t>(line) >= Rtn->size() || k < 0) return;
    if (DeleteRtnNode((*Rtn)[static_cast<std::size_t>(line)], static_cast<std::size_t>(k)))
        NetworkChanged();
    RedrawRtn();
}

void TRtnWorkspace::RenameNet(int32_t line) {
    if (!HasRtn() || !DialogHost || line < 0 || static_cast<std::size_t>(line) >= Rtn->size())
        return;
    TRTNLine& net = (*Rtn)[static_cast<std::size_t>(line)];
    NetNameDlg.NetNameEdit = net.Name;
    const TPoint anchor{0, line * LineHeight + 2};
    do {
        NetNameDlg.FormShow();
        DialogHost->ShowNetNameDlg(NetNameDlg, anchor);
    } while (NetNameDlg.DlgResult == DlgAgain);
    if (NetNameDlg.DlgResult != DlgAccepted) return;
    net.Name = UpperCaseGerman(NetNameDlg.NetNameEdit);
    NetworkChanged();
    RedrawRtn();
}

void TRtnWorkspace::EditConditions(int32_t line, int32_t k) {
    if (!HasRtn() || !DialogHost || line < 0 || static_cast<std::size_t>(line) >= Rtn->size() ||
        k < 0)
        return;
    TRTNLine& net = (*Rtn)[static_cast<std::size_t>(line)];
    if (static_cast<std::size_t>(k) >= net.Nodes.size()) return;
    TRtnNodeConds& node = net.Nodes[static_cast<std::size_t>(k)];
    bool secondBackward = false;
    for (int i = 1; i <= CondRows; ++i) {
        if (node.size() >= static_cast<std::size_t>(i)) {
            const TRTNNode& cond = node[static_cast<std::size_t>(i - 1)];
            CondDlg.RowKind[i] = cond.Kind;
            CondDlg.Conds[i] = cond.Kind == ckText ? "\"" + cond.Text + "\"" : cond.Text;
            CondDlg.Srcs[i] = NodeName(net.Name, cond.Src);
            CondDlg.Dsts[i] = NodeName(net.Name, cond.Dst);
            if (i == 2) secondBackward = cond.Src > cond.Dst;
        } else {
            CondDlg.RowKind[i] = 0;
            CondDlg.Conds[i].clear();
            CondDlg.Srcs[i] = NodeName(net.Name, k);
            CondDlg.Dsts[i] = NodeName(net.Name, static_cast<long long>(k) + 1);
        }
    }
    CondDlg.SetupCondDlg(net.Name, static_cast<int>(net.Nodes.size()), secondBackward, k);
    const TFocusFrame frame = FocusFrameGeometry(Metrics, k, line);
    const TPoint anchor{(frame.Box.Left + frame.Box.Right) / 2, frame.Box.Bottom};
    do {
        CondDlg.FormShow();
        DialogHost->ShowCondDlg(CondDlg, anchor);
    } while (CondDlg.DlgResult == DlgAgain);
    if (CondDlg.DlgResult != DlgAccepted) return;
    if (!ReplaceNodeConditions(node, CondDlg, Sink)) return;
    NetworkChanged();
    RedrawRtn();
}

bool TRtnWorkspace::MakeSplitPictures(int parts) {
    if (!HasRtn()) return false;
    try {
        if (gramarbor::MakeSplitPictures(SplitPictures, Measurer, *Rtn, Metrics, LinesAllowed,
                                         parts, Highlight))
            return true;
    } catch (const std::bad_alloc&) {
        Sink.Error(MsgRtnMemory);
    }
    SplitPictures.clear();
    return false;
}

bool TRtnWorkspace::SaveMetaButtonClick(const std::string& path, const PictureFileWriter& writer,
                                        std::vector<std::string>* written) {
    if (!HasRtn()) {
        Sink.Error(MsgNoRtnToSave);
        return false;
    }
    if (!SplitWmf) {
        if (!writer(RtnPicture, path)) return false;
        if (written) written->push_back(path);
        return true;
    }
    if (!MakeSplitPictures(3)) return false;
    const std::vector<std::string> names = SplitFileNames(path, SplitPictures.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!writer(SplitPictures[i], names[i])) return false;
        if (written) written->push_back(names[i]);
    }
    return true;
}

} // namespace gramarbor
