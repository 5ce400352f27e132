#include "runtime_search.h"

bool findRegisteredRuntime(LaunchState&) { return false; }
