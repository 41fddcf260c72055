#pragma once

// The two forces of a throw. They hold their start values from program load;
// the settings load may overwrite them once, before the throw loop's first pass.
struct ThrowSettings {
    float forwardForce = 15.0f;
    float upForce = 5.0f;
};

extern ThrowSettings throwSettings;
