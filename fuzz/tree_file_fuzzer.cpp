// The .TRE reader: a file that loads saves to the same bytes (apart from the filler
// bytes of the attribute records, which are written as 0, and a true annotation flag,
// written as 1), and saving is a fixed point.
#include <string>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "tree/tree.h"
#include "tree_compare.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    RecordingSink sink;
    TTree tree(true, sink);
    if (!tree.LoadTreeBytes(bytes, "fuzz.tre")) {
        FUZZ_CHECK(!sink.Empty(), "a refused file gave no message");
        FUZZ_CHECK(!tree.GetRoot(), "a refused file changed the tree");
        return 0;
    }
    FUZZ_CHECK(sink.Empty(), "a loaded file gave the message " + sink.Last());
    FUZZ_CHECK(tree.GetRoot(), "a loaded file gave no tree");
    bool childrenOk = true;
    const int depth = fuzz::Depth(tree.GetRoot(), childrenOk);
    FUZZ_CHECK(childrenOk, "a node with more than four children was loaded");
    FUZZ_CHECK(depth <= MaxGridPosition + 1, "nesting beyond the grid was loaded");

    const uint8_t flag = static_cast<uint8_t>(bytes[0]);
    std::string saved;
    FUZZ_CHECK(tree.SaveTreeBytes(tree.GetRoot(), flag, saved), "a loaded tree cannot be saved");
    if (flag != 0) {
        FUZZ_CHECK(saved.size() == bytes.size(), "saving changed the length from " +
                                                     std::to_string(bytes.size()) + " to " +
                                                     std::to_string(saved.size()));
        for (std::size_t i = 0; i < saved.size(); ++i) {
            if (saved[i] == bytes[i] || saved[i] == 0 || (i == 1 && saved[i] == 1)) continue;
            FUZZ_CHECK(false, "saving changed byte " + std::to_string(i));
        }
    }

    RecordingSink again;
    TTree copy(true, again);
    FUZZ_CHECK(copy.LoadTreeBytes(saved, "fuzz.tre"), "a saved tree does not load");
    FUZZ_CHECK(fuzz::SameTree(tree.GetRoot(), copy.GetRoot(), true),
               "save and load changed the tree");
    std::string resaved;
    FUZZ_CHECK(copy.SaveTreeBytes(copy.GetRoot(), flag, resaved), "a loaded tree cannot be saved");
    if (flag != 0) FUZZ_CHECK(resaved == saved, "saving is not a fixed point");
    return 0;
}
