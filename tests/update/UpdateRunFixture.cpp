#include "UpdateRunFixture.h"

#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "ResourceDirectory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

namespace modflash {

namespace {

bool waitUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(120'000);
    QTimer wakeUp; // so a run that never ends is noticed
    wakeUp.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace

UpdateRunFixture::UpdateRunFixture()
    : avr(AVRProduct::productWithTitle("Test AVR", "testavr_", 1))
    , dfu(ARMProduct::productWithTitle("Test DFU", "testdfu_"))
    , swd(ARMSWDProduct::productWithTitle("Test SWD", "testswd_"))
    , m_previousHandler(
          qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) {
              diagnostics().append(line);
          })) {
    diagnostics().clear();
    preferences.registerDefaults({{PreferenceKey::avrProgrammer, "usbtiny"},
                                  {PreferenceKey::stlinkProgrammer, "ST-Link v2"}});
    QObject::connect(&run, &UpdateRun::logText, &run, [this](const QString& text) { log += text; });
    QObject::connect(&run, &UpdateRun::runningChanged, &run,
                     [this](bool running) { runningChanges.push_back(running); });
    QObject::connect(&run, &UpdateRun::finished, &run, [this](UpdateRun::Outcome ended) {
        outcome = ended;
        ++finishedCount;
    });
}

UpdateRunFixture::~UpdateRunFixture() {
    qInstallMessageHandler(m_previousHandler);
}

QStringList& UpdateRunFixture::diagnostics() {
    static QStringList lines;
    return lines;
}

FirmwarePtr UpdateRunFixture::imageFor(const ProductPtr& product) {
    const QString relative = QString::fromStdString("firmware images/" + product->prefix() +
                                                    "1.0." + product->firmwareExtension());
    tools.writeFile(relative, "image");
    return Firmware::firmwareWithPath(tools.filePath(relative).toStdString(), product->prefix());
}

void UpdateRunFixture::update(const ProductPtr& product) {
    ASSERT_TRUE(run.start(product, imageFor(product), tools.resources(), preferences));
    ASSERT_TRUE(waitForFinished()) << "the update never finished";
    ASSERT_FALSE(run.isRunning());
}

bool UpdateRunFixture::waitForFinished() {
    const int before = finishedCount;
    return waitUntil([&] { return !run.isBusy() || finishedCount > before; });
}

bool UpdateRunFixture::waitForLog(const QString& text) {
    const qsizetype from = log.size();
    return waitUntil([&] { return log.indexOf(text, from) >= 0; });
}

} // namespace modflash
