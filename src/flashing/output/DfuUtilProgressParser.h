// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/output/BoundedLine.h"
#include "flashing/output/ProgressParser.h"

namespace modflash {

// dfu-util 0.11: a progress line is redrawn after a carriage return,
// "Erase   \t[====     ]  45%   12345 bytes", "Download\t[...]  NN%", and closes with
// "Download done."; "File downloaded successfully" follows a good download. dfu-util's own
// messages ("dfu-util: ...") other than warnings are fatal: one before the download is
// complete fails the phase; one after it leaves the download complete (the image is written).
class DfuUtilProgressParser : public ProgressParser {
public:
    // dfu-util's own messages other than warnings, even where one follows a progress bar on
    // the same line.
    std::optional<std::string_view> errorIn(std::string_view line) const override;
    bool wholeImageWritten() const override { return m_downloadComplete; }
    bool leavingBootLoader() const override { return m_leaveRequested; }

protected:
    void consumeChunk(std::string_view chunk) override;

private:
    void percentSign();
    void segmentEnded();

    BoundedLine m_segment;
    bool m_downloadComplete = false;
    bool m_leaveRequested = false;
};

} // namespace modflash
