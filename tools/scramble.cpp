// Scrambles or unscrambles one stored item with the program's key.
//   quillmere-scramble scramble|unscramble IN OUT   (OUT "-" writes to stdout)
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "atlasdata/scramblekey.h"

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "scramble") != 0 && std::strcmp(argv[1], "unscramble") != 0)) {
        std::fprintf(stderr, "usage: %s scramble|unscramble IN OUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[2]);
        return 1;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // XOR with the repeating key: the same pass both ways.
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) ^ quil2a::kScrambleKey[i % quil2a::kScrambleKey.size()]);
    if (std::strcmp(argv[3], "-") == 0) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return std::cout ? 0 : 1;
    }
    std::ofstream out(argv[3], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
        return 1;
    }
    return 0;
}
