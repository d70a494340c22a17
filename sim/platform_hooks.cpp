#include "sim/platform_hooks.h"

PlatformHooks platformHooks;
