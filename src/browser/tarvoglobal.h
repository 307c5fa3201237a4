#ifndef TARVO_GLOBAL_H
#define TARVO_GLOBAL_H

#include "tarvo_export.h"
#include "tarvoversion.h"

/// \file tarvoglobal.h
/// Export macros and the library version.

// Classes that are internal to the library but driven directly by its test
// suites. They are exported only in builds that include the tests.
#if defined(TARVO_AUTOTEST_EXPORTS)
/// Exports an internal class in builds that include the test suites.
#  define TARVO_AUTOTEST_EXPORT TARVO_EXPORT
#else
/// Exports an internal class in builds that include the test suites.
#  define TARVO_AUTOTEST_EXPORT
#endif

/// The version of the tarvo library loaded at run time, "major.minor.patch".
/// It equals TARVO_VERSION_STR unless the application was built against
/// other headers than the library it runs with.
TARVO_EXPORT const char* tarvo_version();

#endif // TARVO_GLOBAL_H
