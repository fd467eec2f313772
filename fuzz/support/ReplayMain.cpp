// Runs a fuzz target once over given files and folders (every file in a folder, in name
// order), as libFuzzer does when told -runs=0, for builds without libFuzzer. Options
// (arguments starting with "-") are ignored. Exits non-zero when nothing was read.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& place) {
    std::vector<std::filesystem::path> inputs;
    if (!std::filesystem::is_directory(place)) {
        inputs.push_back(place);
        return inputs;
    }
    for (const auto& entry : std::filesystem::directory_iterator(place)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool run(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replay: %s\n", file.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    size_t count = 0;
    bool readable = true;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            continue;
        }
        for (const auto& file : inputsOf(argv[i])) {
            readable = run(file) && readable;
            ++count;
        }
    }
    std::fprintf(stderr, "replay: %zu inputs\n", count);
    return count > 0 && readable ? 0 : 1;
}
