// Runs a fuzz target's entry point over every file of a folder, so that each
// reproducer ever found stays a test of the normal build. A fault traps or
// is caught by the sanitizers of the build (make test-asan).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize);

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    int nRun = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
    {
        if (!entry.is_regular_file() || entry.path().filename().string().starts_with("."))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        std::cout << entry.path().filename().string() << "\n";
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++nRun;
    }
    std::cout << nRun << " reproducers passed\n";
    return 0;
}
