// Text decoding at the edges (Windows-1252 <-> UTF-8, text files) and the case
// folding and line helpers every reader uses.
#include <string>

#include "base/file_io.h"
#include "fuzz_support.h"
#include "text/cp1252.h"
#include "text/text_utils.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);

    // Windows-1252 -> UTF-8 -> Windows-1252 is lossless.
    const std::string utf8 = Cp1252ToUtf8(bytes);
    FUZZ_CHECK(IsValidUtf8(utf8), "converted text is not UTF-8");
    std::string back;
    FUZZ_CHECK(Utf8ToCp1252(utf8, back) && back == bytes, "Windows-1252 round trip lost bytes");

    // UTF-8 -> Windows-1252 either names a culprit inside the text or converts back.
    std::string converted;
    std::size_t bad = SIZE_MAX;
    if (Utf8ToCp1252(bytes, converted, &bad))
        FUZZ_CHECK(Cp1252ToUtf8(converted) == bytes, "UTF-8 round trip changed the text");
    else
        FUZZ_CHECK(bad < bytes.size(), "failed conversion without a culprit inside the text");

    // A text file that is not UTF-8 is taken unchanged.
    std::string text;
    int badLine = 0;
    if (DecodeTextFile(bytes, text, &badLine)) {
        // (a leading UTF-8 byte-order mark is dropped even when the rest is not UTF-8)
        const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
        if (!IsValidUtf8(bytes.substr(bom ? 3 : 0)))
            FUZZ_CHECK(text == bytes.substr(bom ? 3 : 0), "a Windows-1252 file was changed");
    } else {
        FUZZ_CHECK(badLine >= 1, "a refused file without its line");
    }

    // Lines survive joining with CR LF.
    const std::vector<std::string> lines = SplitTextLines(bytes);
    FUZZ_CHECK(SplitTextLines(JoinLinesCrLf(lines)) == lines, "lines changed by joining");

    // Case folding is idempotent and keeps the length.
    const std::string upper = UpperCaseGerman(std::string(bytes));
    FUZZ_CHECK(upper.size() == bytes.size() && UpperCaseGerman(upper) == upper,
               "upper case is not stable");
    const std::string lower = LowerCaseGerman(std::string(bytes), false);
    FUZZ_CHECK(lower.size() == bytes.size() && LowerCaseGerman(lower, false) == lower,
               "lower case is not stable");
    if (IsIdentifier(std::string(bytes))) FUZZ_CHECK(IsIdentifier(upper), "case changed identity");
    return 0;
}
