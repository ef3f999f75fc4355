// Tests of the bounded byte reader and the byte writer.
#include <gtest/gtest.h>

#include <tuple>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

using namespace gramarbor;

TEST(ByteIo, RoundTripsEveryFieldLittleEndian) {
    ByteWriter writer;
    writer.WriteU8(0xAB);
    writer.WriteU16(0x1234);
    writer.WriteI16(-2);
    writer.WriteI32(-123456);
    writer.WriteString("Net0");
    EXPECT_EQ(writer.Data(), std::string("\xAB\x34\x12\xFE\xFF\xC0\x1D\xFE\xFF\x04\0\0\0Net0", 17));

    ByteReader reader(writer.Data());
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    int16_t i16 = 0;
    int32_t i32 = 0;
    std::string text;
    ASSERT_TRUE(reader.ReadU8(u8) && reader.ReadU16(u16) && reader.ReadI16(i16) &&
                reader.ReadI32(i32) && reader.ReadString(text));
    EXPECT_EQ(std::tie(u8, u16, i16, i32, text),
              std::make_tuple(uint8_t(0xAB), uint16_t(0x1234), int16_t(-2), -123456,
                              std::string("Net0")));
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ByteIo, RefusesLengthsBeyondTheEndAndStaysFailed) {
    ByteWriter writer;
    writer.WriteI32(1000);
    writer.WriteBytes("abc");
    ByteReader reader(writer.Data());
    std::string text;
    EXPECT_FALSE(reader.ReadString(text));
    EXPECT_FALSE(reader.Ok());
    uint8_t byte = 0;
    EXPECT_FALSE(reader.ReadU8(byte));
}

TEST(ByteIo, RefusesNegativeLengthsAndCountsThatCannotFit) {
    ByteWriter writer;
    writer.WriteI32(-1);
    ByteReader negative(writer.Data());
    std::string text;
    EXPECT_FALSE(negative.ReadString(text));

    ByteWriter counts;
    counts.WriteI32(3);
    counts.WriteBytes("12345678");
    ByteReader tooMany(counts.Data());
    int32_t count = 0;
    EXPECT_FALSE(tooMany.ReadCount(count, 100, 4)); // 3 items of 4 bytes need 12
    ByteReader fits(counts.Data());
    EXPECT_TRUE(fits.ReadCount(count, 100, 2));
    EXPECT_EQ(count, 3);
}
