// Finding a cycle of unit rules that a search could reach, and its message.
#include "parsing/unit_cycles.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace gramarbor {

namespace {

struct Graph {
    std::vector<std::string> Names;                     // in order of first definition
    std::unordered_map<std::string, std::size_t> Index; // name -> node
    std::vector<std::vector<std::size_t>> UnitEdges;    // X = Y gives X -> Y
    std::vector<std::vector<std::size_t>> Uses;         // X -> every nonterminal on its right sides
};

std::size_t NodeOf(Graph& graph, const std::string& name) {
    const auto [it, added] = graph.Index.try_emplace(name, graph.Names.size());
    if (added) {
        graph.Names.push_back(name);
        graph.UnitEdges.emplace_back();
        graph.Uses.emplace_back();
    }
    return it->second;
}

Graph BuildGraph(const TParser& store) {
    Graph graph;
    for (const TParsLine& rule : store.Rules)
        NodeOf(graph, rule.Line.Left.Text);
    for (const TParsLine& rule : store.Rules) {
        const std::size_t left = NodeOf(graph, rule.Line.Left.Text);
        for (const TElemNode& symbol : rule.Line.Right)
            if (symbol.SymKind == ekNonTerminal)
                graph.Uses[left].push_back(NodeOf(graph, symbol.Text));
        if (rule.Line.Right.size() == 1 && rule.Line.Right[0].SymKind == ekNonTerminal)
            graph.UnitEdges[left].push_back(NodeOf(graph, rule.Line.Right[0].Text));
    }
    return graph;
}

std::vector<bool> ReachableFromStart(const TParser& store, const Graph& graph) {
    std::vector<bool> seen(graph.Names.size(), false);
    if (store.StartLine < 0 || static_cast<std::size_t>(store.StartLine) >= store.Rules.size())
        return seen;
    const auto& startName = store.Rules[static_cast<std::size_t>(store.StartLine)].Line.Left.Text;
    std::vector<std::size_t> todo{graph.Index.at(startName)};
    seen[todo.back()] = true;
    while (!todo.empty()) {
        const std::size_t node = todo.back();
        todo.pop_back();
        for (const std::size_t next : graph.Uses[node])
            if (!seen[next]) {
                seen[next] = true;
                todo.push_back(next);
            }
    }
    return seen;
}

// Nonterminals that derive a string of terminals (fixpoint over the rules).
std::vector<bool> DerivesWords(const TParser& store, const Graph& graph) {
    std::vector<bool> derives(graph.Names.size(), false);
    bool changed = true;
    while (changed) {
        changed = false;
        for (const TParsLine& rule : store.Rules) {
            const std::size_t left = graph.Index.at(rule.Line.Left.Text);
            if (derives[left]) continue;
            const bool all = std::all_of(
                rule.Line.Right.begin(), rule.Line.Right.end(), [&](const TElemNode& symbol) {
                    return symbol.SymKind != ekNonTerminal || derives[graph.Index.at(symbol.Text)];
                });
            if (all) {
                derives[left] = true;
                changed = true;
            }
        }
    }
    return derives;
}

} // namespace

std::vector<std::string> FindUnitCycle(const TParser& store, UnitCycleScope scope) {
    const Graph graph = BuildGraph(store);
    const std::size_t count = graph.Names.size();
    std::vector<bool> relevant(count, false);
    if (scope != UnitCycleScope::FromWords) relevant = ReachableFromStart(store, graph);
    if (scope != UnitCycleScope::FromStart) {
        const std::vector<bool> derives = DerivesWords(store, graph);
        for (std::size_t i = 0; i < count; ++i)
            relevant[i] = relevant[i] || derives[i];
    }

    // Iterative depth-first search over the unit edges; a grey node met again closes
    // a cycle, which the stack of open nodes then holds.
    enum : uint8_t { White, Grey, Black };
    std::vector<uint8_t> colour(count, White);
    struct Frame {
        std::size_t Node;
        std::size_t NextEdge;
    };
    std::vector<Frame> stack;
    for (std::size_t root = 0; root < count; ++root) {
        if (!relevant[root] || colour[root] != White) continue;
        stack.push_back({root, 0});
        colour[root] = Grey;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto& edges = graph.UnitEdges[frame.Node];
            if (frame.NextEdge == edges.size()) {
                colour[frame.Node] = Black;
                stack.pop_back();
                continue;
            }
            const std::size_t next = edges[frame.NextEdge++];
            if (colour[next] == Grey) {
                std::vector<std::string> cycle;
                std::size_t from = stack.size();
                while (from > 0 && stack[from - 1].Node != next)
                    --from;
                for (std::size_t i = from - 1; i < stack.size(); ++i)
                    cycle.push_back(graph.Names[stack[i].Node]);
                return cycle;
            }
            if (colour[next] == White) {
                colour[next] = Grey;
                stack.push_back({next, 0});
            }
        }
    }
    return {};
}

std::string UnitCycleMessage(const std::vector<std::string>& cycle) {
    if (cycle.empty()) return {};
    std::string rules;
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        if (i > 0) rules += i + 1 == cycle.size() ? " and " : ", ";
        rules += cycle[i] + " = " + cycle[(i + 1) % cycle.size()];
    }
    if (cycle.size() == 1)
        return "The unit rule " + rules + " forms a cycle, so parsing would never end.";
    return "The unit rules " + rules + " form a cycle, so parsing would never end.";
}

bool RefuseUnitCycle(const TParser& store, UnitCycleScope scope, MessageSink& sink) {
    const std::vector<std::string> cycle = FindUnitCycle(store, scope);
    if (cycle.empty()) return false;
    sink.Error(UnitCycleMessage(cycle));
    return true;
}

} // namespace gramarbor
