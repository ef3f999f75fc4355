// Building blocks of the network and its invariants.
#include "rtn/rtn_model.h"

#include <new>

#include "text/text_utils.h"

namespace gramarbor {

bool AddCondition(TRtnNodeConds& node, uint8_t kind, uint16_t src, const std::string& text,
                  uint16_t dst, MessageSink& sink) {
    try {
        node.push_back(TRTNNode{kind, src, dst, text});
        return true;
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        return false;
    }
}

bool NewRtnLine(const std::string& name, std::size_t n, TRTNLine& line, MessageSink& sink) {
    if (n < 1 || n > MaxRtnNodes) return false;
    try {
        TRTNLine made;
        made.Name = name;
        made.Nodes.resize(n);
        made.Nodes.back().push_back(
            TRTNNode{ckPop, static_cast<uint16_t>(n - 1), PopDst, std::string("pop")});
        line = std::move(made);
        return true;
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        return false;
    }
}

void ClearRtn(TRtn& rtn) {
    rtn.clear();
    rtn.shrink_to_fit();
}

std::string NodeName(const std::string& netName, long long number) {
    return netName + IntToStr(number);
}

bool NetIsWellFormed(const TRTNLine& line, TNetFault* fault) {
    const auto broken = [fault](std::size_t node, std::size_t condition) {
        if (fault) *fault = TNetFault{node, condition};
        return false;
    };
    const std::size_t count = line.Nodes.size();
    if (count < 1 || count > MaxRtnNodes) return broken(0, 0);
    const TRtnNodeConds& last = line.Nodes.back();
    if (last.size() != 1 || last[0].Kind != ckPop || last[0].Src != count - 1 ||
        last[0].Dst != PopDst)
        return broken(count - 1, 0);
    for (std::size_t k = 0; k + 1 < count; ++k) {
        const TRtnNodeConds& node = line.Nodes[k];
        if (node.size() > MaxConditions) return broken(k, 0);
        for (std::size_t c = 0; c < node.size(); ++c) {
            const TRTNNode& cond = node[c];
            bool fits = cond.Kind >= ckJmp && cond.Kind <= ckText;
            if (cond.Src < cond.Dst)
                fits = fits && cond.Src == k && cond.Dst < count;
            else if (cond.Src > cond.Dst)
                fits = fits && cond.Dst == k && c == 1 && node.size() == 3 && cond.Src < count;
            else
                fits = false;
            if (!fits) return broken(k, c + 1);
        }
    }
    return true;
}

} // namespace gramarbor
