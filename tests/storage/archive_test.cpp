#include "storage/archive.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

std::vector<uint8_t> Encode(const std::string& text) {
  VectorSink sink;
  ArchiveWriter writer(sink);
  writer.WriteString(text);
  return sink.bytes;
}

TEST(ArchiveTest, IntegersAreLittleEndian) {
  VectorSink sink;
  ArchiveWriter writer(sink);
  writer.WriteInt32(-2);
  writer.WriteUInt16(0x1234);
  writer.WriteByte(7);
  EXPECT_EQ(sink.bytes, (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 7}));
  ArchiveReader reader(sink.bytes);
  int32_t i;
  uint16_t s;
  uint8_t b;
  ASSERT_TRUE(reader.ReadInt32(i) && reader.ReadUInt16(s) && reader.ReadByte(b));
  EXPECT_EQ(i, -2);
  EXPECT_EQ(s, 0x1234);
  EXPECT_EQ(b, 7);
  EXPECT_FALSE(reader.ReadByte(b));
  EXPECT_FALSE(reader.Ok());
}

TEST(ArchiveTest, StringLengthFormsAtTheirBoundaries) {
  struct Case {
    size_t length;
    std::vector<uint8_t> prefix;
  };
  const Case cases[] = {
      {0, {0}},
      {254, {254}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    std::string text(c.length, 'x');
    if (!text.empty()) text.back() = 'y';
    std::vector<uint8_t> bytes = Encode(text);
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
    ArchiveReader reader(bytes);
    std::string back;
    ASSERT_TRUE(reader.ReadString(back)) << c.length;
    EXPECT_EQ(back, text);
    EXPECT_EQ(reader.Remaining(), 0u);
  }
}

TEST(ArchiveTest, ShortInputFailsWithoutAllocatingFromTheLength) {
  // Claims four gigabytes but holds three bytes.
  std::vector<uint8_t> bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'};
  ArchiveReader reader(bytes);
  std::string text = "unchanged";
  EXPECT_FALSE(reader.ReadString(text));
  EXPECT_EQ(text, "unchanged");
  for (size_t cut = 0; cut < 4; ++cut) {
    std::vector<uint8_t> shortInt(cut, 1);
    ArchiveReader r(shortInt);
    int32_t value = 5;
    EXPECT_FALSE(r.ReadInt32(value));
    EXPECT_EQ(value, 5);
  }
  std::vector<uint8_t> truncated = Encode(std::string(300, 'q'));
  truncated.pop_back();
  ArchiveReader r(truncated);
  std::string out;
  EXPECT_FALSE(r.ReadString(out));
}

}  // namespace
}  // namespace tintara
