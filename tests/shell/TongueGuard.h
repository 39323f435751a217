#pragma once

#include "assets/Texts.h"

// Puts the process-wide language back as it was when the guard was made,
// also when a failed assertion ends the test early.
class TTongueGuard {
public:
    TTongueGuard() : saved_(tongue) {}
    ~TTongueGuard() { tongue = saved_; }
    TTongueGuard(const TTongueGuard&) = delete;
    TTongueGuard& operator=(const TTongueGuard&) = delete;

private:
    TTongue saved_;
};
