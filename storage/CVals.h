// The built-in defaults: the values every setting has before the settings
// file is read, and keeps when the file is missing.
#pragma once

#include "storage/settings.h"

// Every line of the settings table at its default; the current layer is 0.
Settings LoadDefaults();
