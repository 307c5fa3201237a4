#ifndef TARVO_GLOBAL_H
#define TARVO_GLOBAL_H

#include "tarvo_export.h"

// Classes that are internal to the library but driven directly by its test
// suites. They are exported only in builds that include the tests.
#if defined(TARVO_AUTOTEST_EXPORTS)
#  define TARVO_AUTOTEST_EXPORT TARVO_EXPORT
#else
#  define TARVO_AUTOTEST_EXPORT
#endif

#endif // TARVO_GLOBAL_H
