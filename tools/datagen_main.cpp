// vorel_datagen DIR: writes every model, texture and sound of the game into DIR.
#include "tools/generate.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    return generateAll(argv[1]) ? 0 : 1;
}
