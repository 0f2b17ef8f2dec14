// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace modflash {

// Where an update is, as one value. Every move goes through the table in moveTo(), so that no
// path can lead from a Stop to a tool that writes: once Stopping, the only way on is Ended.
class UpdateState {
public:
    enum class Stage {
        Idle,           // no update yet
        Downloading,    // a feed release is downloaded into the cache (or taken from it)
        CheckingImage,  // building the commands and checking the image's bytes
        CheckingModule, // the tool reads the module before anything is written
        Writing,        // the tool writes the image
        Stopping,       // Stop was asked for: the tool is ending, nothing new starts
        Ended,          // the verdict is in; a new update may begin
    };

    Stage stage() const { return m_stage; }
    // Moves on when the table allows it; stays and returns false otherwise.
    bool moveTo(Stage next);
    static bool allows(Stage from, Stage to);

    // From the start of an update to its verdict, Stopping included.
    static bool isBusy(Stage stage) { return stage != Stage::Idle && stage != Stage::Ended; }
    // Busy and not asked to stop: what the front ends show as running.
    static bool isRunning(Stage stage) { return isBusy(stage) && stage != Stage::Stopping; }
    bool isBusy() const { return isBusy(m_stage); }
    bool isStopping() const { return m_stage == Stage::Stopping; }

private:
    Stage m_stage = Stage::Idle;
};

} // namespace modflash
