// Splits a written metafile into its headers and records, for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wmftest {

struct Record {
    uint16_t Function = 0;
    std::string Params; // the parameter bytes after the 6-byte record header
    int16_t Word(std::size_t i) const {
        return static_cast<int16_t>(static_cast<uint8_t>(Params.at(2 * i)) |
                                    (static_cast<uint8_t>(Params.at(2 * i + 1)) << 8));
    }
    std::vector<int16_t> Words() const {
        std::vector<int16_t> words;
        for (std::size_t i = 0; 2 * i + 1 < Params.size(); ++i)
            words.push_back(Word(i));
        return words;
    }
};

struct Metafile {
    bool Ok = false;
    std::string Problem;
    uint16_t Box[4] = {};
    uint16_t Inch = 0;
    uint16_t Type = 0;
    uint32_t SizeWords = 0;
    uint16_t Objects = 0;
    uint32_t MaxRecord = 0;
    std::vector<Record> Records;
};

// Checks the structure (key, checksum, sizes, end record) and splits the records.
Metafile ParseWmf(const std::string& bytes);

} // namespace wmftest
