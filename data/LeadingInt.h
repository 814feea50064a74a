// LeadingInt now lives in the platform layer, where the profile reader shares it; this name stays
// for the code that still includes it from here.
#pragma once

#include "platform/LeadingInt.h"
