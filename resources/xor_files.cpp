// Build-machine tool: writes the byte-by-byte XOR of two files of the same size, so that a
// picture nearly equal to another is embedded as the deflated difference between the two.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
bool readFile(const char* path, std::vector<char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: xor_files BASE FILE OUT\n");
        return 2;
    }
    std::vector<char> base, file;
    if (!readFile(argv[1], base) || !readFile(argv[2], file) || base.size() != file.size()) {
        std::fprintf(stderr, "xor_files: %s and %s are not two readable files of one size\n",
                     argv[1], argv[2]);
        return 1;
    }
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<char>(file[i] ^ base[i]);
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "xor_files: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
