// Undo and redo of one tree window: snapshots of the whole tree (nodes with
// names, annotations, attributes, boxes, positions and identities).
#pragma once

#include <cstddef>
#include <deque>

#include "tree/tree.h"

namespace gramarbor {

class TTreeHistory {
public:
    static constexpr std::size_t MaxSteps = 200;

    // Records the tree's current state before a change; clears the redo steps.
    void Remember(TTree& tree);
    // Restores the previous (or next) state; false when there is none.
    bool Undo(TTree& tree);
    bool Redo(TTree& tree);
    bool CanUndo() const { return !UndoSteps.empty(); }
    bool CanRedo() const { return !RedoSteps.empty(); }
    void Clear() {
        UndoSteps.clear();
        RedoSteps.clear();
    }

private:
    struct Snapshot {
        TNodePtr Root;
        int32_t NextID = 1;
    };
    static Snapshot Take(TTree& tree);
    static void Restore(TTree& tree, Snapshot& snapshot);
    std::deque<Snapshot> UndoSteps;
    std::deque<Snapshot> RedoSteps;
};

} // namespace gramarbor
