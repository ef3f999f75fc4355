// Grammar rules to network.
#include "rtn/cfg_to_rtn.h"

#include <new>

#include "text/text_utils.h"

namespace gramarbor {

std::string MsgRtnTooManyAlternatives(const std::string& netName) {
    return "Too many alternatives in the \"" + netName +
           "\"-network: normally 5 arcs are possible, in \"(..)\" only 4. Please reformulate "
           "your CFG.";
}

namespace {

bool AddSimple(TRtnNodeConds& node, uint16_t src, uint16_t dst, const TElemNode& elem,
               MessageSink& sink) {
    switch (elem.SymKind) {
    case ekNonTerminal:
        return AddCondition(node, ckPush, src, UpperCaseGerman(elem.Text), dst, sink);
    case ekTerminal:
        return AddCondition(node, ckText, src, elem.Text, dst, sink);
    default:
        return AddCondition(node, ckIndirect, src, elem.Text, dst, sink);
    }
}

} // namespace

bool ElemToConditions(TRtnNodeConds& node, uint16_t j, const TElemNode& elem, MessageSink& sink) {
    const auto next = static_cast<uint16_t>(j + 1);
    switch (elem.Construct) {
    case ctOptional:
        return AddSimple(node, j, next, elem, sink) &&
               AddCondition(node, ckJmp, j, "jmp", next, sink);
    case ctRepeated:
        return AddSimple(node, j, next, elem, sink) && AddSimple(node, next, j, elem, sink) &&
               AddCondition(node, ckJmp, j, "jmp", next, sink);
    case ctAlternatives:
    case ctOptAlternatives:
        for (const TElemNode& alternative : elem.Alternatives)
            if (!ElemToConditions(node, j, alternative, sink)) return false;
        return elem.Construct == ctAlternatives || AddCondition(node, ckJmp, j, "jmp", next, sink);
    default:
        return AddSimple(node, j, next, elem, sink);
    }
}

bool CfgToRtn(const TRuleList& rules, TRtn& rtn, MessageSink& sink, bool* tooManyAlternatives) {
    if (tooManyAlternatives) *tooManyAlternatives = false;
    ClearRtn(rtn);
    try {
        rtn.reserve(rules.size());
        for (const TParsLine& rule : rules) {
            rtn.emplace_back();
            rtn.back().Nodes.resize(rule.Line.Right.size() + 1);
        }
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        ClearRtn(rtn);
        return false;
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const TGramLine& rule = rules[i].Line;
        TRTNLine& net = rtn[i];
        if (net.Nodes.size() > MaxRtnNodes) {
            sink.Error(MsgRtnMemory);
            ClearRtn(rtn);
            return false;
        }
        net.Name = rule.Left.Text;
        const std::size_t k = rule.Right.size();
        for (std::size_t j = 0; j <= k; ++j) {
            TRtnNodeConds& node = net.Nodes[j];
            const auto src = static_cast<uint16_t>(j);
            const bool added = j < k ? ElemToConditions(node, src, rule.Right[j], sink)
                                     : AddCondition(node, ckPop, src, "pop", PopDst, sink);
            if (!added) {
                ClearRtn(rtn);
                return false;
            }
            if (node.size() > MaxConditions) {
                sink.Error(MsgRtnTooManyAlternatives(net.Name));
                if (tooManyAlternatives) *tooManyAlternatives = true;
                ClearRtn(rtn);
                return false;
            }
        }
    }
    return true;
}

} // namespace gramarbor
