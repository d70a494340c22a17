/* Preloaded into the real game by bench/report.sh: on the first buffer swap it
 * writes the wall-clock time in microseconds since the epoch to the file named
 * by VOREL_FIRST_SWAP_FILE. The game itself is not changed or rebuilt. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef void (*SwapFn)(void* display, unsigned long drawable);

void glXSwapBuffers(void* display, unsigned long drawable)
{
    static SwapFn realSwap = NULL;
    static int swapped = 0;
    if (realSwap == NULL) {
        /* dlsym returns an object pointer; copy it into the function pointer. */
        void* found = dlsym(RTLD_NEXT, "glXSwapBuffers");
        memcpy(&realSwap, &found, sizeof realSwap);
    }
    if (realSwap != NULL) {
        realSwap(display, drawable);
    }
    if (!swapped) {
        swapped = 1;
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
