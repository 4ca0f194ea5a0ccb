/* Asks the installed engine one question through its C interface. */
#include <gravlin/engine.h>
#include <stdio.h>

int main(void) {
    QZNewSystem();
    QZInterpreter("0101+0102=1");
    QZInterpreter("0102=0");
    QZSolve();
    if (QZGetNextMine(-1) != 101 || QZGetNextFree(-1) != 102) {
        fprintf(stderr, "the engine did not decide both cells\n");
        return 1;
    }
    puts("engine answered");
    return 0;
}
