/* The entry points of liborvserve.so, the preview server of orvcc --serve
 * (cc/serve/preview_server.h). orvcc opens the library only for --serve, so
 * that its other builds never load the HTTP server library. Every function
 * catches what it raises. */
#ifndef ORV_SERVE_API_H
#define ORV_SERVE_API_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OrvPreviewServer OrvPreviewServer;

/* Starts serving the folder `Root` on `Address` and `Port` (0: any free
 * port), and puts the port in *BoundPort. Null when it cannot, with the
 * reason in `Error` (ErrorSize bytes, zero-terminated). */
typedef OrvPreviewServer* (*OrvServeStartProc)(const char* Root, const char* Address, int Port, int* BoundPort,
                                               char* Error, size_t ErrorSize);
OrvPreviewServer* orv_serve_start(const char* Root, const char* Address, int Port, int* BoundPort, char* Error,
                                  size_t ErrorSize);

/* A build has ended: serve `Root` from now on and reload the open pages. */
typedef void (*OrvServeReloadProc)(OrvPreviewServer* Server, const char* Root);
void orv_serve_reload(OrvPreviewServer* Server, const char* Root);

/* Stops the server and frees it. */
typedef void (*OrvServeStopProc)(OrvPreviewServer* Server);
void orv_serve_stop(OrvPreviewServer* Server);

#ifdef __cplusplus
}
#endif

#endif /* ORV_SERVE_API_H */
