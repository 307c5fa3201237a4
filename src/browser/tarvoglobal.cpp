#include "tarvoglobal.h"

const char* tarvo_version()
{
    return TARVO_LIBRARY_VERSION;
}
