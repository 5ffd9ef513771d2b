/* Window handles and window messages: the in-process stand-in for the
 * platform's window-message service. A host (orvcc, an editor, a test)
 * registers a receiver and gets a handle; libraries send messages to that
 * handle (the receiver runs at once) or post them (they wait in the queue
 * until orv_process_messages runs). Messages to a handle that was destroyed or
 * never existed are dropped: a send returns 0, a post returns 0.
 * All functions live in liborvplatform.so, so a process has one handle space
 * and one queue. Receivers run on the thread that sends or pumps. */
#ifndef ORV_WINDOW_H
#define ORV_WINDOW_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque window handle; never dereferenced. Null is "no window". */
typedef struct orv_window_* HWND;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

/* Receiver of the messages of one window; `user` is the pointer given at
 * creation. Exceptions must not leave a receiver. */
typedef LRESULT (*orv_window_proc)(HWND window, uint32_t message, WPARAM wparam,
                                   LPARAM lparam, void* user);

/* Registers a receiver and returns its new handle (never null). */
HWND orv_create_window(orv_window_proc proc, void* user);

/* Unregisters the receiver; its posted messages that are still queued are
 * dropped. Destroying an unknown handle does nothing. */
void orv_destroy_window(HWND window);

/* 1 when the handle belongs to a registered receiver, else 0. */
int orv_is_window(HWND window);

/* Calls the receiver at once and returns its result; 0 for an unknown handle. */
LRESULT orv_send_message(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam);

/* Queues the message; returns 1, or 0 for an unknown handle. */
int orv_post_message(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam);

/* Handles everything that is ready without waiting: every message queued so
 * far (and those that their receivers post meanwhile), due timers, ready
 * watched descriptors, then the message hooks; with a Qt application, also
 * Qt's pending events. */
void orv_process_messages(void);

/* Waits at most timeout_ms milliseconds (forever when negative) until a
 * message is posted, a timer is due, a watched descriptor is ready or the loop
 * is woken, and handles it. Returns 1 when something was handled, 0 when the
 * time ran out. */
int orv_wait_messages(int timeout_ms);

/* Adds a function that runs after every pass of the message loop, with the
 * given user pointer; returns its id (0 for a null hook). */
uint64_t orv_add_message_hook(void (*hook)(void* user), void* user);

/* Removes a hook added with orv_add_message_hook; unknown ids do nothing. */
void orv_remove_message_hook(uint64_t hook);

#ifdef __cplusplus
}
#endif

#endif /* ORV_WINDOW_H */
