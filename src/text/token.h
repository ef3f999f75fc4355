// Tokens as the scanner produces them and the parser reads them.
#pragma once

#include <cstdint>
#include <string>

namespace gramarbor {

// Token codes. Keywords and symbols carry the caller's values 1..65529.
inline constexpr int32_t tkError = 0;
inline constexpr int32_t tkIdent = 65530;
inline constexpr int32_t tkFloat = 65531;
inline constexpr int32_t tkInteger = 65532;
inline constexpr int32_t tkEndOfInput = 65535;
inline constexpr int32_t MaxKeywordCode = 65529;

struct TTokVal {
    std::string Text;
    long double Value = 0;
};

struct TTokLst {
    int32_t Code = 0;
    TTokVal Val;
};

} // namespace gramarbor
