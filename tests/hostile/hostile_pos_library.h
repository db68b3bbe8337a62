/* A POS library that behaves as badly as the tool must survive, for tests.
 * What it does is chosen by the arguments the tests pass:
 *
 *   PosInitialize   prints to standard output and error (with escapes that
 *                   would retitle and clear a terminal; on POSIX also past
 *                   stdio), then succeeds; resource file "STATUS:n" answers
 *                   status n instead. Events go to "queueHandle" through the
 *                   host's posting call (the program's PostMessageA on
 *                   POSIX, USER32's on Windows).
 *   PosOpen         device name "STATUS:n" answers status n; "ZERO",
 *                   "NEGATIVE", "HUGE", "LOWEST" succeed with the handles 0,
 *                   -5, INT32_MAX, INT32_MIN; "BURST:t:n" starts t threads
 *                   that each post n events at full speed (every code from
 *                   0x4200 to 0x4220 with random parameters; thread 0 posts
 *                   0x4201 with lParam counting up from 0) and gives handle 1;
 *                   any other name gives handle 7.
 *   PosClose        answers status handle.
 *   PosIOCtl        POS_SYS_GET_VALUES writes odd things into the pairs:
 *                   pair 0 name address 1, pair 1 name null, pair 2 value 1,
 *                   pair 3 name a text of 8192 bytes without end, pair 4
 *                   value a text with terminal escapes, pair 5 value
 *                   0xFFFFFFFF. Other requests answer status handle.
 *   PosRead         handle 1: a count 100 past the buffer; 2: -7; 3:
 *                   INT32_MAX; 4: the buffer filled with control bytes; 5:
 *                   stalls 1.5 s, then an event record; others: status
 *                   handle. Never writes past the buffer.
 *   PosWrite        handle 9: stalls 1.5 s, then twice the length; others:
 *                   status handle.
 *   PosTerm         stops and joins the posting threads. */
#ifndef RIDOZOD_HOSTILE_POS_LIBRARY_H
#define RIDOZOD_HOSTILE_POS_LIBRARY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HOSTILE_FIRST_CODE 0x4200
#define HOSTILE_CODE_COUNT 0x21

typedef struct HostileStats {
  int64_t posted[HOSTILE_CODE_COUNT]; /* accepted by PostMessageA, per code */
  int64_t refused;                    /* PostMessageA answered 0 */
  int32_t term_calls;
  int32_t bursts_running;
} HostileStats;

typedef const HostileStats* (*Hostile_Stats_fn)(void);
#define HOSTILE_STATS_NAME "Hostile_Stats"

#ifdef __cplusplus
}
#endif

#endif /* RIDOZOD_HOSTILE_POS_LIBRARY_H */
