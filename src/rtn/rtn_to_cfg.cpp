// Network to grammar text.
#include "rtn/rtn_to_cfg.h"

#include <new>

#include "text/text_utils.h"

namespace gramarbor {

int DestSlot(TDestGroups& groups, int d) {
    if (d > 0)
        for (std::size_t g = 0; g < groups.size(); ++g)
            if (groups[g].Distance == d) return static_cast<int>(g);
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (groups[g].Distance == 0) {
            groups[g].Distance = d;
            return static_cast<int>(g);
        }
    return -1;
}

bool CheckNodesForCfg(const TRtn& rtn, std::string& description) {
    for (const TRTNLine& net : rtn) {
        for (std::size_t k = 0; k + 1 < net.Nodes.size(); ++k) {
            bool found = false;
            for (const TRTNNode& cond : net.Nodes[k])
                if (cond.Dst - cond.Src == 1 && cond.Kind != ckJmp) found = true;
            if (!found) {
                description = "\"" + net.Name + "\"-network in node \"" +
                              NodeName(net.Name, static_cast<long long>(k)) + "\"";
                return false;
            }
        }
    }
    return true;
}

std::string MsgNodeCheckFailed(const std::string& description) {
    return "Every node must contain at least 1 condition that is not a jump-arc and ends in "
           "the directly following node: error in the " +
           description + ".";
}

namespace {

std::string CondText(const TRTNNode& cond) {
    return cond.Kind == ckText ? "\"" + cond.Text + "\"" : cond.Text;
}

bool IsRepeatedNode(const TRtnNodeConds& node) {
    return node.size() == 3 && node[1].Src > node[1].Dst;
}

} // namespace

namespace {

// Writes the rules of one net. Only arcs that skip nodes multiply rules: each one
// starts an extra rule, so a hand-made net can stand for a number of rules that grows
// exponentially with its nodes. Extra rules therefore spend a budget of bytes written
// and nodes walked, and nest only so deep; main rules cost nothing, so the output of a
// network made from a grammar grows linearly with it.
class TRuleWriter {
public:
    TRuleWriter(const std::vector<TRtnNodeConds>& nodes, std::vector<std::string>& lines,
                std::size_t& budget)
        : Nodes(nodes), Lines(lines), Budget(budget) {}

    TCfgLimit Exceeded = TCfgLimit::None;

    bool Write(std::size_t start, std::string line, int depth);

private:
    // Charges cost to the budget of extra rules; false once it is spent.
    bool Spend(std::size_t cost, int depth) {
        if (depth == 0) return true; // the main rule costs what the net holds
        if (cost > Budget) {
            Exceeded = TCfgLimit::Size;
            return false;
        }
        Budget -= cost;
        return true;
    }

    const std::vector<TRtnNodeConds>& Nodes;
    std::vector<std::string>& Lines;
    std::size_t& Budget;
};

bool TRuleWriter::Write(std::size_t start, std::string line, int depth) {
    if (depth > MaxSkipDepth) {
        Exceeded = TCfgLimit::Depth;
        return false;
    }
    // Every byte of line is paid for once, and every node walked costs one more.
    if (!Spend(line.size(), depth)) return false;
    std::size_t paid = line.size();
    for (std::size_t k = start; k + 1 < Nodes.size(); ++k) {
        if (!Spend(line.size() - paid + 1, depth)) return false;
        paid = line.size();
        // The rule before node k is the first savedSize bytes of line, which only grows.
        const std::size_t savedSize = line.size();
        const TRtnNodeConds& node = Nodes[k];
        if (IsRepeatedNode(node)) {
            line += " {" + CondText(node[1]) + "}";
            continue;
        }
        TDestGroups groups;
        for (const TRTNNode& cond : node) {
            const int slot =
                DestSlot(groups, static_cast<int>(cond.Dst) - static_cast<int>(cond.Src));
            if (slot < 0) continue;
            if (cond.Kind == ckJmp)
                groups[slot].HasJump = true;
            else
                groups[slot].Members.push_back(&cond);
        }
        for (const TDestGroup& group : groups) {
            if (group.Distance <= 0) break;
            std::string alt;
            const bool several = group.Members.size() > 1;
            for (const TRTNNode* member : group.Members) {
                alt += CondText(*member);
                if (several) alt += ",";
            }
            if (several) {
                alt.back() = group.HasJump ? ')' : '>';
                alt.insert(alt.begin(), group.HasJump ? '(' : '<');
            } else if (group.HasJump && !alt.empty()) {
                alt = "[" + alt + "]";
            }
            const auto distance = static_cast<std::size_t>(group.Distance);
            if (alt.empty()) {
                // A jump-arc alone over several nodes skips them: the extra rule simply
                // leaves their elements out.
                if (group.HasJump && distance > 1 &&
                    !Write(k + distance, line.substr(0, savedSize), depth + 1))
                    return false;
                continue;
            }
            if (distance > 1) {
                if (!Write(k + distance, line.substr(0, savedSize) + " " + alt, depth + 1))
                    return false;
            } else {
                line += " " + alt;
            }
        }
    }
    if (!Spend(line.size() - paid, depth)) return false;
    Lines.push_back(std::move(line));
    return true;
}

} // namespace

TCfgLimit PathToRule(const std::vector<TRtnNodeConds>& nodes, std::size_t start, std::string line,
                     std::vector<std::string>& lines, std::size_t& budget) {
    TRuleWriter writer(nodes, lines, budget);
    writer.Write(start, std::move(line), 0);
    return writer.Exceeded;
}

std::string MsgSkipArcsTooMany(const std::string& netName) {
    return "The arcs that skip nodes in the \"" + netName +
           "\"-network stand for more rules than Make CFG writes: more than " +
           IntToStr(static_cast<long long>(MaxExtraRuleBytes >> 20)) +
           " MB of extra rules. Please remove some of these arcs.";
}

std::string MsgSkipArcsTooDeep(const std::string& netName) {
    return "The arcs that skip nodes in the \"" + netName + "\"-network are nested more than " +
           IntToStr(MaxSkipDepth) +
           " deep, more than Make CFG writes. Please remove some of these arcs.";
}

bool RtnToCfgLines(const TRtn& rtn, std::vector<std::string>& lines, MessageSink& sink) {
    lines.clear();
    std::size_t budget = MaxExtraRuleBytes;
    for (const TRTNLine& net : rtn) {
        const std::string prefix = net.Name + " " + "=";
        if (net.Nodes.empty()) {
            sink.Error("The " + net.Name + "-network must at least contain 1 non-complex" +
                       "element.");
            return false;
        }
        switch (PathToRule(net.Nodes, 0, prefix, lines, budget)) {
        case TCfgLimit::None:
            break;
        case TCfgLimit::Size:
            sink.Error(MsgSkipArcsTooMany(net.Name));
            return false;
        case TCfgLimit::Depth:
            sink.Error(MsgSkipArcsTooDeep(net.Name));
            return false;
        }
    }
    return true;
}

bool MakeCfgLines(const TRtn& rtn, std::vector<std::string>& lines, MessageSink& sink) {
    std::string description;
    if (!CheckNodesForCfg(rtn, description)) {
        sink.Error(MsgNodeCheckFailed(description));
        return false;
    }
    try {
        return RtnToCfgLines(rtn, lines, sink);
    } catch (const std::bad_alloc&) {
        sink.Error(MsgRtnMemory);
        return false;
    }
}

} // namespace gramarbor
