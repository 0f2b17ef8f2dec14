#pragma once

#include "DiagnosticCapture.h"
#include "LogText.h"
#include "Preferences.h"
#include "Product.h"
#include "ToolDirectory.h"
#include "UpdateRecorder.h"
#include "UpdateRun.h"

#include <gtest/gtest.h>

namespace modflash {

// One product of each family, a resource directory of stand-in tools, and a run whose every
// signal is recorded.
class UpdateRunFixture : public ::testing::Test {
protected:
    UpdateRunFixture();

    // An image for the product in a directory whose name holds a space.
    FirmwarePtr imageFor(const ProductPtr& product);
    // The tool the product's command runs.
    static QString toolOf(const ProductPtr& product);

    // Starts an update of the product and waits for its verdict.
    void update(const ProductPtr& product);
    // "\nUpdating ... firmware with command:\n... ...\n" for the product's command.
    QString headerFor(const ProductPtr& product);

    ToolDirectory tools;
    MemoryPreferences preferences;
    DiagnosticCapture diagnostics;
    UpdateRun run;
    UpdateRecorder recorder{run};

    ProductPtr avr;
    ProductPtr dfu;
    ProductPtr swd;
};

} // namespace modflash
