// Decodes one PNG file with the program's own decoder and writes "WIDTH HEIGHT\n" and then its
// premultiplied BGRA pixels to standard output, for check_decoder.py to compare with Pillow.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "ui/PngDecoder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    const std::optional<vt::PngPixels> pixels = vt::DecodePng(file);
    if (!pixels) {
        std::fprintf(stderr, "%s: not decoded\n", argv[1]);
        return 1;
    }
    std::printf("%u %u\n", pixels->width, pixels->height);
    std::fflush(stdout);
    return std::fwrite(pixels->bgra.data(), 1, pixels->bgra.size(), stdout) == pixels->bgra.size()
               ? 0
               : 1;
}
