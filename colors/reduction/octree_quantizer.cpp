#include "colors/reduction/octree_quantizer.h"

#include <algorithm>

namespace tintara {

OctreeQuantizer::OctreeQuantizer(int colors)
    : colors_(std::max(colors, 1)),
      leafBudget_(colors_ > 7 ? ((colors_ - 2) / 7) * 7 + 8 : 8),
      walkCache_(size_t{1} << kWalkCacheBits) {
  reducibleHeads_.fill(kNone);
  nodes_.reserve(size_t(leafBudget_) * 4 + 64);
  root_ = NewNode(0);
}

int32_t OctreeQuantizer::NewNode(int level) {
  int32_t index;
  if (!freeNodes_.empty()) {
    index = freeNodes_.back();
    freeNodes_.pop_back();
    nodes_[size_t(index)] = Node();
  } else {
    index = int32_t(nodes_.size());
    nodes_.emplace_back();
  }
  Node& node = nodes_[size_t(index)];
  node.level = uint8_t(level);
  if (level >= depthLimit_) {
    node.leaf = true;
    ++leafCount_;
  }
  return index;
}

void OctreeQuantizer::PushReducible(int32_t index) {
  Node& node = nodes_[size_t(index)];
  int32_t& head = reducibleHeads_[node.level];
  node.previous = kNone;
  node.next = head;
  if (head != kNone) nodes_[size_t(head)].previous = index;
  head = index;
  node.reducible = true;
}

void OctreeQuantizer::UnlinkReducible(int32_t index) {
  Node& node = nodes_[size_t(index)];
  if (!node.reducible) return;
  if (node.previous != kNone) {
    nodes_[size_t(node.previous)].next = node.next;
  } else {
    reducibleHeads_[node.level] = node.next;
  }
  if (node.next != kNone) nodes_[size_t(node.next)].previous = node.previous;
  node.previous = node.next = kNone;
  node.reducible = false;
}

int32_t OctreeQuantizer::Walk(uint8_t b0, uint8_t b1, uint8_t b2) {
  int32_t index = root_;
  for (;;) {
    const Node& node = nodes_[size_t(index)];
    const int level = node.level;
    if (node.leaf || level >= depthLimit_) return index;
    const int shift = 7 - level;
    const int slot = (((b2 >> shift) & 1) << 2) | (((b1 >> shift) & 1) << 1) | ((b0 >> shift) & 1);
    int32_t child = node.children[size_t(slot)];
    if (child == kNone) {
      child = NewNode(level + 1);  // may move the node storage
      Node& parent = nodes_[size_t(index)];
      parent.children[size_t(slot)] = child;
      if (++parent.childCount > 1 && !parent.reducible) PushReducible(index);
    }
    index = child;
  }
}

void OctreeQuantizer::Add(uint8_t b0, uint8_t b1, uint8_t b2) {
  // A walk depends only on the bits above the depth limit.
  const int drop = kLevels - depthLimit_;
  const uint32_t prefix = (uint32_t(b2 >> drop) << 16) | (uint32_t(b1 >> drop) << 8) |
                          uint32_t(b0 >> drop);
  WalkCacheEntry& cached = walkCache_[(prefix * 0x9E3779B1u) >> (32 - kWalkCacheBits)];
  int32_t end;
  if (cached.generation == generation_ && cached.prefix == prefix) {
    end = cached.node;
  } else {
    end = Walk(b0, b1, b2);
    cached = {generation_, prefix, end};
  }
  Totals& own = nodes_[size_t(end)].own;
  own.count += 1;
  own.sums[0] += b0;
  own.sums[1] += b1;
  own.sums[2] += b2;
  if (leafCount_ > leafBudget_) Reduce();
}

void OctreeQuantizer::AddRow(const uint8_t* pixels, int count) {
  for (int x = 0; x < count; ++x, pixels += 3) Add(pixels[0], pixels[1], pixels[2]);
}

OctreeQuantizer::Totals OctreeQuantizer::TotalOf(int32_t index) const {
  const Node& node = nodes_[size_t(index)];
  Totals total = node.own;
  for (int32_t child : node.children) {
    if (child == kNone) continue;
    Totals sub = TotalOf(child);
    total.count += sub.count;
    for (int c = 0; c < 3; ++c) total.sums[size_t(c)] += sub.sums[size_t(c)];
  }
  return total;
}

void OctreeQuantizer::Reduce() {
  int level = std::min(depthLimit_, kLevels) - 1;
  while (level >= 0 && reducibleHeads_[size_t(level)] == kNone) --level;
  if (level < 0) return;
  int32_t smallest = reducibleHeads_[size_t(level)];
  Totals smallestTotal = TotalOf(smallest);
  for (int32_t i = nodes_[size_t(smallest)].next; i != kNone; i = nodes_[size_t(i)].next) {
    Totals total = TotalOf(i);
    if (total.count < smallestTotal.count) {
      smallest = i;
      smallestTotal = total;
    }
  }
  UnlinkReducible(smallest);
  Node& node = nodes_[size_t(smallest)];
  for (int32_t& child : node.children) {
    if (child != kNone) DeleteSubtree(child);
    child = kNone;
  }
  // The folded node keeps every pixel that ever passed through it.
  nodes_[size_t(smallest)].own = smallestTotal;
  nodes_[size_t(smallest)].childCount = 0;
  nodes_[size_t(smallest)].leaf = true;
  ++leafCount_;
  if (level < depthLimit_ - 1) depthLimit_ = level + 1;
  ++generation_;  // cached walks may now end earlier
}

void OctreeQuantizer::DeleteSubtree(int32_t index) {
  for (int32_t child : nodes_[size_t(index)].children) {
    if (child != kNone) DeleteSubtree(child);
  }
  UnlinkReducible(index);
  if (nodes_[size_t(index)].leaf) --leafCount_;
  freeNodes_.push_back(index);
}

void OctreeQuantizer::CollectLeaves(int32_t index, std::vector<int32_t>& leaves) const {
  const Node& node = nodes_[size_t(index)];
  if (node.leaf || node.level >= depthLimit_) {
    leaves.push_back(index);
    return;
  }
  for (int32_t child : node.children) {
    if (child != kNone) CollectLeaves(child, leaves);
  }
}

std::vector<Rgb> OctreeQuantizer::Palette() const {
  std::vector<int32_t> leaves;
  CollectLeaves(root_, leaves);
  std::vector<Totals> totals;
  totals.reserve(leaves.size());
  for (int32_t leaf : leaves) totals.push_back(TotalOf(leaf));
  std::vector<size_t> order(leaves.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return totals[a].count < totals[b].count; });
  const size_t taken = std::min(order.size(), size_t(colors_));
  std::vector<Rgb> palette;
  palette.reserve(taken);
  for (size_t i = order.size() - taken; i < order.size(); ++i) {
    const Totals& t = totals[order[i]];
    if (t.count == 0) continue;
    palette.push_back({uint8_t(t.sums[2] / t.count), uint8_t(t.sums[1] / t.count),
                       uint8_t(t.sums[0] / t.count)});
  }
  return palette;
}

}  // namespace tintara
