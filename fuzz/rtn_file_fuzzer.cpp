// The .RTN reader: a refused file names the damaged part, a file that loads keeps
// every net well formed and saves to the same bytes (apart from a true "lines allowed" flag, written as 1, and node size and
// distance, which are clamped to their range).
#include <cstring>
#include <string>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "picture/text_measurer.h"
#include "rtn/rtn_drawing.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_layout.h"
#include "rtn/rtn_to_cfg.h"
#include "wmf_check.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    RecordingSink sink;
    TRtn rtn;
    TRtnFileOptions options;
    if (!ReadRtnBytes(bytes, rtn, options, sink, "input.rtn")) {
        FUZZ_CHECK(!sink.Empty(), "a refused file gave no message");
        const std::string damaged = MsgRtnMemory + " Read error in network file \"input.rtn\": ";
        FUZZ_CHECK(sink.Last().rfind(damaged, 0) == 0 || sink.Last() == MsgRtnLoadLowMemory,
                   "a refused file gave the message " + sink.Last());
        FUZZ_CHECK(rtn.empty(), "a refused file changed the network");
        return 0;
    }
    FUZZ_CHECK(sink.Empty(), "a loaded file gave the message " + sink.Last());
    for (const TRTNLine& net : rtn)
        FUZZ_CHECK(NetIsWellFormed(net), "a damaged net was loaded");
    FUZZ_CHECK(options.NodeSize >= MinRtnOption && options.NodeSize <= MaxRtnOption &&
                   options.NodeDist >= MinRtnOption && options.NodeDist <= MaxRtnOption,
               "display options out of range");

    const std::string saved = WriteRtnBytes(rtn, options);
    FUZZ_CHECK(saved.size() == bytes.size(), "saving changed the length from " +
                                                 std::to_string(bytes.size()) + " to " +
                                                 std::to_string(saved.size()));
    // The option block: a flag byte and two int32 values; the nets follow unchanged.
    FUZZ_CHECK(std::memcmp(saved.data() + 9, bytes.data() + 9, saved.size() - 9) == 0,
               "saving changed the nets");

    TRtn loaded;
    TRtnFileOptions loadedOptions;
    FUZZ_CHECK(ReadRtnBytes(saved, loaded, loadedOptions, sink) && loaded == rtn &&
                   loadedOptions == options,
               "save and load changed the network");

    // Whatever was loaded can be turned into grammar text, drawn and written as a
    // metafile without harm.
    std::vector<std::string> lines;
    NullSink quiet;
    RtnToCfgLines(rtn, lines, quiet);
    Picture picture;
    ApproxTextMeasurer measurer;
    if (DrawRtn(picture, measurer, rtn, MakeRtnMetrics(options.NodeSize, options.NodeDist),
                options.LinesAllowed))
        fuzz::CheckWmf(picture);
    return 0;
}
