// Octree colour quantiser: finds at most K representative colours of a
// stream of pixels, with bounded memory whatever the picture size.
//
// Each pixel walks from the root, one level per bit of its bytes (most
// significant first), counting itself in every node on the way. When the
// leaves outnumber the budget, the node with the fewest pixels on the deepest
// level that has branching nodes is folded into a leaf, and the tree stops
// growing below that level. The palette is the K most populous leaves.
//
// For speed a pixel is counted only where its walk ends; a node's count is
// that of its own pixels plus its children's, worked out when a reduction or
// the palette needs it. Walks are cached per colour prefix until the next
// reduction, since only a reduction can shorten a finished walk.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "colors/floss_color.h"

namespace tintara {

class OctreeQuantizer {
 public:
  // K colours; the leaf budget is K > 7 ? ((K - 2) / 7) × 7 + 8 : 8.
  explicit OctreeQuantizer(int colors);

  // One pixel, bytes in picture order: blue, green, red.
  void Add(uint8_t b0, uint8_t b1, uint8_t b2);
  // `count` pixels stored blue, green, red.
  void AddRow(const uint8_t* pixels, int count);

  // At most K colours, the most populous leaves in ascending order of pixel
  // count; each is the integer mean of its pixels.
  std::vector<Rgb> Palette() const;

  int LeafBudget() const { return leafBudget_; }
  int LeafCount() const { return leafCount_; }
  int DepthLimit() const { return depthLimit_; }

 private:
  static constexpr int32_t kNone = -1;
  static constexpr int kLevels = 8;

  struct Totals {
    uint64_t count = 0;
    std::array<uint64_t, 3> sums{};  // of b0, b1, b2
  };

  struct Node {
    Totals own;  // pixels whose walk ended here
    std::array<int32_t, 8> children{kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
    int32_t previous = kNone;  // reducible list links
    int32_t next = kNone;
    uint8_t level = 0;
    uint8_t childCount = 0;
    bool leaf = false;
    bool reducible = false;  // in its level's reducible list
  };

  struct WalkCacheEntry {
    uint32_t generation = 0;  // 0: empty
    uint32_t prefix = 0;
    int32_t node = kNone;
  };
  static constexpr int kWalkCacheBits = 12;

  int32_t Walk(uint8_t b0, uint8_t b1, uint8_t b2);
  int32_t NewNode(int level);
  void PushReducible(int32_t node);
  void UnlinkReducible(int32_t node);
  void Reduce();
  void DeleteSubtree(int32_t node);
  Totals TotalOf(int32_t node) const;
  void CollectLeaves(int32_t node, std::vector<int32_t>& leaves) const;

  int colors_;
  int leafBudget_;
  int depthLimit_ = kLevels;
  int leafCount_ = 0;
  std::vector<Node> nodes_;
  std::vector<int32_t> freeNodes_;
  std::array<int32_t, kLevels> reducibleHeads_;
  int32_t root_ = kNone;
  uint32_t generation_ = 1;
  std::vector<WalkCacheEntry> walkCache_;
};

}  // namespace tintara
