// Publishing without a window, for `orvcc --publish`: progress on standard
// error, questions (a password, an unknown host key) asked on the terminal
// when there is one. liborvpublish.so exports it; orvcc opens that library
// only to publish, so a plain build loads no transfer library.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Publishes `folder` to the site named `site` (sites.ini in the data
 * folder). With `dry_run` non-zero lists on standard output what would be
 * sent and deleted, and connects to nothing. `quiet` non-zero shows no
 * progress. Returns 0 when everything was done, 1 when publishing failed or
 * was interrupted (the reason is on standard error). */
typedef int (*OrvPublishConsoleProc)(const char* site, const char* folder, int dry_run, int quiet);
int orv_publish_console(const char* site, const char* folder, int dry_run, int quiet);

#ifdef __cplusplus
}
#endif
