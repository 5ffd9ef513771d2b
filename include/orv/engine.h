/* Exports of libengine.so, the build statistics: the counts of the last site
 * build, as orvcore left them in the data folder's buildstats.ini. Each
 * function takes no argument and returns a count; 0 when no build has left
 * its counts. Open the library by name ("libengine.so") and look the
 * functions up with dlsym. */
#ifndef ORV_ENGINE_H
#define ORV_ENGINE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int32_t TellnmLines(void);  /* page lines read */
int32_t TellnmImages(void); /* include markups */
int32_t TellnmVars(void);   /* variable markups */
int32_t TellnmExec(void);   /* external programs run */
int32_t TellnmDB(void);     /* database queries: always 0 */

#ifdef __cplusplus
}
#endif

#endif
