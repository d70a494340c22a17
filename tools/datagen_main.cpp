// vorel_datagen DIR: writes every model, texture and sound of the game into DIR.
// vorel_datagen --icons DIR: writes the desktop icons below DIR.
// vorel_datagen --list: prints the names of the game's data files, one a line.
// vorel_datagen DIR TRIANGLES: writes only the asteroid model, with that many
// triangles, for comparing budgets (bench/asteroid_budget.sh).
#include "tools/generate.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const std::string& name : dataFileNames()) {
            std::printf("%s\n", name.c_str());
        }
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
        return generateIcons(argv[2]) ? 0 : 1;
    }
    if (argc == 3 && argv[1][0] != '-') {
        char* end = nullptr;
        const long triangles = std::strtol(argv[2], &end, 10);
        if (*end != '\0' || triangles < 4 || triangles > 100000 || triangles % 2 != 0) {
            std::fprintf(stderr, "%s: the triangle count must be even, 4 to 100000\n", argv[0]);
            return 2;
        }
        return generateAsteroid(argv[1], static_cast<int>(triangles)) ? 0 : 1;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s DIRECTORY [ASTEROID_TRIANGLES] | --icons DIRECTORY | --list\n", argv[0]);
        return 2;
    }
    return generateAll(argv[1]) ? 0 : 1;
}
