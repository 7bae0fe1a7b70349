// clockgen FILE: writes the clock movie to FILE.

#include "movie/ClockMovie.h"

#include "player/swf/Movie.h"

#include <cstdio>
#include <exception>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: clockgen FILE\n");
        return 2;
    }
    try {
        std::vector<uint8_t> bytes = quorlin::swf::WriteMovie(quorlin::movie::ClockMovie());
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "clockgen: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "clockgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
