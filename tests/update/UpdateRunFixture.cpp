#include "UpdateRunFixture.h"

#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "ResourceDirectory.h"

namespace modflash {

UpdateRunFixture::UpdateRunFixture()
    : avr(AVRProduct::productWithTitle("Test AVR", "testavr_", 1))
    , dfu(ARMProduct::productWithTitle("Test DFU", "testdfu_"))
    , swd(ARMSWDProduct::productWithTitle("Test SWD", "testswd_")) {
    preferences.registerDefaults({{PreferenceKey::avrProgrammer, "usbtiny"},
                                  {PreferenceKey::stlinkProgrammer, "ST-Link v2"}});
}

FirmwarePtr UpdateRunFixture::imageFor(const ProductPtr& product) {
    const QString name =
        QString::fromStdString(product->prefix() + "1.0." + product->firmwareExtension());
    const QString relative = "firmware images/" + name;
    tools.writeFile(relative, "image");
    return Firmware::firmwareWithPath(tools.filePath(relative).toStdString(), product->prefix());
}

QString UpdateRunFixture::toolOf(const ProductPtr& product) {
    if (product->family() == "avr")
        return QStringLiteral("avrdude");
    if (product->family() == "dfu")
        return QStringLiteral("dfu-util");
    return QStringLiteral("openocd");
}

void UpdateRunFixture::update(const ProductPtr& product) {
    ASSERT_TRUE(run.start(product, imageFor(product), tools.resources(), preferences));
    ASSERT_TRUE(recorder.waitForFinished()) << "the update never finished";
    ASSERT_FALSE(run.isBusy());
    ASSERT_FALSE(run.isRunning());
}

QString UpdateRunFixture::headerFor(const ProductPtr& product) {
    const UpdateTask task =
        product->createUpdateTask(*imageFor(product), tools.resources(), preferences);
    return "\nUpdating " + QString::fromStdString(product->title()) + " firmware with command:\n" +
           QString::fromStdString(task.commandLine()) + "\n";
}

} // namespace modflash
