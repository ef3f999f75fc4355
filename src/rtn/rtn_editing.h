// Editing operations on nets and nodes that keep node numbers consistent.
#pragma once

#include <cstddef>
#include <vector>

#include "base/message_sink.h"
#include "rtn/cond_dialog.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

// Moves the node numbers of the conditions after an insertion (up) or a deletion
// (down): conditions of the nodes from..to change Src and (except pop-arcs) Dst by
// one; in the nodes before from, destinations and loop sources at or after the
// insertion point (beyond the deleted node) follow.
void RenumberNodes(std::vector<TRtnNodeConds>& nodes, std::size_t from, bool up, std::size_t to);

// Inserts an empty node at p (p below the node count). Arcs that entered the old node
// p now enter the new empty node. False when p is out of range or the net is full.
bool InsertRtnNode(TRTNLine& net, std::size_t p, MessageSink& sink);

// Deletes node k (never the pop node). Arcs that entered it enter its former successor.
bool DeleteRtnNode(TRTNLine& net, std::size_t k);

// Replaces the conditions of a node with the accepted rows of the condition dialog.
bool ReplaceNodeConditions(TRtnNodeConds& node, const TCondDlg& dlg, MessageSink& sink);

} // namespace gramarbor
