/* libtagwiz.so: the markup insert dialogs an editor opens. Each export shows
 * its dialog modally and returns when it closes. The insert dialogs send
 * their markup to `window` (a receiver made with orv_create_window) as an
 * insert record (orv/host.h): ORV_MSG_INSERT_LINK for the hyperlink,
 * ORV_MSG_INSERT_MARKUP for the table, the ActiveX object and the applet.
 * The record belongs to the library and is valid only while the send lasts.
 * `lower_case` is a zero-terminated text: exactly "true" asks for lower-case
 * markup, anything else (null included) for upper case. Boolean results are
 * 1 when the dialog was closed with OK (the markup was sent, or the style
 * file written) and 0 otherwise; an error inside an export is shown to the
 * user and gives 0. The reserved arguments are ignored. */
#ifndef ORV_TAGWIZ_H
#define ORV_TAGWIZ_H

#include <stdint.h>

#include "orv/window.h"

#ifdef __cplusplus
extern "C" {
#endif

/* "Insert Hyperlink"; whether a link was inserted shows only in the message. */
void ShowHLink(int32_t reserved, HWND window);

/* "Insert Table". */
uint8_t InsTable(int32_t reserved, HWND window, const char* lower_case);

/* "Cascading Style Sheets": edits styles.dat in the data folder; OK saves it. */
uint8_t InsCSS(int32_t reserved1, int32_t reserved2);

/* "Insert ActiveX Control". */
uint8_t InsActiveX(int32_t reserved, HWND window, const char* lower_case);

/* "Insert Java Applet". */
uint8_t InsJavaApp(int32_t reserved, HWND window, const char* lower_case);

#ifdef __cplusplus
}
#endif

#endif /* ORV_TAGWIZ_H */
