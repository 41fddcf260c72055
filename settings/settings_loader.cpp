#include "settings/settings_loader.h"

void loadSettings() {}
