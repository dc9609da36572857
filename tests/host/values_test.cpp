#include "services/values.h"

#include <gtest/gtest.h>

TEST(StoredBlock, RoundTripsAndRefusesDamagedHeaders) {
  const uint8_t bytes[] = {'A', 'B', 'C'};
  std::string stored;
  AppendStoredBlock({bytes, 3}, &stored);
  ASSERT_EQ(stored.size(), 11u);
  EXPECT_EQ(stored.substr(0, 8), std::string("\1\0\0\0\3\0\0\0", 8));

  const auto* data = reinterpret_cast<const uint8_t*>(stored.data());
  ByteBlock block;
  ASSERT_TRUE(ReadStoredBlock(data, stored.size(), &block));
  EXPECT_EQ(block.size, 3u);
  EXPECT_EQ(block.data, data + 8);

  EXPECT_FALSE(ReadStoredBlock(data, 10, &block)) << "byte count past the end";
  EXPECT_FALSE(ReadStoredBlock(data, 7, &block)) << "short header";
  std::string twoDimensions = stored;
  twoDimensions[0] = 2;
  EXPECT_FALSE(ReadStoredBlock(reinterpret_cast<const uint8_t*>(twoDimensions.data()),
                               twoDimensions.size(), &block));
  // A byte count near 2^32 must not wrap the bounds check.
  std::string huge = stored;
  huge.replace(4, 4, "\xFF\xFF\xFF\xFF");
  EXPECT_FALSE(ReadStoredBlock(reinterpret_cast<const uint8_t*>(huge.data()), huge.size(), &block));

  std::string empty;
  AppendStoredBlock({}, &empty);
  ASSERT_TRUE(ReadStoredBlock(reinterpret_cast<const uint8_t*>(empty.data()), empty.size(), &block));
  EXPECT_EQ(block.size, 0u);
}
