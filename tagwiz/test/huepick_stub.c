/* A stand-in for libhuepick.so in the dialog tests: every call "chooses"
 * red 0x10, green 0x20, blue 0x30 without showing anything. */
#include <stdint.h>
#include <string.h>

static void Put(char* buffer, int32_t size, const char* text) {
  if (buffer == 0 || size <= 0) return;
  strncpy(buffer, text, (size_t)size - 1);
  buffer[size - 1] = '\0';
}

int32_t HuepickDouble(char* html, int32_t html_size, char* value, int32_t value_size) {
  Put(html, html_size, "#102030");
  Put(value, value_size, "3153936");
  return -1;
}
