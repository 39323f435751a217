#pragma once

#include <optional>
#include <vector>

class TPreferences;

// Settles the zoom of a run. Qt's global scale factor (QT_SCALE_FACTOR)
// must be set before the application object exists, but the screen is
// known only after it: an explicit choice is set first, and when the screen
// then calls for another zoom the program starts itself once more with it.
// A zoom of 1 on a screen that wants 1 costs nothing.
class TZoomStart {
public:
    // Before the application: `commandLine` is --zoom's value, otherwise
    // the choice in `preferences` is taken; either shrinks to fit the screen.
    // Keeps `argv` for the restart.
    TZoomStart(std::optional<int> commandLine, const TPreferences& preferences, int argc, char* argv[]);

    // After the application: sets the zoom in force, or restarts the
    // program with the zoom the screen calls for and does not return. A
    // --zoom that does not fit is told on standard error.
    // Programs the game starts see the environment as it found it.
    void Settle();

private:
    void RestoreEnvironment() const;

    std::optional<int> commandLine_;
    int stored_ = 0;
    bool german_ = false;  // the language of the note on standard error
    std::vector<char*> arguments_;
    double outerFactor_ = 1;  // a scale factor the player's environment already sets
    int inForce_ = 1;
    bool restarted_ = false;
};
