#include <gtest/gtest.h>

#include "base/big_uint.h"

using namespace gramarbor;

TEST(BigUint, AddsAndMultipliesBeyondSixtyFourBits) {
    BigUint value(1);
    for (int i = 0; i < 100; ++i)
        value = value * BigUint(2);
    EXPECT_EQ(value.ToString(), "1267650600228229401496703205376");
    uint64_t small = 0;
    EXPECT_FALSE(value.ToU64(small));
    BigUint sum = BigUint(UINT64_MAX) + BigUint(1);
    EXPECT_EQ(sum.ToString(), "18446744073709551616");
    EXPECT_TRUE(BigUint(5) < sum);
    EXPECT_TRUE(BigUint(1000000000).ToU64(small));
    EXPECT_EQ(small, 1000000000u);
    EXPECT_EQ(BigUint().ToString(), "0");
    EXPECT_EQ((BigUint(0) * sum).ToString(), "0");
    EXPECT_EQ(BigUint(1000000000000000000ull).ToString(), "1000000000000000000");
}
