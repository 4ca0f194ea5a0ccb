/* A library planted where the program must not look for libraries. Loading it runs its
 * constructor, which leaves a marker file (named by GRAVLIN_PLANTED_MARKER) behind. */
#include <stdio.h>
#include <stdlib.h>

__attribute__((constructor)) static void markLoaded(void) {
    const char* marker = getenv("GRAVLIN_PLANTED_MARKER");
    if (!marker) return;
    FILE* f = fopen(marker, "w");
    if (f) fclose(f);
}
