// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/ProductCatalogue.h"
#include "feed/FirmwareSources.h"
#include "flashing/ResourceDirectory.h"
#include "update/OtherUpdateWatch.h"
#include "update/UpdateSession.h"
#include "window/ButtonConfirmation.h"
#include "window/DevicePresenceLine.h"
#include "window/FirmwareDropHandler.h"
#include "window/FirmwareMenu.h"
#include "window/HelpCommands.h"
#include "window/ImageLine.h"
#include "window/InstructionsView.h"
#include "window/KeyboardNavigation.h"
#include "window/LogExport.h"
#include "window/LogView.h"
#include "window/OtherVersionChoice.h"
#include "window/PreferenceControls.h"
#include "window/ProductListModel.h"
#include "window/QuitGuard.h"
#include "window/ReleaseNotesView.h"
#include "window/UpdateStatusPanel.h"
#include "window/UserFirmwareFolder.h"
#include "window/VersionList.h"
#include "window/WindowControls.h"
#include "window/WindowFeed.h"
#include "window/WindowServices.h"

#include <QObject>

#include <memory>
#include <optional>

class QStandardItem;

namespace modflash {

class AboutDialog;
class Preferences;
class UsbDeviceSource;

// Drives the window: start-up, the preferences, the choice of product and version from every
// source of images, the instructions pages, the log and the update run, and wires up the
// helpers around them (the feed and its menu, the progress and verdict, the device line,
// handing on the log, dropped files, the sleep lock).
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
    // Update is enabled exactly when the selected version carries a firmware or a release to
    // download; the version list exactly when a product has been chosen. While an update is under
    // way both stay disabled, so updates never overlap.
    void updateControls();

    void avrProgrammerChanged();
    void stlinkProgrammerChanged();
    void factoryFirmwareEnableChanged();
    void massEraseBeforeProgrammingChanged();
    void checkModuleBeforeWritingChanged();

    void productListSelectionChanged();
    void versionListSelectionChanged();
    void openHelp();

    // Offers a product only when some source has firmware for it and factory firmware allows
    // it.
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
    // The feed, to trust a key file in before start-up reads it.
    WindowFeed& feed() { return m_feed; }
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
    const FirmwarePtr& otherVersionFirmware() const { return m_otherVersion.firmware(); }

private:
    void connectSignals();
    void connectPreferenceSignals();
    void connectUpdateSignals();
    // While an update is under way only Stop and the preferences it does not read are usable.
    void reflectRunning();
    void updateFinished(const ToolEnd& end);
    // Checks the selected image and shows what it is, and what the feed says of it, under the
    // version list.
    void showImage();
    void startUpdate(const feed::FirmwareOffer& offer, bool confirmedImplausible);
    // The images on offer changed (a check of the feed, an emptied cache, a download): both
    // lists show them, the selection kept. Not while an update runs: they follow its end.
    void offersChanged();
    void feedChanged();
    void followLink(const QUrl& link);
    void showAbout();
    // With nothing to offer, the instructions say why and where images come from.
    void explainEmptyOffer();
    FirmwareDropHandler::Situation dropSituation() const;

    WindowControls m_controls;
    Preferences& m_preferences;
    ResourceDirectory m_resources;
    WindowServices m_services;
    ProductCatalogue m_products;
    feed::FirmwareSources m_sources;
    UserFirmwareFolder m_userFolder;
    WindowFeed m_feed;
    ProductPtr m_product;
    ProductListModel m_productList;
    VersionList m_versionList;
    OtherVersionChoice m_otherVersion;
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
    ReleaseNotesView m_releaseNotes;
    FirmwareMenu m_firmwareMenu;
    bool m_offersStale = false;
    bool m_showsEmptyPage = false;
};

} // namespace modflash
