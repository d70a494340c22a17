// vorel_datagen DIR: writes every model, texture and sound of the game into DIR.
// vorel_datagen --icons DIR: writes the desktop icons below DIR.
// vorel_datagen --list: prints the names of the game's data files, one a line.
#include "tools/generate.h"

#include <cstdio>
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
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s DIRECTORY | --icons DIRECTORY | --list\n", argv[0]);
        return 2;
    }
    return generateAll(argv[1]) ? 0 : 1;
}
