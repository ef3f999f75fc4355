// Node insertion, deletion and renumbering; conditions from the condition dialog.
#include "rtn/rtn_editing.h"

#include <new>

namespace gramarbor {

void RenumberNodes(std::vector<TRtnNodeConds>& nodes, std::size_t from, bool up, std::size_t to) {
    const int delta = up ? 1 : -1;
    for (std::size_t k = from; k <= to && k < nodes.size(); ++k) {
        for (TRTNNode& cond : nodes[k]) {
            cond.Src = static_cast<uint16_t>(cond.Src + delta);
            if (cond.Kind != ckPop) cond.Dst = static_cast<uint16_t>(cond.Dst + delta);
        }
    }
    // In the nodes before, the ends of arcs that lie at or after the change follow it:
    // the destinations, and the sources of loops, which are stored in the node they
    // return to.
    const auto follow = [&](uint16_t& node) {
        if (up && node >= from)
            ++node;
        else if (!up && node > from)
            --node;
    };
    for (std::size_t k = 0; k < from && k < nodes.size(); ++k) {
        for (TRTNNode& cond : nodes[k]) {
            if (cond.Kind == ckPop) continue;
            follow(cond.Dst);
            follow(cond.Src);
        }
    }
}

bool InsertRtnNode(TRTNLine& net, std::size_t p, MessageSink& sink) {
    const std::size_t n = net.Nodes.size();
    if (p >= n || n >= MaxRtnNodes) return false;
    try {
        net.Nodes.insert(net.Nodes.begin() + static_cast<std::ptrdiff_t>(p), TRtnNodeConds());
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        return false;
    }
    RenumberNodes(net.Nodes, p + 1, true, n);
    return true;
}

bool DeleteRtnNode(TRTNLine& net, std::size_t k) {
    const std::size_t n = net.Nodes.size();
    if (n < 2 || k >= n - 1) return false;
    net.Nodes.erase(net.Nodes.begin() + static_cast<std::ptrdiff_t>(k));
    RenumberNodes(net.Nodes, k, false, n - 2);
    return true;
}

bool ReplaceNodeConditions(TRtnNodeConds& node, const TCondDlg& dlg, MessageSink& sink) {
    try {
        TRtnNodeConds made;
        for (int i = 1; i <= CondRows; ++i) {
            if (dlg.RowKind[i] == 0) continue;
            made.push_back(TRTNNode{static_cast<uint8_t>(dlg.RowKind[i]),
                                    static_cast<uint16_t>(dlg.RowSrc[i]),
                                    static_cast<uint16_t>(dlg.RowDst[i]), dlg.RowText[i]});
        }
        node = std::move(made);
        return true;
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        return false;
    }
}

} // namespace gramarbor
