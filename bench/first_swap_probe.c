/* Preloaded into the real game by bench/report.sh: on the first buffer swap it
 * writes the wall-clock time in microseconds since the epoch to the file named
 * by VOREL_FIRST_SWAP_FILE. With VOREL_SWAP_COUNT_FILE set it also replaces
 * that file with the number of swaps so far at every tenth swap, so that a
 * test sees frames keep coming. The game itself is not changed or rebuilt. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef void (*SwapFn)(void* display, unsigned long drawable);

static void writeSwapCount(unsigned long count)
{
    const char* name = getenv("VOREL_SWAP_COUNT_FILE");
    char partial[4096];
    if (name == NULL || snprintf(partial, sizeof partial, "%s.part", name) >= (int)sizeof partial) {
        return;
    }
    FILE* file = fopen(partial, "w");
    if (file != NULL) {
        fprintf(file, "%lu\n", count);
        fclose(file);
        rename(partial, name); /* a reader never sees a half-written number */
    }
}

void glXSwapBuffers(void* display, unsigned long drawable)
{
    static SwapFn realSwap = NULL;
    static unsigned long swaps = 0;
    if (realSwap == NULL) {
        /* dlsym returns an object pointer; copy it into the function pointer. */
        void* found = dlsym(RTLD_NEXT, "glXSwapBuffers");
        memcpy(&realSwap, &found, sizeof realSwap);
    }
    if (realSwap != NULL) {
        realSwap(display, drawable);
    }
    ++swaps;
    if (swaps % 10 == 0) {
        writeSwapCount(swaps);
    }
    if (swaps == 1) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        const char* name = getenv("VOREL_FIRST_SWAP_FILE");
        FILE* file = name != NULL ? fopen(name, "w") : NULL;
        if (file != NULL) {
            fprintf(file, "%lld\n", (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000);
            fclose(file);
        }
    }
}
