// How the trace device cuts lines into chunks for the viewer, and the
// exception line format.
#include "util/trace_buffer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A line of `length` characters that differ along the line, so that a chunk
// taken from the wrong place shows.
std::string NumberedLine(std::size_t length) {
  std::string line;
  for (std::size_t i = 0; i < length; ++i) line += static_cast<char>('A' + i % 26);
  return line;
}

TEST(TraceBufferTest, LineChunksFollowTheBufferSize) {
  struct Case {
    std::size_t length;
    std::vector<std::size_t> sizes;
  };
  const Case cases[] = {
      {0, {2}},                 // an empty line still ends the line
      {1, {3}},
      {126, {128}},             // the terminator exactly fills the buffer
      {127, {128, 1}},          // CR fills the buffer, LF goes alone
      {128, {128, 2}},
      {129, {128, 3}},
      {256, {128, 128, 2}},
      {300, {128, 128, 46}},
  };
  for (const Case& c : cases) {
    const std::string line = NumberedLine(c.length);
    const std::vector<std::string> chunks = TraceLineChunks(line);
    std::vector<std::size_t> sizes;
    std::string joined;
    for (const std::string& chunk : chunks) {
      sizes.push_back(chunk.size());
      joined += chunk;
    }
    EXPECT_EQ(sizes, c.sizes) << "length " << c.length;
    EXPECT_EQ(joined, line + "\r\n") << "length " << c.length;
  }
}

TEST(TraceBufferTest, PartialWritesWaitForTheLineEnd) {
  std::vector<std::string> chunks;
  TraceBuffer buffer([&chunks](std::string_view chunk) { chunks.emplace_back(chunk); });
  buffer.Write(std::string(100, 'a'));
  EXPECT_TRUE(chunks.empty());
  buffer.Write(std::string(100, 'b'));
  ASSERT_EQ(chunks.size(), 1u);
  EXPECT_EQ(chunks[0], std::string(100, 'a') + std::string(28, 'b'));
  buffer.WriteLine("c");
  ASSERT_EQ(chunks.size(), 2u);
  EXPECT_EQ(chunks[1], std::string(72, 'b') + "c\r\n");
  buffer.Flush();  // nothing left: no empty chunk
  EXPECT_EQ(chunks.size(), 2u);
}

TEST(TraceBufferTest, ThrowingSinkDoesNotResendTheChunk) {
  std::vector<std::string> chunks;
  bool fail = true;
  TraceBuffer buffer([&](std::string_view chunk) {
    if (fail) throw std::runtime_error("sink down");
    chunks.emplace_back(chunk);
  });
  EXPECT_THROW(buffer.WriteLine("lost"), std::runtime_error);
  fail = false;
  buffer.WriteLine("kept");
  EXPECT_EQ(chunks, std::vector<std::string>{"kept\r\n"});
}

TEST(TraceBufferTest, ExceptionLine) {
  EXPECT_EQ(ExceptionTraceLine("YieldX", "Access violation"), " --- YieldX() --- Access violation");
  EXPECT_EQ(ExceptionTraceLine("", ""), " --- () --- ");
}

}  // namespace
