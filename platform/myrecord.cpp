#include "orv/myrecord.h"

#include <cstdlib>
#include <cstring>

static char* CopyText(const char* text) {
  return strdup(text ? text : "");
}

extern "C" TMyRecord* orv_myrecord_new(const char* field1, const char* field2, const char* field3) {
  auto* record = static_cast<TMyRecord*>(std::malloc(sizeof(TMyRecord)));
  if (!record) return nullptr;
  record->Field1 = CopyText(field1);
  record->Field2 = CopyText(field2);
  record->Field3 = CopyText(field3);
  if (!record->Field1 || !record->Field2 || !record->Field3) {
    orv_myrecord_free(record);
    return nullptr;
  }
  return record;
}

extern "C" void orv_myrecord_free(TMyRecord* record) {
  if (!record) return;
  std::free(record->Field1);
  std::free(record->Field2);
  std::free(record->Field3);
  std::free(record);
}
