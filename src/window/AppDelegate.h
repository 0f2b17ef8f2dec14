// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/ProductCatalogue.h"
#include "flashing/ResourceDirectory.h"
#include "update/OtherUpdateWatch.h"
#include "update/UpdateSession.h"
#include "window/ButtonConfirmation.h"
#include "window/DevicePresenceLine.h"
#include "window/FirmwareDropHandler.h"
#include "window/HelpCommands.h"
#include "window/ImageLine.h"
#include "window/InstructionsView.h"
#include "window/KeyboardNavigation.h"
#include "window/LogExport.h"
#include "window/LogView.h"
#include "window/PreferenceControls.h"
#include "window/ProductListModel.h"
#include "window/QuitGuard.h"
#include "window/UpdateStatusPanel.h"
#include "window/VersionList.h"
#include "window/WindowControls.h"
#include "window/WindowServices.h"

#include <QObject>

#include <memory>
#include <optional>

class QStandardItem;

namespace modflash {

class AboutDialog;
class Preferences;
class UsbDeviceSource;

// Drives the window: start-up, the preferences, the choice of product and version, the
// instructions pages, the log and the update run, and wires up the helpers around them (the
// progress and verdict, the device line, handing on the log, dropped files, the sleep lock).
// It holds the window's controls but never lays them out.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    AppDelegate(const WindowControls& controls, Preferences& preferences,
                ResourceDirectory resources, WindowServices services = {},
                QObject* parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();

    void writeToLog(const QString& text);
    // Update is enabled exactly when the selected version carries a firmware; the version
    // list exactly when a product has been chosen. While an update is under way both stay
    // disabled, so updates never overlap.
    void updateControls();

    void avrProgrammerChanged();
    void stlinkProgrammerChanged();
    void factoryFirmwareEnableChanged();
    void massEraseBeforeProgrammingChanged();
    void checkModuleBeforeWritingChanged();

    void productListSelectionChanged();
    void versionListSelectionChanged();
    void openHelp();

    // Offers a product only when it has firmware and factory firmware allows it.
    void updateProductList();
    void loadInstructions(const QString& pageName);
    std::unique_ptr<QStandardItem> createVersionItem(const FirmwarePtr& firmware) const;

    // Brings the log to the front and flashes the selected version onto the chosen product.
    void doUpdate();
    // Asks a running tool to end; pressed again, or left unanswered for a while, kills it.
    void stop();
    // True from the start of an update until its verdict or until Stop.
    bool isRunning() const { return m_session.isRunning(); }
    // True until the tool of the latest update has ended, also after Stop.
    bool isBusy() const { return m_session.isBusy(); }
    UpdateSession& session() { return m_session; }
    // Quits without asking (the session is ending): a running tool is stopped and its end
    // awaited first, so its last output and verdict still arrive.
    void terminate() { m_quitGuard.stopThenClose(); }

    // Everything the log has received.
    QString logText() { return m_log.text(); }
    // The About box, while it has been opened.
    AboutDialog* aboutDialog() const { return m_about.get(); }
    // The user guide's viewer, once it has been opened.
    UserGuide* userGuide() const { return m_help.userGuide(); }

    const ProductCatalogue& products() const { return m_products; }
    // The chosen product: nothing until the user first picks one.
    const ProductPtr& product() const { return m_product; }
    // The firmware of the file chosen through "Other..." for the current version list.
    const FirmwarePtr& otherVersionFirmware() const { return m_otherVersionFirmware; }

private:
    void connectSignals();
    void connectPreferenceSignals();
    void connectUpdateSignals();
    // While an update is under way only Stop and the preferences it does not read are usable.
    void reflectRunning();
    void fileChosen(unsigned listGeneration, const std::optional<QString>& path);
    void updateFinished(const ToolEnd& end);
    // Checks the selected image and shows what it is under the version list.
    void showImage();
    void startUpdate(const FirmwarePtr& firmware, bool confirmedImplausible);
    void chooseOtherFile();
    void showAbout();
    // With nothing to offer, the instructions say why and where images come from.
    void explainEmptyOffer();
    // A dropped file, taken as if chosen through "Other...".
    void fileDropped(const QString& path);
    FirmwareDropHandler::Situation dropSituation() const;

    WindowControls m_controls;
    Preferences& m_preferences;
    ResourceDirectory m_resources;
    WindowServices m_services;
    ProductCatalogue m_products;
    ProductPtr m_product;
    FirmwarePtr m_otherVersionFirmware;
    ProductListModel m_productList;
    VersionList m_versionList;
    LogView m_log;
    InstructionsView m_instructions;
    PreferenceControls m_preferenceControls;
    UpdateSession m_session;
    OtherUpdateWatch m_otherUpdate;
    QuitGuard m_quitGuard;
    std::unique_ptr<UsbDeviceSource> m_ownUsbDevices; // when none was given
    UpdateStatusPanel m_statusPanel;
    ImageLine m_imageLine;
    KeyboardNavigation m_keyboard;
    std::unique_ptr<AboutDialog> m_about;
    DevicePresenceLine m_deviceLine;
    LogExport m_logExport;
    ButtonConfirmation m_copyConfirmation;
    ButtonConfirmation m_saveConfirmation;
    FirmwareDropHandler m_dropHandler;
    HelpCommands m_help;
};

} // namespace modflash
