/* The simulated library's entries for tests, beside the eight DLL_ entries:
 *
 *   PosimControl(line, reply, reply_size): runs one control command line (see
 *     control_commands.h) and copies the reply, cut to reply_size - 1 bytes
 *     and zero-terminated. Returns 0 when the command succeeded.
 *   PosimPostEvent(message, wparam, lparam): raises any event in the oldest
 *     session: posted to its window and queued for handle 0. Returns a status.
 *   PosimDeviceOutput(device, out, out_size): what a device (by name or class
 *     word, e.g. "display") holds, as "show" tells it. Returns a status. */
#ifndef RIDOZOD_POSIM_TEST_ENTRIES_H
#define RIDOZOD_POSIM_TEST_ENTRIES_H

#include <stdint.h>

#include "codes/pos_library.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t(POS_API_CALL* PosimControl_fn)(const char* line, char* reply, int32_t reply_size);
typedef int32_t(POS_API_CALL* PosimPostEvent_fn)(uint32_t message, uint32_t wparam,
                                                 uint32_t lparam);
typedef int32_t(POS_API_CALL* PosimDeviceOutput_fn)(const char* device, char* out,
                                                    int32_t out_size);

#ifdef __cplusplus
}
#endif

#endif /* RIDOZOD_POSIM_TEST_ENTRIES_H */
