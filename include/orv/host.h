/* The editor host interface: what a program that calls the dialog libraries
 * (liborvsys.so, libtagwiz.so, libhuepick.so) needs, in C. A host makes a
 * message receiver window (orv/window.h) and passes its handle to the
 * exports; the libraries send or post the messages below to it. Everything
 * declared here lives in liborvplatform.so, which the dialog libraries load,
 * so the host and the libraries share one window space and one allocator. */
#ifndef ORV_HOST_H
#define ORV_HOST_H

#include <stdint.h>

#include "orv/myrecord.h"
#include "orv/window.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Messages a host window receives. WPARAM is 0 for every one of them. */
enum {
  ORV_MSG_INSERT_LINK = 2924,   /* sent; LPARAM: const TInsertRecord*, valid while the send lasts */
  ORV_MSG_INSERT_MARKUP = 2029, /* sent; LPARAM: const TInsertRecord* (table, object, applet) */
  ORV_MSG_NET_BEGIN = 3033,     /* sent; LPARAM 0: a network operation begins */
  ORV_MSG_NET_END = 3034,       /* sent; LPARAM 0: the network operation has ended */
  ORV_MSG_OPEN_FILE = 3037,     /* posted; LPARAM: TMyRecord*, Field1 a file path; the host frees it */
  ORV_MSG_PREFS_CHANGED = 3038, /* sent; LPARAM 0: re-read preferences.dat */
  ORV_MSG_OPEN_NEW = 3063       /* posted; LPARAM: TMyRecord*, Field1 a folder prefix, Field2 a path;
                                   open Field1 + Field2 as a new document; the host frees it */
};

/* The markup an insert dialog hands over: the text to insert, the text that
 * belongs after the inserted content, and "yes", "no" or "NO" for whether to
 * wrap the selection. An empty text is a null pointer. The library owns the
 * record; copy what you need before the send returns. */
typedef struct TInsertRecord {
  const char* Text;
  const char* CloseText;
  const char* WrapFlag;
} TInsertRecord;

/* Field 0, 1 or 2 of a record, for hosts that cannot read C structures
 * (Text, CloseText, WrapFlag; Field1, Field2, Field3). Null for a null record
 * or another index; an insert record's empty text is null too. */
const char* orv_insert_record_field(const TInsertRecord* record, int index);
const char* orv_myrecord_field(const TMyRecord* record, int index);

/* Frees a string that an export returned or assigned to the caller
 * (for example the texts of FileExts or BuildNum); null does nothing. */
void orv_string_free(char* text);

/* A copy of `text` that the receiver frees with orv_string_free; null stays
 * null. Libraries use it to hand strings to a host; null when memory runs out. */
char* orv_string_new(const char* text);

#ifdef __cplusplus
}
#endif

#endif /* ORV_HOST_H */
