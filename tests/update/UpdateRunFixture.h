#pragma once

#include "DiagnosticCapture.h"
#include "Preferences.h"
#include "Product.h"
#include "ToolDirectory.h"
#include "UpdateRecorder.h"
#include "UpdateRun.h"

#include <gtest/gtest.h>

namespace modflash {

// The texts the log must show, written out here rather than taken from the code under test.
namespace LogText {
inline const QString beginning = QStringLiteral("BEGINNING UPDATE\n");
inline const QString success = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY\n");
inline const QString error = QStringLiteral("ERROR DURING UPDATE\n");
inline const QString failureNotes = QStringLiteral(
    "\nIMPORTANT\nNOTE: Disregard any error messages following the \"Download Done.\" message.\n"
    "      If \"Download Done.\" is displayed and the download reached 100%, your\n"
    "      update was completed successfully!\n\n"
    "      If your download did not complete, please ensure your module\n"
    "      is in Bootloader/DFU mode as per the instructions\n"
    "      and/or try another USB cable.\n\n");
} // namespace LogText

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
