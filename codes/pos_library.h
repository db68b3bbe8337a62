/* The POS API library as the tool binds it: the eight entries by their export
 * names, their C signatures, and the resource-pair layout. Anyone who writes
 * a library to stand in the vendor's place implements exactly these.
 *
 * Every entry returns a status: 0 for success, a POSERR_ code otherwise.
 * The first argument of every call is the address of the caller's PosContext,
 * 16 bytes that belong to the library (its per-client state).
 *
 * Device events are posted to the window given as the resource "queueHandle"
 * through the window system's posting call, PostMessageA(window, message,
 * wParam, lParam): USER32's on Windows; on POSIX hosts the host program
 * exports a function of that name and signature (PosPostMessageFn), which the
 * library looks up at run time. */
#ifndef RIDOZOD_POS_LIBRARY_H
#define RIDOZOD_POS_LIBRARY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The calling convention a library's entries are built with: the C
 * convention (cdecl), unless the library's build defines POS_API_CALL (for
 * example as __attribute__((stdcall))). The tool works with either on 32-bit
 * x86: it calls every entry in a way that keeps its own stack pointer, and it
 * also finds entries exported only under stdcall names (_DLL_PosOpen@24 or
 * DLL_PosOpen@24). On 64-bit hosts there is only one convention. */
#ifndef POS_API_CALL
#if defined(_WIN32) && !defined(_WIN64)
#define POS_API_CALL __cdecl
#else
#define POS_API_CALL
#endif
#endif

/* One named resource value. The value is pointer-sized: for a string resource
 * it holds the address of the text (on a 32-bit build the layout is the
 * classic pair of two 32-bit fields). */
typedef struct ResourcePair {
  const char* name;
  uintptr_t value;
} ResourcePair;

#if defined(__cplusplus)
static_assert(sizeof(void*) != 4 || sizeof(ResourcePair) == 8,
              "a 32-bit ResourcePair is two 32-bit fields");
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
_Static_assert(sizeof(void*) != 4 || sizeof(ResourcePair) == 8,
               "a 32-bit ResourcePair is two 32-bit fields");
#endif

/* The library's per-client state, owned by the caller, zero at start. */
typedef struct PosContext {
  unsigned char bytes[16];
} PosContext;

typedef int32_t(POS_API_CALL* DLL_PosInitialize_fn)(PosContext* context,
                                                    const char* application_name,
                                                    const char* resource_file,
                                                    ResourcePair* resources, int32_t count);
typedef int32_t(POS_API_CALL* DLL_PosOpen_fn)(PosContext* context, const char* device_name,
                                              const char* device_class, ResourcePair* resources,
                                              int32_t count, int32_t* handle_out);
typedef int32_t(POS_API_CALL* DLL_PosClose_fn)(PosContext* context, int32_t handle);
typedef int32_t(POS_API_CALL* DLL_PosIOCtl_fn)(PosContext* context, int32_t handle, int32_t request,
                                               ResourcePair* resources, int32_t count,
                                               int32_t* out);
typedef int32_t(POS_API_CALL* DLL_PosRead_fn)(PosContext* context, int32_t handle, void* buffer,
                                              int32_t size, int32_t* bytes_read_out);
typedef int32_t(POS_API_CALL* DLL_PosWrite_fn)(PosContext* context, int32_t handle,
                                               const void* data, int32_t length, int32_t* out);
typedef int32_t(POS_API_CALL* DLL_PosTerm_fn)(PosContext* context);
typedef int32_t(POS_API_CALL* DLL_PosVersion_fn)(PosContext* context, int32_t a, int32_t b,
                                                 int32_t c);

/* The window system's posting call; returns nonzero when the message was queued. */
typedef int (*PosPostMessageFn)(uintptr_t window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam);
#define POS_POST_MESSAGE_NAME "PostMessageA"

/* The library file the tool asks for, by its bare name. */
#define POS_LIBRARY_NAME "vekapi32.dll"

/* A record of the event queue (handle 0): four 32-bit little-endian fields. */
typedef struct PosqRecord {
  uint32_t window;
  uint32_t message;
  uint32_t mp1;
  uint32_t mp2;
} PosqRecord;

#ifdef __cplusplus
}
#endif

#endif /* RIDOZOD_POS_LIBRARY_H */
