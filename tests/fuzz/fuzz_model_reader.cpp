// fuzz_model_reader.cpp -- libFuzzer entry point: each input is read as a 3DS file into a
// fresh model. Beyond the sanitizers' own checks it traps when the model breaks what the
// display lists rely on: counts matching arrays and faces naming existing vertices.
#include "asset_test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model model;
    importBytes(model, data, size);
    if (!consistent(model)) {
        __builtin_trap();
    }
    return 0;
}
