// Network to grammar text.
#include "rtn/rtn_to_cfg.h"

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

// Arcs that skip nodes multiply the rules of a net; a damaged or hand-made network
// could make that number (and the depth of the recursion) explode, so both are capped.
constexpr std::size_t MaxCfgLines = 65536;
constexpr int MaxSkipDepth = 2048;

bool PathToRuleAt(const std::vector<TRtnNodeConds>& nodes, std::size_t start, std::string line,
                  std::vector<std::string>& lines, int depth) {
    if (depth > MaxSkipDepth || lines.size() >= MaxCfgLines) return false;
    for (std::size_t k = start; k + 1 < nodes.size(); ++k) {
        const std::string saved = line;
        const TRtnNodeConds& node = nodes[k];
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
                if (group.HasJump && distance > 1)
                    if (!PathToRuleAt(nodes, k + distance, saved, lines, depth + 1)) return false;
                continue;
            }
            if (distance > 1) {
                if (!PathToRuleAt(nodes, k + distance, saved + " " + alt, lines, depth + 1))
                    return false;
            } else {
                line += " " + alt;
            }
        }
    }
    lines.push_back(line);
    return true;
}

} // namespace

bool PathToRule(const std::vector<TRtnNodeConds>& nodes, std::size_t start, std::string line,
                std::vector<std::string>& lines) {
    return PathToRuleAt(nodes, start, std::move(line), lines, 0);
}

bool RtnToCfgLines(const TRtn& rtn, std::vector<std::string>& lines, MessageSink& sink) {
    lines.clear();
    for (const TRTNLine& net : rtn) {
        const std::string prefix = net.Name + " " + "=";
        if (net.Nodes.empty()) {
            sink.Error("The " + net.Name + "-network must at least contain 1 non-complex" +
                       "element.");
            return false;
        }
        if (!PathToRule(net.Nodes, 0, prefix, lines)) {
            sink.Error(MsgRtnMemory);
            return false;
        }
    }
    return true;
}

} // namespace gramarbor
