// The checked templates live in the platform layer, where the controller formats map paths too.
#pragma once

#include "platform/TemplateText.h"
