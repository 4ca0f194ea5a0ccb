/* Gravlin solver engine: a plain C interface so the game can bind it at run time.
 *
 * Unknowns are covered cells named by their code 100 * x + y. Equations say that a sum of
 * unknowns (each 0 = free or 1 = mine) equals a whole number. No function reports errors:
 * text that cannot be read is ignored, and a NULL pointer counts as empty text. Every text the
 * engine writes (probability text, trace records) is UTF-8 and may hold German letters such
 * as "ä"; the equation texts it reads are ASCII.
 *
 * What the answers promise. They are exact: a listed unknown is 0 (or 1) in every 0/1
 * solution of the equations, the total sum included; the probabilities are exact fractions
 * (every solution equally likely) printed to one decimal, and a cell shows 0.0 or 100.0
 * exactly when the solve lists it as free or as a mine. Counting solutions is hard in
 * general, so each analysis keeps a memory limit and a work limit, far above what positions
 * of a 30 x 24 board in play need: a whole board with every second cell open and 99 mines
 * takes well under a second. A system beyond them gets a partial answer, never a guessed
 * one: the listings hold only what is still proven, by propagation and by the parts that
 * fit the limits (a subset of the exact listings whenever the equations have a solution at
 * all, which a partial analysis may fail to rule out); the trace file last named in QZtrace
 * receives a record starting "Ergebnis unvollständig:"; and the probability text shows "?"
 * for every cell it could not compute, with a line that says so. Whatever the order in
 * which the equations arrive, the answer is the same, partial or not. Measured on whole
 * boards beyond the limits (every second cell of 30 x 24 open, 150 to 175 mines) and on
 * dense systems within the bounds below (groups of dozens of cells among them), on a
 * shared 2-core machine: an analysis that trips a guard stopped within 0.61 s of CPU time,
 * and one call of the engine, parsing included, peaked at 167 MiB of memory, the process
 * included; the memory limit (176 MiB of tables and counts) keeps a call within 256 MiB
 * whatever the input.
 *
 * What no board can produce. The largest board has 30 x 24 = 720 cells, so a system names at
 * most 720 distinct unknowns in at most 721 equations (one per open cell, and the total
 * sum); one equation text in compact notation is at most 64 KiB (a board's longest is about
 * 3.6 KB) and a system text in display notation at most 1 MiB (a board's longest is about
 * 90 KB). Text beyond these bounds is unreadable and refused as soon as a bound is passed:
 * QZcalcStoch answers it as unreadable text; QZInterpreter ignores an equation text that is
 * too long, and an equation that would take the system beyond 720 unknowns or 721 equations
 * makes the whole system unreadable: it lists nothing and ignores further equations at once
 * until QZNewSystem, and the trace file receives a record starting "Gleichungssystem nicht
 * gelesen:". */
#ifndef GRAVLIN_ENGINE_H
#define GRAVLIN_ENGINE_H

#include <stdint.h>

#include "gravlin/engine_export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Forgets every equation given so far. */
GRAVLIN_ENGINE_EXPORT void QZNewSystem(void);

/* Adds one equation in compact notation, e.g. "0406+0408+0607=1" (four digits xxyy per
 * unknown, "+" between them, "=" and a whole right-hand side that may be negative).
 * Empty text adds nothing; text in any other form is ignored. */
GRAVLIN_ENGINE_EXPORT void QZInterpreter(const char* equation);

/* Cheap: the system is analysed once, when a listing is first asked for after a change. */
GRAVLIN_ENGINE_EXPORT void QZSolve(void);

/* Lists, in ascending code order, the unknowns that are 0 (QZGetNextFree) or 1
 * (QZGetNextMine) in every 0/1 solution of all equations given since QZNewSystem.
 * Pass -1 for the first code and the previous result for the next; a negative result
 * ends the list. A system without solutions lists nothing. */
GRAVLIN_ENGINE_EXPORT int32_t QZGetNextFree(int32_t previous);
GRAVLIN_ENGINE_EXPORT int32_t QZGetNextMine(int32_t previous);

/* Appends one time-stamped record to the file (created when missing); failures are ignored.
 * Only a regular file is written, never through a symbolic link, and the call never waits:
 * a named pipe, a device or a folder of that name is skipped. The engine adds its own record
 * there when a listing is partial or the system unreadable (see above). */
GRAVLIN_ENGINE_EXPORT void QZtrace(const char* fileName, const char* text);

/* Mine probabilities of a system written in display notation ("a[ 04,06 ] + a[ 04,08 ] = 1",
 * equations separated by ",", the total-sum equation marked with a leading "/ *g* /" comment
 * without the spaces). The text starts with a heading, then, when some cell can be named, the
 * line "Vorschlag: a[ xx,yy ] mit p %": a certainly free cell if there is one, else the cell
 * whose opening promises the best chance to win (first a pair of even odds that no other
 * number can ever tell apart; near the end an exact search of best play; else the chance to
 * survive the cell and the guess after it, or, where most of the field is still covered,
 * safety and the chance that its number proves further cells free); then the grid of
 * probabilities. The same system always names the same cell. Returns a text with CR LF line ends, allocated with malloc: the caller
 * releases it with free(). Returns NULL only when even that allocation fails. */
GRAVLIN_ENGINE_EXPORT char* QZcalcStoch(const char* system);

/* Releases whatever the last QZcalcStoch kept. */
GRAVLIN_ENGINE_EXPORT void QZcalcStochEnd(void);

#ifdef __cplusplus
}
#endif

#endif /* GRAVLIN_ENGINE_H */
