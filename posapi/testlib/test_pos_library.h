/* What the test library saw in its last call, for the binding's tests to
 * check the arguments each entry receives. */
#ifndef RIDOZOD_TEST_POS_LIBRARY_H
#define RIDOZOD_TEST_POS_LIBRARY_H

#include <stdint.h>

#include "posapi/pos_library.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TestLibCall {
  const char* entry;   /* export name of the entry called */
  PosContext* context; /* first argument */
  const char* text1;   /* application name / device name */
  const char* text2;   /* resource file / device class */
  int32_t handle;      /* PosVersion: a */
  int32_t request;     /* PosVersion: b */
  ResourcePair* resources;
  int32_t count; /* resource count, buffer size, data length; PosVersion: c */
  const void* data;
  int32_t* out;
  int32_t out_on_entry; /* *out as the binding handed it over */
} TestLibCall;

typedef const TestLibCall* (*TestLib_LastCall_fn)(void);
#define TESTLIB_LAST_CALL_NAME "TestLib_LastCall"

#ifdef __cplusplus
}
#endif

#endif /* RIDOZOD_TEST_POS_LIBRARY_H */
