// The helpers of the editor host interface: record fields for hosts that
// cannot read C structures, and the one allocator of strings handed across.
#include "orv/host.h"

#include <cstdlib>
#include <cstring>

extern "C" {

const char* orv_insert_record_field(const TInsertRecord* record, int index) {
  if (record == nullptr) return nullptr;
  switch (index) {
    case 0: return record->Text;
    case 1: return record->CloseText;
    case 2: return record->WrapFlag;
    default: return nullptr;
  }
}

const char* orv_myrecord_field(const TMyRecord* record, int index) {
  if (record == nullptr) return nullptr;
  switch (index) {
    case 0: return record->Field1;
    case 1: return record->Field2;
    case 2: return record->Field3;
    default: return nullptr;
  }
}

void orv_string_free(char* text) { std::free(text); }

char* orv_string_new(const char* text) { return text == nullptr ? nullptr : strdup(text); }

}  // extern "C"
