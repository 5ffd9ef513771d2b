/* The version record an ORV program carries about itself (the stand-in for a
 * version resource). A program defines it once, in its main source file:
 *
 *   ORV_DEFINE_VERSION_RECORD("1.0.0.0", "1.0.0.0", "orvcc");
 *
 * and links with -Wl,--export-dynamic-symbol=orv_version_record so that the
 * symbol is visible in its dynamic symbol table. The platform looks the symbol
 * up in the running program (never in a library) to answer BuildNum. */
#ifndef ORV_VERSION_H
#define ORV_VERSION_H

typedef struct OrvVersionRecord {
  const char* FileVersion;
  const char* ProductVersion;
  const char* InternalName;
} OrvVersionRecord;

#define ORV_VERSION_RECORD_SYMBOL "orv_version_record"

#ifdef __cplusplus
#define ORV_VERSION_EXTERN extern "C"
#else
#define ORV_VERSION_EXTERN
#endif

#define ORV_DEFINE_VERSION_RECORD(file_version, product_version, internal_name)            \
  ORV_VERSION_EXTERN __attribute__((visibility("default"), used))                          \
  const OrvVersionRecord orv_version_record = {file_version, product_version, internal_name}

#endif /* ORV_VERSION_H */
