// The settings file reader: any bytes give settings (damaged parts fall back to their
// defaults), and stored settings come back unchanged from the file they are written to.
#include <string>

#include "fuzz_support.h"
#include "settings/environment.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const TEnvironment env = ReadEnvironment(fuzz::AsText(data, size));
    FUZZ_CHECK(env.InputHistory.size() <= MaxStoredHistory, "input history beyond its limit");
    FUZZ_CHECK(env.MaxTextLength >= 0 && env.MaxTextLength <= MaxMaxTextLength,
               "text length out of range");

    const std::string written = WriteEnvironment(env);
    const TEnvironment reread = ReadEnvironment(written);
    if (env.SaveEnvironment) FUZZ_CHECK(reread == env, "stored settings changed in the file");
    FUZZ_CHECK(WriteEnvironment(reread) ==
                   WriteEnvironment(ReadEnvironment(WriteEnvironment(reread))),
               "writing the settings is not a fixed point");
    return 0;
}
