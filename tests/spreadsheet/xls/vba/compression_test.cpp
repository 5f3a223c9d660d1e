#include "spreadsheet/xls/vba/compression.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "spreadsheet/xls/vba/project_error.h"

namespace tabrel::xls::vba {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytes_of(std::string_view s) { return Bytes(s.begin(), s.end()); }

// The format's published examples: text that does not compress and text that does.
TEST(VbaCompression, PublishedExamples) {
  const Bytes plain = bytes_of("abcdefghijklmnopqrstuv.");
  const Bytes plain_packed{0x01, 0x19, 0xB0, 0x00, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x00, 0x69, 0x6A,
                           0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x00, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x2E};
  EXPECT_EQ(compress(plain), plain_packed);
  EXPECT_EQ(decompress(plain_packed), plain);

  const Bytes text = bytes_of("#aaabcdefaaaaghijaaaaaklaaamnopqaaaaaaaaaaaarstuvwxyzaaa");
  const Bytes text_packed{0x01, 0x2F, 0xB0, 0x00, 0x23, 0x61, 0x61, 0x61, 0x62, 0x63, 0x64, 0x65, 0x82, 0x66, 0x00, 0x70,
                          0x61, 0x67, 0x68, 0x69, 0x6A, 0x01, 0x38, 0x08, 0x61, 0x6B, 0x6C, 0x00, 0x20, 0x6D, 0x6E, 0x6F,
                          0x70, 0x06, 0x71, 0x02, 0x70, 0x04, 0x00, 0x72, 0x73, 0x74, 0x75, 0x76, 0x10, 0x77, 0x78, 0x79,
                          0x7A, 0x00, 0x2C};
  EXPECT_EQ(decompress(text_packed), text);
  EXPECT_EQ(compress(text), text_packed);
}

TEST(VbaCompression, RoundTripsAcrossChunks) {
  std::mt19937 random(7);
  std::string source;
  while (source.size() < 20000) source += "Range(\"A" + std::to_string(random() % 100) + "\").Select\r\n";
  Bytes noise(4096 + 4000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
  const Bytes run(10000, 'a');
  for (const Bytes& data : {Bytes{}, bytes_of("x"), bytes_of(source), run, Bytes(4096, 'z')}) {
    const Bytes packed = compress(data);
    EXPECT_EQ(decompress(packed), data);
    EXPECT_LT(packed.size(), data.size() / 2 + 8);
  }
  // Bytes that do not compress are stored raw, 4096 at a time, so a short last chunk is padded.
  Bytes padded = noise;
  padded.resize(2 * 4096, 0);
  EXPECT_EQ(decompress(compress(noise)), padded);
  EXPECT_EQ(decompress(compress(std::span(noise).first(1000))), Bytes(noise.begin(), noise.begin() + 1000));
}

TEST(VbaCompression, BrokenContainersAreRefused) {
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"no signature", {}},
      {"wrong signature", {0x02, 0x19, 0xB0, 0x00, 0x61}},
      {"header cut short", {0x01, 0x19}},
      {"wrong chunk signature", {0x01, 0x19, 0xC0, 0x00, 0x61}},
      {"copy token before the chunk", {0x01, 0x03, 0xB0, 0x01, 0x00, 0x00}},
      {"copy token cut short", {0x01, 0x02, 0xB0, 0x02, 0x61, 0x00}},
      {"raw chunk too short", {0x01, 0xFF, 0x3F, 0x61, 0x62}},
  };
  for (const auto& c : cases) EXPECT_THROW(decompress(c.bytes), ProjectError) << c.what;
}

// A copy token repeats up to 4098 bytes: a few hostile bytes must not make a large output.
TEST(VbaCompression, OutputIsBounded) {
  // Six bytes make a full chunk: one literal and one copy token that repeats it 4095 times.
  const Bytes chunk{0x03, 0xB0, 0x02, 0x61, 0xFC, 0x0F};
  Bytes bomb{0x01};
  for (int i = 0; i < 2000; ++i) bomb.insert(bomb.end(), chunk.begin(), chunk.end());
  EXPECT_EQ(decompress(std::span(bomb).first(7)), Bytes(4096, 0x61));
  EXPECT_THROW(decompress(bomb, 1 << 20), ProjectError);
  // A chunk may not grow past 4096 bytes.
  EXPECT_THROW(decompress(Bytes{0x01, 0x03, 0xB0, 0x02, 0x61, 0xFF, 0x0F}), ProjectError);
}

}  // namespace
}  // namespace tabrel::xls::vba
