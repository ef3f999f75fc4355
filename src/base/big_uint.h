// Unsigned integers of any size, for exact counts that outgrow 64 bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gramarbor {

class BigUint {
public:
    BigUint() = default;
    BigUint(uint64_t value); // NOLINT: implicit on purpose, counts start small

    bool IsZero() const { return Limbs.empty(); }
    // True when the value fits into 64 bits; then value receives it.
    bool ToU64(uint64_t& value) const;
    std::string ToString() const;
    // Reads a decimal number of digits only (no sign, no blanks, at most 4,000 digits);
    // false when text is not one.
    static bool FromString(const std::string& text, BigUint& value);

    BigUint& operator+=(const BigUint& other);
    // Precondition: other is not greater than this.
    BigUint& operator-=(const BigUint& other);
    friend BigUint operator+(BigUint a, const BigUint& b) { return a += b; }
    friend BigUint operator*(const BigUint& a, const BigUint& b);
    friend bool operator==(const BigUint&, const BigUint&) = default;
    friend bool operator<(const BigUint& a, const BigUint& b);

private:
    void Trim();
    // Little-endian base-2^32 digits without leading zeros; empty for zero.
    std::vector<uint32_t> Limbs;
};

} // namespace gramarbor
