// Arithmetic of BigUint: addition, multiplication, comparison and decimal text.
#include "base/big_uint.h"

#include <algorithm>

namespace gramarbor {

BigUint::BigUint(uint64_t value) {
    while (value != 0) {
        Limbs.push_back(static_cast<uint32_t>(value));
        value >>= 32;
    }
}

void BigUint::Trim() {
    while (!Limbs.empty() && Limbs.back() == 0)
        Limbs.pop_back();
}

bool BigUint::ToU64(uint64_t& value) const {
    if (Limbs.size() > 2) return false;
    value = 0;
    for (std::size_t i = Limbs.size(); i-- > 0;)
        value = (value << 32) | Limbs[i];
    return true;
}

BigUint& BigUint::operator+=(const BigUint& other) {
    if (other.Limbs.size() > Limbs.size()) Limbs.resize(other.Limbs.size(), 0);
    uint64_t carry = 0;
    for (std::size_t i = 0; i < Limbs.size(); ++i) {
        const uint64_t sum =
            uint64_t(Limbs[i]) + (i < other.Limbs.size() ? other.Limbs[i] : 0) + carry;
        Limbs[i] = static_cast<uint32_t>(sum);
        carry = sum >> 32;
        if (carry == 0 && i >= other.Limbs.size()) break;
    }
    if (carry != 0) Limbs.push_back(static_cast<uint32_t>(carry));
    return *this;
}

BigUint& BigUint::operator-=(const BigUint& other) {
    int64_t borrow = 0;
    for (std::size_t i = 0; i < Limbs.size(); ++i) {
        int64_t diff = int64_t(Limbs[i]) - (i < other.Limbs.size() ? other.Limbs[i] : 0) - borrow;
        borrow = diff < 0 ? 1 : 0;
        if (diff < 0) diff += int64_t(1) << 32;
        Limbs[i] = static_cast<uint32_t>(diff);
        if (borrow == 0 && i >= other.Limbs.size()) break;
    }
    Trim();
    return *this;
}

bool BigUint::FromString(const std::string& text, BigUint& value) {
    // 4,000 digits are far beyond any count of trees a chart can hold.
    if (text.empty() || text.size() > 4000) return false;
    BigUint result;
    const BigUint ten(10);
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * ten + BigUint(static_cast<uint64_t>(c - '0'));
    }
    value = result;
    return true;
}

BigUint operator*(const BigUint& a, const BigUint& b) {
    BigUint product;
    if (a.IsZero() || b.IsZero()) return product;
    product.Limbs.assign(a.Limbs.size() + b.Limbs.size(), 0);
    for (std::size_t i = 0; i < a.Limbs.size(); ++i) {
        uint64_t carry = 0;
        for (std::size_t j = 0; j < b.Limbs.size(); ++j) {
            const uint64_t cur = uint64_t(a.Limbs[i]) * b.Limbs[j] + product.Limbs[i + j] + carry;
            product.Limbs[i + j] = static_cast<uint32_t>(cur);
            carry = cur >> 32;
        }
        std::size_t k = i + b.Limbs.size();
        while (carry != 0) {
            const uint64_t cur = uint64_t(product.Limbs[k]) + carry;
            product.Limbs[k] = static_cast<uint32_t>(cur);
            carry = cur >> 32;
            ++k;
        }
    }
    product.Trim();
    return product;
}

bool operator<(const BigUint& a, const BigUint& b) {
    if (a.Limbs.size() != b.Limbs.size()) return a.Limbs.size() < b.Limbs.size();
    for (std::size_t i = a.Limbs.size(); i-- > 0;)
        if (a.Limbs[i] != b.Limbs[i]) return a.Limbs[i] < b.Limbs[i];
    return false;
}

std::string BigUint::ToString() const {
    if (IsZero()) return "0";
    std::vector<uint32_t> digits = Limbs;
    std::string text;
    // Divide by 10^9 repeatedly; each remainder gives nine decimal digits.
    while (!digits.empty()) {
        uint64_t remainder = 0;
        for (std::size_t i = digits.size(); i-- > 0;) {
            const uint64_t cur = (remainder << 32) | digits[i];
            digits[i] = static_cast<uint32_t>(cur / 1000000000u);
            remainder = cur % 1000000000u;
        }
        while (!digits.empty() && digits.back() == 0)
            digits.pop_back();
        std::string chunk = std::to_string(remainder);
        if (!digits.empty()) chunk.insert(0, 9 - chunk.size(), '0');
        text.insert(0, chunk);
    }
    return text;
}

} // namespace gramarbor
