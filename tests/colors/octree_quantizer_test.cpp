#include "colors/reduction/octree_quantizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <list>
#include <memory>
#include <random>

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

// The quantiser exactly as described, the slow way: every node on a walk
// counts the pixel, lists hold raw pointers, nothing is cached.
class ReferenceOctree {
 public:
  explicit ReferenceOctree(int k) : k_(k), budget_(k > 7 ? ((k - 2) / 7) * 7 + 8 : 8) {
    root_ = Make(0);
  }

  void Add(uint8_t b0, uint8_t b1, uint8_t b2) {
    Node* n = root_.get();
    for (;;) {
      n->count += 1;
      n->sum[0] += b0;
      n->sum[1] += b1;
      n->sum[2] += b2;
      if (n->leaf || n->level >= depthLimit_) break;
      const int shift = 7 - n->level;
      const int slot = ((b2 >> shift) & 1) * 4 + ((b1 >> shift) & 1) * 2 + ((b0 >> shift) & 1);
      if (!n->child[size_t(slot)]) {
        n->child[size_t(slot)] = Make(n->level + 1);
        if (++n->children > 1 && !n->listed) {
          reducible_[size_t(n->level)].push_front(n);
          n->listed = true;
        }
      }
      n = n->child[size_t(slot)].get();
    }
    if (leaves_ > budget_) Reduce();
  }

  std::vector<Rgb> Palette() const {
    std::vector<const Node*> leaves;
    Collect(*root_, leaves);
    std::stable_sort(leaves.begin(), leaves.end(),
                     [](const Node* a, const Node* b) { return a->count < b->count; });
    std::vector<Rgb> palette;
    for (size_t i = leaves.size() - std::min(leaves.size(), size_t(k_)); i < leaves.size(); ++i) {
      const Node& n = *leaves[i];
      palette.push_back(
          {uint8_t(n.sum[2] / n.count), uint8_t(n.sum[1] / n.count), uint8_t(n.sum[0] / n.count)});
    }
    return palette;
  }

 private:
  struct Node {
    int level = 0;
    bool leaf = false;
    bool listed = false;
    int children = 0;
    uint64_t count = 0;
    uint64_t sum[3] = {0, 0, 0};
    std::array<std::unique_ptr<Node>, 8> child;
  };

  std::unique_ptr<Node> Make(int level) {
    auto n = std::make_unique<Node>();
    n->level = level;
    n->leaf = level >= depthLimit_;
    if (n->leaf) ++leaves_;
    return n;
  }

  void Reduce() {
    int level = std::min(depthLimit_, 8) - 1;
    while (level >= 0 && reducible_[size_t(level)].empty()) --level;
    if (level < 0) return;
    auto& list = reducible_[size_t(level)];
    auto best = list.begin();
    for (auto it = list.begin(); it != list.end(); ++it) {
      if ((*it)->count < (*best)->count) best = it;
    }
    Node* n = *best;
    list.erase(best);
    n->listed = false;
    for (auto& c : n->child) {
      if (c) Drop(*c);
      c.reset();
    }
    n->children = 0;
    n->leaf = true;
    ++leaves_;
    if (level < depthLimit_ - 1) depthLimit_ = level + 1;
  }

  void Drop(Node& n) {
    for (auto& c : n.child) {
      if (c) Drop(*c);
    }
    if (n.listed) reducible_[size_t(n.level)].remove(&n);
    if (n.leaf) --leaves_;
  }

  void Collect(const Node& n, std::vector<const Node*>& out) const {
    if (n.leaf || n.level >= depthLimit_) {
      out.push_back(&n);
      return;
    }
    for (const auto& c : n.child) {
      if (c) Collect(*c, out);
    }
  }

  int k_;
  int budget_;
  int depthLimit_ = 8;
  int leaves_ = 0;
  std::unique_ptr<Node> root_;
  std::array<std::list<Node*>, 8> reducible_;
};

TEST(OctreeQuantizer, LeafBudget) {
  EXPECT_EQ(OctreeQuantizer(2).LeafBudget(), 8);
  EXPECT_EQ(OctreeQuantizer(7).LeafBudget(), 8);
  EXPECT_EQ(OctreeQuantizer(9).LeafBudget(), 15);
  EXPECT_EQ(OctreeQuantizer(32).LeafBudget(), 36);
  EXPECT_EQ(OctreeQuantizer(256).LeafBudget(), 260);
}

TEST(OctreeQuantizer, FewColoursComeBackExactlyByCount) {
  OctreeQuantizer q(2);
  for (int i = 0; i < 5; ++i) q.Add(10, 20, 30);  // blue, green, red
  for (int i = 0; i < 3; ++i) q.Add(200, 100, 0);
  q.Add(1, 2, 3);
  // The two most populous, fewest first, as red, green, blue.
  EXPECT_EQ(q.Palette(), (std::vector<Rgb>{{0, 100, 200}, {30, 20, 10}}));
  EXPECT_EQ(OctreeQuantizer(4).Palette(), std::vector<Rgb>{});  // no pixels, no colours
}

TEST(OctreeQuantizer, DeepestReductionFoldsTheSmallestNode) {
  // Eight colours differing in their top bits fill the root's eight slots
  // with chains down to level 8: eight leaves, the budget for K = 2.
  OctreeQuantizer q(2);
  for (int s = 0; s < 8; ++s)
    q.Add(uint8_t((s & 1) * 128), uint8_t((s >> 1 & 1) * 128), uint8_t((s >> 2) * 128));
  EXPECT_EQ(q.LeafCount(), 8);
  // Blue 1 parts from blue 0 only at level 7: that node is the only deep
  // reducible one, so it folds; both its pixels average to blue 0.
  q.Add(1, 0, 0);
  EXPECT_EQ(q.LeafCount(), 8);
  EXPECT_EQ(q.DepthLimit(), 8);  // level 7 is the limit's own last level
  std::vector<Rgb> palette = q.Palette();
  ASSERT_EQ(palette.size(), 2u);
  EXPECT_EQ(palette[1], (Rgb{0, 0, 0}));  // two pixels: the most populous
}

TEST(OctreeQuantizer, ReductionLowersTheDepthLimit) {
  // Eight colours under one root slot make a level-1 node with eight children.
  OctreeQuantizer q(2);
  for (int s = 0; s < 8; ++s)
    q.Add(uint8_t((s & 1) * 64), uint8_t((s >> 1 & 1) * 64), uint8_t((s >> 2) * 64));
  // A ninth leaf elsewhere: the level-1 node (the deepest reducible) folds
  // into one leaf of mean (32, 32, 32) and nothing grows below level 2 now.
  q.Add(0, 0, 128);
  EXPECT_EQ(q.LeafCount(), 2);
  EXPECT_EQ(q.DepthLimit(), 2);
  EXPECT_EQ(q.Palette(), (std::vector<Rgb>{{128, 0, 0}, {32, 32, 32}}));
  // The new colour's walk now ends at level 2; another colour beside it
  // adds a leaf there without any reduction.
  q.Add(0, 0, 128);
  q.Add(0, 0, 192);
  EXPECT_EQ(q.LeafCount(), 3);
  EXPECT_EQ(q.Palette(), (std::vector<Rgb>{{128, 0, 0}, {32, 32, 32}}));
}

std::vector<Rgb> Quantize(OctreeQuantizer& q, ReferenceOctree& reference,
                          const std::vector<std::array<uint8_t, 3>>& pixels) {
  for (const auto& p : pixels) {
    q.Add(p[0], p[1], p[2]);
    reference.Add(p[0], p[1], p[2]);
  }
  return reference.Palette();
}

TEST(OctreeQuantizer, SameAsTheStraightforwardTree) {
  std::mt19937 random(11);
  for (int k : {2, 5, 8, 16, 32, 64}) {
    for (int trial = 0; trial < 4; ++trial) {
      // Few colours with runs (cached walks) mixed with scattered ones.
      std::vector<std::array<uint8_t, 3>> colors(size_t(20 + 40 * trial));
      for (auto& c : colors) c = {uint8_t(random()), uint8_t(random()), uint8_t(random())};
      std::vector<std::array<uint8_t, 3>> pixels;
      for (int i = 0; i < 3000; ++i) {
        const auto& c = colors[random() % colors.size()];
        for (unsigned run = random() % 4; run-- > 0;) pixels.push_back(c);
        pixels.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
      }
      OctreeQuantizer q(k);
      ReferenceOctree reference(k);
      std::vector<Rgb> expected = Quantize(q, reference, pixels);
      EXPECT_EQ(q.Palette(), expected) << "K " << k << " trial " << trial;
      EXPECT_LE(q.LeafCount(), q.LeafBudget());
    }
  }
}

TEST(OctreeQuantizer, PhotoMatchesAndStaysWithinBudget) {
  ImageRef photo = test::MakePhoto(160, 120, 3);
  OctreeQuantizer q(32);
  ReferenceOctree reference(32);
  for (int32_t y = 0; y < photo->Height(); ++y) {
    const uint8_t* row = photo->Row(y);
    q.AddRow(row, photo->Width());
    for (int32_t x = 0; x < photo->Width(); ++x)
      reference.Add(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    ASSERT_LE(q.LeafCount(), q.LeafBudget());
  }
  std::vector<Rgb> palette = q.Palette();
  EXPECT_EQ(palette.size(), 32u);
  EXPECT_EQ(palette, reference.Palette());
}

}  // namespace
}  // namespace tintara
