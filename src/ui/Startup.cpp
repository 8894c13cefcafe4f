#include "ui/Startup.h"

int RunPellora()
{
    return 0;
}
