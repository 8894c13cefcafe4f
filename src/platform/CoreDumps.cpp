#include "platform/CoreDumps.h"

#include <sys/prctl.h>

void DisableCoreDumps()
{
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}
