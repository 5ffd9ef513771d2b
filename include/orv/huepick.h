/* Exports of libhuepick.so, the colour picker: one modal dialog, "Select
 * Color", that returns the chosen colour as an HTML colour value ("#RRGGBB",
 * upper-case hexadecimal) and as a colour value (0x00BBGGRR: red in the
 * lowest byte, so pure red is 255). Load the library by name (dlopen
 * "libhuepick.so") and look the functions up with dlsym, or link it.
 *
 * Every call shows the dialog modally and destroys it before returning; it
 * runs the program's Qt application, made on first use when the host has
 * none. Boolean results are -1 for true (the user pressed OK) and 0 for false.
 *
 * Buffers are filled by the caller's size: at most Size - 1 characters and a
 * terminating zero. A Size of 0 or less, or a null buffer, writes nothing at
 * all (there is no room even for the zero). On Cancel no buffer is touched.
 * An error inside a call is shown in the application's error box and the call
 * then answers as if the user had cancelled. */
#ifndef ORV_HUEPICK_H
#define ORV_HUEPICK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Shows the dialog; nothing is returned. */
typedef void (*HuepickInitProc)(void);
void HuepickInit(void);

/* On OK: the HTML colour value into Buffer; returns -1. On Cancel: 0. */
typedef int32_t (*HuepickInitExProc)(char* Buffer, int32_t Size);
int32_t HuepickInitEx(char* Buffer, int32_t Size);

/* On OK: the colour value (0x00BBGGRR); on Cancel: -1. */
typedef int32_t (*iHuepickInitExProc)(void);
int32_t iHuepickInitEx(void);

/* On OK: the HTML colour value into HtmlBuffer and the colour value as
 * decimal text (for example "32768" for green 128) into ValueBuffer;
 * returns -1. On Cancel: 0. */
typedef int32_t (*HuepickDoubleProc)(char* HtmlBuffer, int32_t HtmlSize, char* ValueBuffer, int32_t ValueSize);
int32_t HuepickDouble(char* HtmlBuffer, int32_t HtmlSize, char* ValueBuffer, int32_t ValueSize);

#ifdef __cplusplus
}
#endif

#endif /* ORV_HUEPICK_H */
