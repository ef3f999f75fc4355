// Golden files: a text compared byte for byte with a file under tests/data. With
// GRAMARBOR_UPDATE_GOLDEN=1 in the environment the file is first written anew, to be
// reviewed in the change like any other.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace gramarbor::testing {

inline void ExpectGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(GRAMARBOR_TEST_DATA) + "/" + name;
    const char* update = std::getenv("GRAMARBOR_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") std::ofstream(path, std::ios::binary) << text;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no golden file " << path;
    std::ostringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(text, golden.str()) << path;
}

} // namespace gramarbor::testing
