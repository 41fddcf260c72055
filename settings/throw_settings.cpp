#include "settings/throw_settings.h"

ThrowSettings throwSettings;
