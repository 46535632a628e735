#include "run/platform.h"

// Built without a desktop toolkit: the terminal is the only backend.
platform default_platform() { return terminal_platform(); }
