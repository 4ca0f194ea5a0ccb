/* The exported functions, called from C the way the game calls them: the header must be
   valid C and the library must link from C. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gravlin/engine.h"

static int failures = 0;
#define CHECK(ok) ((ok) ? (void)0 : (void)(++failures, fprintf(stderr, "failed: %s\n", #ok)))

/* Whether QZtrace(name, "x") returns within five seconds. It runs in a child process, which
   the alarm ends should it hang, so a blocking open cannot stop this test. */
static int traceReturns(const char* name) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(5);
        QZtrace(name, "x");
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int main(int argc, char** argv) {
    /* clang-format off */
    const char* added[] = {NULL, "garbage", "9999+0000=1", "0101=99999999999", "0101+0201+0301=1",
                           "0201+0301+0401=2", "0301+0401+0501=1", "0101+0201+0301+0401+0501+0909=2"};
    /* clang-format on */
    char line[128] = "";

    /* Unreadable texts add nothing; the rest is the 1 2 1 pattern with a total sum. */
    QZNewSystem();
    for (size_t i = 0; i < sizeof added / sizeof added[0]; ++i) {
        QZInterpreter(added[i]);
        QZSolve();
    }
    CHECK(QZGetNextFree(-1) == 101 && QZGetNextFree(101) == 301 && QZGetNextFree(302) == 501 &&
          QZGetNextFree(501) == 909 && QZGetNextFree(909) < 0 && QZGetNextFree(INT32_MIN) == 101);
    CHECK(QZGetNextMine(-1) == 201 && QZGetNextMine(201) == 401 && QZGetNextMine(401) < 0);
    QZNewSystem();
    CHECK(QZGetNextMine(-1) < 0 && QZGetNextFree(-1) < 0); /* a new system forgets the old one */

    /* The text is the caller's to release with free(): a leak shows under LeakSanitizer. */
    char* text = QZcalcStoch("a[ 01,01 ] + a[ 01,02 ] = 1");
    CHECK(text != NULL && strstr(text, "Vorschlag: a[ 01,01 ] mit 50.0 %") != NULL);
    free(text);
    QZcalcStochEnd();

    /* Each record goes on a line of its own after the date and time. */
    if (argc < 2) return 1;
    remove(argv[1]);
    QZtrace(argv[1], "Vor Solve: 0101=1");
    QZtrace(NULL, "ignored");
    FILE* trace = fopen(argv[1], "r");
    CHECK(trace != NULL && fgets(line, sizeof line, trace) != NULL && line[4] == '-' &&
          strstr(line, " Vor Solve: 0101=1\n") != NULL && fgets(line, sizeof line, trace) == NULL);
    if (trace != NULL) fclose(trace);
    remove(argv[1]);

    /* Only a regular file receives records: a named pipe nobody reads is skipped at once, and
       so is a link, which would let the records land wherever it points. */
    char fifo[4096], link[4096], target[4096];
    const char* made[] = {fifo, link, target};
    snprintf(fifo, sizeof fifo, "%s.fifo", argv[1]);
    snprintf(link, sizeof link, "%s.link", argv[1]);
    snprintf(target, sizeof target, "%s.target", argv[1]);
    for (int i = 0; i < 3; ++i) remove(made[i]);
    struct stat st;
    CHECK(mkfifo(fifo, 0600) == 0);
    CHECK(traceReturns(fifo));
    CHECK(lstat(fifo, &st) == 0 && S_ISFIFO(st.st_mode));
    FILE* f = fopen(target, "w");
    CHECK(f != NULL);
    if (f != NULL) fclose(f);
    CHECK(symlink(target, link) == 0);
    CHECK(traceReturns(link));
    CHECK(stat(target, &st) == 0 && st.st_size == 0);
    for (int i = 0; i < 3; ++i) remove(made[i]);
    return failures == 0 ? 0 : 1;
}
