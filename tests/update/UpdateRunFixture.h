#pragma once

#include "LogText.h"
#include "Preferences.h"
#include "Product.h"
#include "ToolDirectory.h"
#include "UpdateRun.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace modflash {

// One product of each family, a resource directory of stand-in tools, and a run listened to the
// way a front end does, keeping everything it said and every line of Qt's diagnostic log.
class UpdateRunFixture : public ::testing::Test {
protected:
    UpdateRunFixture();
    ~UpdateRunFixture() override;

    // An image for the product in a directory whose name holds a space.
    FirmwarePtr imageFor(const ProductPtr& product);
    // Starts an update of the product and waits for its verdict.
    void update(const ProductPtr& product);

    // Run the event loop until the run is idle, or the log holds the text anew; false on a hang
    // (not a matter of speed: the limit is far beyond any test's needs).
    bool waitForFinished();
    bool waitForLog(const QString& text);

    static QStringList& diagnostics();

    ToolDirectory tools;
    MemoryPreferences preferences;
    UpdateRun run;
    QString log;
    std::vector<bool> runningChanges;
    std::optional<UpdateRun::Outcome> outcome;
    int finishedCount = 0;

    ProductPtr avr;
    ProductPtr dfu;
    ProductPtr swd;

private:
    QtMessageHandler m_previousHandler;
};

} // namespace modflash
