// The walk of a parse tree through the networks: first, from the leaves up, which net
// accepts each subtree and along which arcs; then the steps from the root down, or,
// when the root is not accepted, as far as the networks take the tree.
#include "rtn/rtn_walk.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

constexpr uint32_t NoFlat = UINT32_MAX;

// One arc of a net: the node whose list holds it and its place in the list.
struct ArcRef {
    uint32_t Node;
    uint32_t Condition;
};

// A subtree or a word of the parse tree, with the nodes "#n" spliced away.
struct FlatNode {
    bool Leaf = false;
    std::string Label;  // the word, or the nonterminal's name
    std::string Folded; // the label in upper case (for matching nets and arcs)
    std::vector<uint32_t> Items;
    // For a subtree: the net that accepts it and the arcs it takes there, pop-arc last.
    int64_t AcceptedBy = -1;
    std::vector<ArcRef> Path;
};

bool IsGenerated(const TNode& node) {
    return !node.Children.empty() && !node.Name.empty() && node.Name[0] == '#';
}

// The leaves in order become words; every other node not named "#n" a subtree
// whose items are its children, with the children of "#n" nodes in their place.
// Subtrees are numbered in pre-order, so a subtree's items come after it.
std::vector<FlatNode> Flatten(const TNode& root, std::vector<std::string>& words) {
    std::vector<FlatNode> flat;
    std::vector<std::pair<const TNode*, uint32_t>> pending{{&root, NoFlat}};
    while (!pending.empty()) {
        const auto [node, owner] = pending.back();
        pending.pop_back();
        uint32_t childOwner = owner;
        if (owner == NoFlat || !IsGenerated(*node)) {
            const auto id = static_cast<uint32_t>(flat.size());
            FlatNode made;
            made.Leaf = node->Children.empty();
            made.Label = node->Name;
            made.Folded = UpperCaseGerman(node->Name);
            if (made.Leaf) words.push_back(node->Name);
            flat.push_back(std::move(made));
            if (owner != NoFlat) flat[owner].Items.push_back(id);
            childOwner = id;
        }
        for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
            pending.emplace_back(child->get(), childOwner);
    }
    return flat;
}

// An arc leaving a node, with its text in upper case.
struct OutArc {
    ArcRef Ref;
    std::string Folded;
};

// Where the search of one net over one sequence of items got to.
struct SearchResult {
    bool Accepted = false;
    // The arcs to acceptance (pop-arc last), or to the state of furthest progress.
    std::vector<ArcRef> Path;
    std::size_t Position = 0; // items consumed at the end of Path
    uint32_t Node = 0;        // node at the end of Path (when not accepted)
};

class Walker {
public:
    Walker(const TRtn& rtn, bool caseSensitive, const TWalkLimits& limits, TRtnWalk& out)
        : Rtn(rtn), CaseSensitive(caseSensitive), Limits(limits), Out(out), Outgoing(rtn.size()) {
        for (std::size_t n = 0; n < rtn.size(); ++n)
            NetsByName[UpperCaseGerman(rtn[n].Name)].push_back(n);
    }

    void Run(const TNode& root) {
        Flat = Flatten(root, Out.Words);
        if (Flat[0].Leaf) {
            Stop(MsgWalkStops(1, "the parse tree has no nonterminal to walk."));
            return;
        }
        // From the last subtree to the first: each one's items are decided before it.
        for (std::size_t v = Flat.size(); v-- > 0;) {
            if (Flat[v].Leaf) continue;
            if (!Accept(static_cast<uint32_t>(v))) return;
        }
        WalkRoot();
    }

private:
    // The arcs leaving each node of net n; a loop back stands in the list of the node
    // it returns to but leaves a later one. Arcs that end outside the net are left out.
    const std::vector<std::vector<OutArc>>& OutgoingOf(std::size_t n) {
        std::optional<std::vector<std::vector<OutArc>>>& cached = Outgoing[n];
        if (cached) return *cached;
        const TRTNLine& net = Rtn[n];
        cached.emplace(net.Nodes.size());
        for (std::size_t k = 0; k < net.Nodes.size(); ++k) {
            for (std::size_t c = 0; c < net.Nodes[k].size(); ++c) {
                const TRTNNode& cond = net.Nodes[k][c];
                const bool pop = cond.Kind == ckPop;
                if (cond.Src >= net.Nodes.size() || (!pop && cond.Dst >= net.Nodes.size()))
                    continue;
                (*cached)[cond.Src].push_back({{static_cast<uint32_t>(k), static_cast<uint32_t>(c)},
                                               UpperCaseGerman(cond.Text)});
            }
        }
        return *cached;
    }

    const TRTNNode& Condition(std::size_t n, ArcRef arc) const {
        return Rtn[n].Nodes[arc.Node][arc.Condition];
    }

    // Whether the arc takes the item (the arc is not a jump-arc or a pop-arc).
    bool Takes(const OutArc& arc, const TRTNNode& cond, const FlatNode& item) const {
        switch (cond.Kind) {
        case ckText:
            return item.Leaf &&
                   (CaseSensitive ? cond.Text == item.Label : arc.Folded == item.Folded);
        case ckIndirect:
            return item.Leaf && arc.Folded == item.Folded;
        case ckPush:
            return !item.Leaf && item.AcceptedBy >= 0 && arc.Folded == item.Folded;
        default:
            return false;
        }
    }

    // Breadth-first search of net n over the items of subtree v, from node 0 with
    // nothing consumed; every state (node * (items + 1) + items consumed) is visited
    // once. Without a goal it ends at acceptance or, failing that, at the first state
    // of furthest progress; with one, at that state. visited receives the states in
    // the order they were reached. None when the work limit stopped it.
    std::optional<SearchResult> Search(std::size_t n, uint32_t v,
                                       std::vector<uint64_t>* visited = nullptr,
                                       std::optional<uint64_t> goal = std::nullopt) {
        const auto& outgoing = OutgoingOf(n);
        const std::vector<uint32_t>& items = Flat[v].Items;
        const uint64_t width = items.size() + 1;
        struct Parent {
            uint64_t From;
            ArcRef Arc;
        };
        std::unordered_map<uint64_t, Parent> parents{{0, Parent{0, {0, 0}}}};
        std::vector<uint64_t> queue{0};
        SearchResult result;
        const auto finish = [&](uint64_t state) {
            for (uint64_t at = state; at != 0; at = parents.at(at).From)
                result.Path.push_back(parents.at(at).Arc);
            std::reverse(result.Path.begin(), result.Path.end());
            result.Position = state % width;
            result.Node = static_cast<uint32_t>(state / width);
            if (visited) *visited = std::move(queue);
            return result;
        };
        uint64_t best = 0;
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const uint64_t state = queue[head];
            if (goal && state == *goal) return finish(state);
            const std::size_t position = state % width;
            if (position > best % width) best = state;
            for (const OutArc& out : outgoing[state / width]) {
                const ArcRef arc = out.Ref;
                if (++Work > Limits.MaxWork) {
                    Stop(MsgWalkTooMuchWork);
                    return std::nullopt;
                }
                const TRTNNode& cond = Condition(n, arc);
                if (cond.Kind == ckPop) {
                    if (goal || position != items.size()) continue;
                    finish(state);
                    result.Path.push_back(arc);
                    result.Accepted = true;
                    return result;
                }
                std::size_t next = position;
                if (cond.Kind != ckJmp) {
                    if (position >= items.size() || !Takes(out, cond, Flat[items[position]]))
                        continue;
                    ++next;
                }
                const uint64_t to = uint64_t(cond.Dst) * width + next;
                if (parents.emplace(to, Parent{state, arc}).second) queue.push_back(to);
            }
        }
        return finish(best);
    }

    const std::vector<std::size_t>* NetsNamed(const std::string& folded) const {
        const auto found = NetsByName.find(folded);
        return found == NetsByName.end() ? nullptr : &found->second;
    }

    // Decides which net accepts subtree v; false when the work limit stopped it.
    bool Accept(uint32_t v) {
        const std::vector<std::size_t>* nets = NetsNamed(Flat[v].Folded);
        if (!nets) return true;
        for (const std::size_t n : *nets) {
            std::optional<SearchResult> found = Search(n, v);
            if (!found) return false;
            if (!found->Accepted) continue;
            Flat[v].AcceptedBy = static_cast<int64_t>(n);
            Flat[v].Path = std::move(found->Path);
            return true;
        }
        return true;
    }

    void Stop(const std::string& message) {
        if (Stopped) return;
        Stopped = true;
        Out.Message = message;
    }

    std::size_t NextStep() const { return Out.Steps.size() + 1; }

    bool AddStep(TWalkStepKind kind, std::size_t net, ArcRef arc, int64_t frame) {
        if (Out.Steps.size() >= Limits.MaxSteps) {
            Stop(MsgWalkTooLong(Limits.MaxSteps));
            return false;
        }
        Out.Steps.push_back(TWalkStep{kind, net, arc.Node, arc.Condition, frame, WordsTaken});
        return true;
    }

    int64_t PushFrame(std::size_t net, int64_t below) {
        Out.Frames.push_back(TWalkFrame{net, below});
        return static_cast<int64_t>(Out.Frames.size()) - 1;
    }

    // Emits the steps of the arcs of path in net n, the walk of subtree v standing on
    // frame; accepted subtrees that are pushed are walked in full.
    bool EmitPath(uint32_t v, std::size_t n, const std::vector<ArcRef>& path, int64_t frame) {
        struct Cursor {
            uint32_t Subtree;
            std::size_t Net;
            const std::vector<ArcRef>* Arcs;
            std::size_t Next;
            std::size_t Item;
            int64_t Frame;
        };
        std::vector<Cursor> open{{v, n, &path, 0, 0, frame}};
        while (!open.empty()) {
            Cursor& at = open.back();
            if (at.Next == at.Arcs->size()) {
                open.pop_back();
                continue;
            }
            const ArcRef arc = (*at.Arcs)[at.Next++];
            const TRTNNode& cond = Condition(at.Net, arc);
            switch (cond.Kind) {
            case ckJmp:
                if (!AddStep(TWalkStepKind::wkJump, at.Net, arc, at.Frame)) return false;
                break;
            case ckPop:
                if (!AddStep(TWalkStepKind::wkPop, at.Net, arc, Out.Frames[at.Frame].Below))
                    return false;
                break;
            case ckPush: {
                const uint32_t child = Flat[at.Subtree].Items[at.Item++];
                const auto net = static_cast<std::size_t>(Flat[child].AcceptedBy);
                const int64_t pushed = PushFrame(net, at.Frame);
                if (!AddStep(TWalkStepKind::wkPush, at.Net, arc, pushed)) return false;
                // at is invalidated by the push.
                open.push_back({child, net, &Flat[child].Path, 0, 0, pushed});
                break;
            }
            default:
                ++at.Item;
                ++WordsTaken;
                if (!AddStep(TWalkStepKind::wkWord, at.Net, arc, at.Frame)) return false;
                break;
            }
        }
        return true;
    }

    // The net named like subtree v that takes most of its items; none when no net has
    // the name or the work limit stopped the search.
    struct Choice {
        std::size_t Net;
        SearchResult Result;
        std::vector<uint64_t> Visited;
    };
    std::optional<Choice> BestNet(uint32_t v) {
        const std::vector<std::size_t>* nets = NetsNamed(Flat[v].Folded);
        if (!nets) return std::nullopt;
        std::optional<Choice> best;
        for (const std::size_t n : *nets) {
            std::vector<uint64_t> visited;
            std::optional<SearchResult> found = Search(n, v, &visited);
            if (!found) return std::nullopt;
            if (!best || found->Position > best->Result.Position)
                best = Choice{n, std::move(*found), std::move(visited)};
        }
        return best;
    }

    // Of the states the search reached with item the next to take, the first with a
    // push-arc that names it: the arc, and the state's node in node.
    std::optional<ArcRef> PushArcFor(std::size_t n, const Choice& choice, uint64_t width,
                                     const FlatNode& item, uint32_t& node) {
        if (item.Leaf) return std::nullopt;
        for (const uint64_t state : choice.Visited) {
            if (state % width != choice.Result.Position) continue;
            const auto k = static_cast<uint32_t>(state / width);
            for (const OutArc& out : OutgoingOf(n)[k]) {
                if (Condition(n, out.Ref).Kind != ckPush || out.Folded != item.Folded) continue;
                node = k;
                return out.Ref;
            }
        }
        return std::nullopt;
    }

    std::string NetTitle(std::size_t n) const { return "the \"" + Rtn[n].Name + "\"-network"; }
    std::string NodeTitle(std::size_t n, uint32_t node) const {
        return NodeName(Rtn[n].Name, node);
    }

    void WalkRoot() {
        const int64_t start = Flat[0].AcceptedBy;
        if (start >= 0) {
            const auto n = static_cast<std::size_t>(start);
            const int64_t frame = PushFrame(n, NoWalkFrame);
            if (!AddStep(TWalkStepKind::wkStart, n, {0, 0}, frame)) return;
            if (!EmitPath(0, n, Flat[0].Path, frame)) return;
            Out.Complete = true;
            return;
        }
        WalkAsFarAsPossible();
    }

    // No net accepts the root: walk the net that gets furthest, up to the item it
    // cannot take; when a push-arc names that item, go on inside it the same way.
    void WalkAsFarAsPossible() {
        uint32_t v = 0;
        int64_t below = NoWalkFrame;
        std::optional<ArcRef> pushArc;
        std::size_t pushNet = 0;
        for (;;) {
            if (!NetsNamed(Flat[v].Folded)) {
                Stop(MsgWalkStops(NextStep(), "there is no \"" + Flat[v].Label + "\"-network."));
                return;
            }
            std::optional<Choice> choice = BestNet(v);
            if (!choice) return;
            const std::size_t n = choice->Net;
            const int64_t frame = PushFrame(n, below);
            if (pushArc) {
                if (!AddStep(TWalkStepKind::wkPush, pushNet, *pushArc, frame)) return;
            } else if (!AddStep(TWalkStepKind::wkStart, n, {0, 0}, frame)) {
                return;
            }
            const std::vector<uint32_t>& items = Flat[v].Items;
            const SearchResult& reached = choice->Result;
            const uint64_t width = items.size() + 1;
            uint32_t node = reached.Node;
            std::optional<ArcRef> descend;
            if (reached.Position < items.size())
                descend = PushArcFor(n, *choice, width, Flat[items[reached.Position]], node);
            // The arcs to that state, when it is not the one the search ended at.
            std::vector<ArcRef> path = reached.Path;
            if (descend && node != reached.Node) {
                const std::optional<SearchResult> to =
                    Search(n, v, nullptr, uint64_t(node) * width + reached.Position);
                if (!to) return;
                path = to->Path;
            }
            if (!EmitPath(v, n, path, frame)) return;
            if (reached.Position == items.size()) {
                Stop(MsgWalkStops(NextStep(), NetTitle(n) + " cannot reach its pop-arc from " +
                                                  NodeTitle(n, node) + "."));
                return;
            }
            const FlatNode& item = Flat[items[reached.Position]];
            if (item.Leaf) {
                Stop(MsgWalkStops(NextStep(), NetTitle(n) + " has no arc at " + NodeTitle(n, node) +
                                                  " that takes \"" + item.Label + "\"."));
                return;
            }
            if (!descend) {
                Stop(MsgWalkStops(NextStep(), NetTitle(n) + " has no arc at " + NodeTitle(n, node) +
                                                  " that pushes \"" + item.Label + "\"."));
                return;
            }
            pushArc = descend;
            pushNet = n;
            below = frame;
            v = items[reached.Position];
        }
    }

    const TRtn& Rtn;
    bool CaseSensitive;
    TWalkLimits Limits;
    TRtnWalk& Out;
    std::vector<std::optional<std::vector<std::vector<OutArc>>>> Outgoing;
    std::unordered_map<std::string, std::vector<std::size_t>> NetsByName;
    std::vector<FlatNode> Flat;
    std::size_t Work = 0;
    std::size_t WordsTaken = 0;
    bool Stopped = false;
};

} // namespace

std::string MsgWalkStops(std::size_t step, const std::string& reason) {
    return "The walk stops at step " + IntToStr(static_cast<long long>(step)) + ": " + reason;
}

std::string MsgWalkTooLong(std::size_t maxSteps) {
    return "The walk is too long to show: it is cut short after " +
           IntToStr(static_cast<long long>(maxSteps)) + " steps.";
}

TRtnWalk WalkTree(const TRtn& rtn, const TNode* root, bool caseSensitive,
                  const TWalkLimits& limits) {
    TRtnWalk walk;
    if (!root) return walk;
    Walker(rtn, caseSensitive, limits, walk).Run(*root);
    return walk;
}

std::vector<std::string> WalkStackNames(const TRtn& rtn, const TRtnWalk& walk, std::size_t step) {
    std::vector<std::string> names;
    if (step >= walk.Steps.size()) return names;
    for (int64_t frame = walk.Steps[step].Frame; frame != NoWalkFrame;
         frame = walk.Frames[static_cast<std::size_t>(frame)].Below) {
        const std::size_t net = walk.Frames[static_cast<std::size_t>(frame)].Net;
        names.push_back(net < rtn.size() ? rtn[net].Name : std::string());
    }
    std::reverse(names.begin(), names.end());
    return names;
}

std::string WalkStepText(const TRtn& rtn, const TRtnWalk& walk, std::size_t step) {
    if (step >= walk.Steps.size()) return {};
    const TWalkStep& at = walk.Steps[step];
    if (at.Net >= rtn.size()) return {};
    const TRTNLine& net = rtn[at.Net];
    if (at.Kind == TWalkStepKind::wkStart) return "Start in " + net.Name;
    if (at.Node >= net.Nodes.size() || at.Condition >= net.Nodes[at.Node].size()) return {};
    const TRTNNode& cond = net.Nodes[at.Node][at.Condition];
    const std::string from = NodeName(net.Name, cond.Src);
    if (at.Kind == TWalkStepKind::wkPop) return from + ": pop";
    const std::string arc = from + " -> " + NodeName(net.Name, cond.Dst) + ": ";
    switch (at.Kind) {
    case TWalkStepKind::wkJump:
        return arc + "jump";
    case TWalkStepKind::wkPush:
        return arc + "push " + cond.Text;
    default:
        return arc + (cond.Kind == ckIndirect ? cond.Text + " " : std::string()) + "\"" +
               (at.Words > 0 && at.Words <= walk.Words.size() ? walk.Words[at.Words - 1]
                                                              : std::string()) +
               "\"";
    }
}

std::string WalkWordsText(const TRtnWalk& walk, std::size_t step, std::size_t maxWords) {
    std::string text;
    if (step >= walk.Steps.size()) return text;
    const std::size_t count = std::min(walk.Steps[step].Words, walk.Words.size());
    const std::size_t first = count > maxWords ? count - maxWords : 0;
    if (first > 0) text = "...";
    for (std::size_t i = first; i < count; ++i) {
        if (!text.empty()) text += ' ';
        text += walk.Words[i];
    }
    return text;
}

} // namespace gramarbor
