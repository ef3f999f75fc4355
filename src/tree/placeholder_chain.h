// Chains of plane-tree placeholders kept as one node: serial numbers of the
// placeholders, and which placeholders a file may fold into one chain node.
#pragma once

#include <cstdint>

#include "tree/tree.h"

namespace gramarbor {

// The serial number that follows id, as NextID counts (after 2147483647 comes 1).
int32_t NextSerial(int32_t id);
// The serial number count steps after id.
int32_t SerialAfter(int32_t id, int64_t count);
// The serial number of the placeholder at index (0 = top) of a chain node.
int32_t PlaceholderID(const TNode& node, int64_t index);
// Whether node is a placeholder as the plane layout makes it: name "$", all-zero
// attributes, no annotations and no box.
bool IsPlainPlaceholder(const TNode& node);
// Whether next, a node of one level that stands (or is read) as the only child of
// chain, is the chain's next placeholder: plain like it, in its column, on the level below its last one,
// with the serial number that continues the chain's numbers.
bool ContinuesChain(const TNode& chain, const TNode& next);
// Adds next (for which ContinuesChain holds) as the chain's last placeholder: the
// chain takes over next's children (which frees next when it is the chain's child).
void ExtendChain(TNode& chain, TNode& next);

} // namespace gramarbor
