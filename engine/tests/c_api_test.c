/* Compiled as C: the header must be valid C and the library must link from C. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gravlin/engine.h"

int main(void) {
    char* text;
    int32_t code;
    int failures = 0;

    QZNewSystem();
    QZInterpreter("0101+0102=1");
    QZSolve();
    QZInterpreter("0101=0");
    QZSolve();
    code = QZGetNextMine(-1);
    if (code != 102) {
        fprintf(stderr, "expected mine 102, got %d\n", (int)code);
        ++failures;
    }
    if (QZGetNextFree(-1) != 101 || QZGetNextFree(101) >= 0) {
        fprintf(stderr, "expected exactly free cell 101\n");
        ++failures;
    }
    text = QZcalcStoch("a[ 01,01 ] + a[ 01,02 ] = 1");
    if (text == NULL || strstr(text, "Vorschlag") == NULL) {
        fprintf(stderr, "unexpected probability text\n");
        ++failures;
    }
    free(text);
    QZcalcStochEnd();
    return failures == 0 ? 0 : 1;
}
