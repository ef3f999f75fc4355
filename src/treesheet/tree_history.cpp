// Undo and redo snapshots of a tree.
#include "treesheet/tree_history.h"

#include <new>

namespace gramarbor {

TTreeHistory::Snapshot TTreeHistory::Take(TTree& tree) {
    Snapshot snapshot;
    snapshot.NextID = tree.NextID;
    if (tree.GetRoot() && !tree.CopyTree(tree.GetRoot(), snapshot.Root, true)) {
        tree.ResetError();
        throw std::bad_alloc();
    }
    return snapshot;
}

void TTreeHistory::Restore(TTree& tree, Snapshot& snapshot) {
    tree.Clear();
    if (snapshot.Root) tree.Init(std::move(snapshot.Root));
    tree.NextID = snapshot.NextID;
}

void TTreeHistory::Remember(TTree& tree) {
    try {
        Snapshot snapshot = Take(tree);
        UndoSteps.push_back(std::move(snapshot));
        if (UndoSteps.size() > MaxSteps) UndoSteps.pop_front();
        RedoSteps.clear();
    } catch (const std::bad_alloc&) {
        // Without memory for a snapshot the change goes on, only it cannot be undone.
        Clear();
    }
}

bool TTreeHistory::Undo(TTree& tree) {
    if (UndoSteps.empty()) return false;
    try {
        RedoSteps.push_back(Take(tree));
    } catch (const std::bad_alloc&) {
        return false;
    }
    Restore(tree, UndoSteps.back());
    UndoSteps.pop_back();
    return true;
}

bool TTreeHistory::Redo(TTree& tree) {
    if (RedoSteps.empty()) return false;
    try {
        UndoSteps.push_back(Take(tree));
    } catch (const std::bad_alloc&) {
        return false;
    }
    Restore(tree, RedoSteps.back());
    RedoSteps.pop_back();
    return true;
}

} // namespace gramarbor
