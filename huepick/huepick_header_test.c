/* The export header as a host written in C sees it: it compiles as C, and
 * its function-pointer types take the exports. */
#include "orv/huepick.h"

HuepickInitProc huepick_c_init = HuepickInit;
HuepickInitExProc huepick_c_init_ex = HuepickInitEx;
iHuepickInitExProc huepick_c_i_init_ex = iHuepickInitEx;
HuepickDoubleProc huepick_c_double = HuepickDouble;
