/* TMyRecord: three texts that travel with a window message (build progress,
 * open-file requests). The sender allocates the record with orv_myrecord_new
 * and hands it over with the message; the receiver owns it from then on and
 * frees it with orv_myrecord_free. Both functions live in liborvplatform.so,
 * so every library and host uses the same allocator for it. */
#ifndef ORV_MYRECORD_H
#define ORV_MYRECORD_H

#ifdef __cplusplus
extern "C" {
#endif

/* The three text fields; each is a zero-terminated string, never null. */
typedef struct TMyRecord {
  char* Field1;
  char* Field2;
  char* Field3;
} TMyRecord;

/* Allocates a record holding copies of the texts (null is taken as "").
 * Returns null only when memory runs out. */
TMyRecord* orv_myrecord_new(const char* field1, const char* field2, const char* field3);

/* Frees a record and its texts; null does nothing. */
void orv_myrecord_free(TMyRecord* record);

#ifdef __cplusplus
}
#endif

#endif /* ORV_MYRECORD_H */
