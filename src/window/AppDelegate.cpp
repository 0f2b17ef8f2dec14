// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/AppDelegate.h"

#include "update/LibusbDeviceSource.h"
#include "update/SleepInhibitor.h"
#include "window/AboutDialog.h"
#include "window/BuildInfo.h"
#include "window/EmptyOfferPage.h"
#include "window/LogTextView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItem>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

namespace modflash {

AppDelegate::AppDelegate(const WindowControls& controls, Preferences& preferences,
                         ResourceDirectory resources, WindowServices services, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_preferences(preferences)
    , m_resources(std::move(resources))
    , m_services(services.withDesktopDefaults())
    , m_sources(m_resources)
    , m_userFolder(m_sources.userFirmwareDirectory(), m_services.openUrl)
    , m_feed(preferences, m_products)
    , m_productList(controls.productList)
    , m_versionList(controls.versionList)
    , m_otherVersion(controls.window, m_versionList, m_userFolder, m_services,
                     [this] {
                         showImage();
                         updateControls();
                     })
    , m_log(controls.logTextField)
    , m_instructions(controls.instructionsView, m_resources,
                     [this](const QUrl& link) { return m_help.openInBrowser(link); })
    , m_preferenceControls(preferences, controls.avrProgrammerSelector,
                           controls.stlinkProgrammerSelector, controls.factoryFirmwareEnable,
                           controls.massEraseBeforeProgramming, controls.checkModuleBeforeWriting)
    , m_session(m_services.sleepInhibitor)
    , m_quitGuard(controls.window, m_session, m_services.confirm)
    , m_ownUsbDevices(m_services.usbDevices ? nullptr : std::make_unique<LibusbDeviceSource>())
    , m_statusPanel(controls.progressBar, controls.bannerLabel, m_session)
    , m_imageLine(controls.imageLine)
    , m_keyboard(
          controls.menuBar, controls.productList, controls.versionList, m_products,
          [this] { m_otherVersion.choose(m_product); }, [this] { productListSelectionChanged(); })
    , m_deviceLine(controls.deviceLine,
                   m_services.usbDevices ? *m_services.usbDevices : *m_ownUsbDevices, preferences)
    , m_logExport(
          controls.window, [this] { return m_log.text(); },
          [this] {
              return LogExport::aboutFor(m_product, m_versionList.selectedOffer(), m_preferences);
          },
          m_services.chooseSaveFile, m_services.reportProblem)
    , m_copyConfirmation(controls.copyLogButton)
    , m_saveConfirmation(controls.saveLogButton)
    , m_dropHandler(
          controls.window, [this] { return dropSituation(); },
          [this](const QString& path) {
              m_statusPanel.clearNotice();
              m_otherVersion.take(m_product, path);
          },
          [this](const QString& reason) { m_statusPanel.showNotice(reason); })
    , m_help(controls.window, m_services.openUrl, m_services.reportProblem)
    , m_releaseNotes(controls.releaseLine, controls.releaseNotesButton, controls.releaseNotes)
    , m_firmwareMenu(
          controls, m_feed, m_userFolder, m_session, m_services, [this] { offersChanged(); },
          [this](const QString& notice) { m_statusPanel.showNotice(notice); }) {
    connectSignals();
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::connectSignals() {
    // activated and clicked come from the user only, never from the fills and loads below.
    connect(m_controls.productList, &QComboBox::activated, this,
            &AppDelegate::productListSelectionChanged);
    connect(m_controls.versionList, &QComboBox::activated, this,
            &AppDelegate::versionListSelectionChanged);
    connect(m_controls.updateButton, &QPushButton::clicked, this, &AppDelegate::doUpdate);
    connect(m_controls.stopButton, &QPushButton::clicked, this, &AppDelegate::stop);
    connect(m_controls.helpButton, &QPushButton::clicked, this, &AppDelegate::openHelp);
    connect(m_controls.helpAction, &QAction::triggered, this, &AppDelegate::openHelp);
    connect(m_controls.userGuideAction, &QAction::triggered, &m_help, &HelpCommands::showUserGuide);
    connect(m_controls.aboutAction, &QAction::triggered, this, &AppDelegate::showAbout);
    connect(m_controls.instructionsView, &QTextBrowser::anchorClicked, this,
            &AppDelegate::followLink);
    connect(&m_feed, &WindowFeed::changed, this, &AppDelegate::feedChanged);
    connect(m_controls.copyLogButton, &QPushButton::clicked, &m_logExport, &LogExport::copy);
    connect(m_controls.saveLogButton, &QPushButton::clicked, &m_logExport, &LogExport::save);
    connect(m_controls.saveLogAction, &QAction::triggered, &m_logExport, &LogExport::save);
    connect(&m_logExport, &LogExport::copied, this,
            [this] { m_copyConfirmation.confirm(tr("Copied")); });
    connect(&m_logExport, &LogExport::saved, this,
            [this] { m_saveConfirmation.confirm(tr("Saved")); });
    connectPreferenceSignals();
    connectUpdateSignals();
}

void AppDelegate::connectPreferenceSignals() {
    connect(m_controls.avrProgrammerSelector, &QComboBox::activated, this,
            &AppDelegate::avrProgrammerChanged);
    connect(m_controls.stlinkProgrammerSelector, &QComboBox::activated, this,
            &AppDelegate::stlinkProgrammerChanged);
    connect(m_controls.factoryFirmwareEnable, &QCheckBox::clicked, this,
            &AppDelegate::factoryFirmwareEnableChanged);
    connect(m_controls.massEraseBeforeProgramming, &QCheckBox::clicked, this,
            &AppDelegate::massEraseBeforeProgrammingChanged);
    connect(m_controls.checkModuleBeforeWriting, &QCheckBox::clicked, this,
            &AppDelegate::checkModuleBeforeWritingChanged);
    // A boot loader that says how much flash the module has may refuse an image it cannot hold.
    connect(&m_deviceLine.presence(), &DevicePresence::connectedFlashChanged, this, [this] {
        m_imageLine.refresh(m_deviceLine.presence().connectedFlash());
        updateControls();
    });
}

void AppDelegate::connectUpdateSignals() {
    connect(&m_session, &UpdateSession::logText, this,
            [this](const QByteArray& text) { writeToLog(QString::fromUtf8(text)); });
    connect(&m_session, &UpdateSession::runningChanged, this, &AppDelegate::reflectRunning);
    connect(&m_session, &UpdateSession::started, &m_deviceLine, &DevicePresenceLine::updateStarted);
    connect(&m_session, &UpdateSession::finished, this, &AppDelegate::updateFinished);
    // Two tools on one bus would fight over the module: Update waits while another program of
    // this user updates one, and the banner says which.
    connect(&m_otherUpdate, &OtherUpdateWatch::changed, this, [this] {
        if (const auto& other = m_otherUpdate.other())
            m_statusPanel.showNotice(other->reason());
        else
            m_statusPanel.clearNotice();
        updateControls();
    });
}

void AppDelegate::applicationDidFinishLaunching() {
    m_controls.versionLabel->setText(BuildInfo::buildDateText());
    m_feed.load();
    m_sources.setManifest(m_feed.manifest());
    m_productList.fill(m_products.displayOrder());
    m_versionList.reset();
    writeToLog(
        QStringLiteral("Select a product and version above, then hit \"Update\" to begin\n"));
    m_log.configure();
    m_preferenceControls.registerDefaults();
    m_preferenceControls.load();
    m_instructions.configure();
    loadInstructions(QStringLiteral("intro"));
    updateProductList();
    showImage();
    updateControls();
    reflectRunning();
    m_firmwareMenu.refresh();
    // The window is usable meanwhile; what the feed offers arrives when it does.
    m_feed.checkIfDue();
}

void AppDelegate::writeToLog(const QString& text) {
    m_log.append(text);
}

void AppDelegate::updateControls() {
    const bool idle = !m_session.isBusy();
    const bool factory = m_preferenceControls.isFactoryFirmwareEnabled();
    const std::optional<UpdateLock::Holder>& other = m_otherUpdate.other();
    const std::optional<feed::FirmwareOffer> offer = m_versionList.selectedOffer();
    // A release still to download is checked once it is here.
    const bool writable = offer && (offer->needsDownload() || m_imageLine.allowsUpdate(factory));
    m_controls.updateButton->setEnabled(idle && !other && writable);
    m_controls.updateButton->setToolTip(other ? other->reason() : m_imageLine.refusal(factory));
    m_controls.versionList->setEnabled(idle && m_product != nullptr);
}

void AppDelegate::showImage() {
    const FirmwarePtr firmware = m_versionList.selectedFirmware();
    const std::string path = firmware ? firmware->path() : std::string();
    const bool sample =
        firmware && m_resources.sampleImageNames().contains(path.substr(path.rfind('/') + 1));
    m_imageLine.show(m_product, firmware, m_deviceLine.presence().connectedFlash(), sample);
    m_releaseNotes.show(m_versionList.selectedOffer());
}

void AppDelegate::reflectRunning() {
    const bool busy = m_session.isBusy();
    m_controls.stopButton->setEnabled(busy);
    m_controls.productList->setEnabled(!busy);
    m_controls.factoryFirmwareEnable->setEnabled(!busy);
    updateControls();
}

void AppDelegate::updateFinished(const ToolEnd& end) {
    // The log gathers texts that come close together; the verdict shows when the update ends.
    m_log.flush();
    if (!end.toolRan())
        qWarning("Problem running task: %s", end.reason.c_str());
    m_deviceLine.updateEnded(end.succeeded());
    reflectRunning();
    if (m_offersStale)
        offersChanged();
    // The controls that had the focus were disabled during the update; the next step starts
    // from the version list, not from a preference a stray key would change.
    m_controls.versionList->setFocus();
}

void AppDelegate::avrProgrammerChanged() {
    m_preferenceControls.storeAvrProgrammer();
    m_deviceLine.preferencesChanged();
}

void AppDelegate::stlinkProgrammerChanged() {
    m_preferenceControls.storeStlinkProgrammer();
    m_deviceLine.preferencesChanged();
}

void AppDelegate::factoryFirmwareEnableChanged() {
    m_preferenceControls.storeFactoryFirmware();
    // The version list keeps its "Other..." (or lack of it) until the next product choice.
    updateProductList();
}

void AppDelegate::massEraseBeforeProgrammingChanged() {
    m_preferenceControls.storeMassErase();
}

void AppDelegate::checkModuleBeforeWritingChanged() {
    m_preferenceControls.storeModuleCheck();
}

void AppDelegate::productListSelectionChanged() {
    ProductPtr chosen;
    if (m_productList.isSelectedEnabled())
        chosen = m_products.productWithTitle(m_productList.selectedTitle().toStdString());
    if (!chosen) {
        updateControls();
        return;
    }
    m_product = std::move(chosen);
    m_otherVersion.forget();
    // A new product starts afresh: the last update's verdict was about another one. The tab in
    // front stays: its instructions are one click away, and the log is not taken from view.
    m_statusPanel.clear();
    m_versionList.rebuild(m_sources.offers(*m_product),
                          m_preferenceControls.isFactoryFirmwareEnabled(),
                          m_resources.sampleImageNames());
    loadInstructions(QString::fromStdString(m_product->pageName()));
    m_deviceLine.setProduct(m_product);
    showImage();
    updateControls();
}

void AppDelegate::offersChanged() {
    if (m_session.isBusy()) {
        m_offersStale = true;
        return;
    }
    m_offersStale = false;
    updateProductList();
    if (!m_product)
        return;
    m_versionList.refresh(m_sources.offers(*m_product), m_resources.sampleImageNames());
    showImage();
    updateControls();
}

void AppDelegate::feedChanged() {
    // A check that ended may have brought another manifest; one that began changes only what
    // the empty page says of it.
    if (!m_feed.isChecking()) {
        m_sources.setManifest(m_feed.manifest());
        offersChanged();
    } else if (m_showsEmptyPage) {
        explainEmptyOffer();
    }
}

void AppDelegate::followLink(const QUrl& link) {
    if (link == EmptyOfferPage::openFolderLink())
        m_firmwareMenu.openFolder();
    else
        m_instructions.follow(link);
}

void AppDelegate::versionListSelectionChanged() {
    // Moving through the closed list only passes "Other..."; Enter or the open list choose it.
    if (m_versionList.isOtherSelected() && !m_keyboard.isMovingByKey())
        m_otherVersion.choose(m_product);
    showImage();
    updateControls();
}

FirmwareDropHandler::Situation AppDelegate::dropSituation() const {
    return {m_preferenceControls.isFactoryFirmwareEnabled(), m_product, m_session.isBusy()};
}

void AppDelegate::showAbout() {
    // Asked afresh each time, so that a tool installed meanwhile shows its version.
    m_about = std::make_unique<AboutDialog>(m_resources, m_controls.window);
    m_about->open();
}

void AppDelegate::openHelp() {
    m_help.openOnlineHelp();
}

void AppDelegate::updateProductList() {
    const bool factoryEnabled = m_preferenceControls.isFactoryFirmwareEnabled();
    // One read of each folder answers every entry, however many files it holds.
    const feed::FirmwareSources::Listing images = m_sources.listing();
    bool anyOffered = false;
    for (int row = 0; row < m_productList.count(); ++row) {
        const ProductPtr entry =
            m_products.productWithTitle(m_productList.titleAt(row).toStdString());
        const bool offered = entry && images.offers(*entry, factoryEnabled);
        m_productList.setOffered(row, offered);
        anyOffered = anyOffered || offered;
    }
    if (!anyOffered)
        explainEmptyOffer();
    else if (m_showsEmptyPage)
        loadInstructions(m_product ? QString::fromStdString(m_product->pageName())
                                   : QStringLiteral("intro"));
}

void AppDelegate::explainEmptyOffer() {
    m_showsEmptyPage = true;
    m_instructions.show(EmptyOfferPage::html(
        {QString::fromStdString(m_resources.resourcePath()), m_userFolder.path(),
         m_preferenceControls.isFactoryFirmwareEnabled(), m_feed.statusText()}));
}

void AppDelegate::loadInstructions(const QString& pageName) {
    m_showsEmptyPage = false;
    m_instructions.load(pageName);
}

void AppDelegate::doUpdate() {
    // The window offers Update only for a version with firmware and never while an update is
    // under way; a stray call (a queued click) must not start a second one all the same.
    const std::optional<feed::FirmwareOffer> offer = m_versionList.selectedOffer();
    if (!offer || !m_product || m_session.isBusy())
        return;
    // Read again: the file may have changed since it was chosen.
    showImage();
    if (offer->needsDownload() || !m_imageLine.needsConfirmation() ||
        !m_preferenceControls.isFactoryFirmwareEnabled()) {
        startUpdate(*offer, false);
        return;
    }
    const WindowServices::Question question{
        tr("Write This Image?"),
        tr("%1.\n\nWrite it all the same only if you know it is right for this module.")
            .arg(QString::fromStdString(m_imageLine.report()->reason)),
        tr("Write It"), tr("Cancel")};
    QPointer<AppDelegate> self(this);
    m_services.confirm(m_controls.window, question, [self, offer](bool write) {
        if (self && write && !self->m_session.isBusy())
            self->startUpdate(*offer, true);
    });
}

void AppDelegate::startUpdate(const feed::FirmwareOffer& offer, bool confirmedImplausible) {
    m_controls.tabView->setCurrentIndex(1);
    UpdateOptions options;
    options.checkModule = m_preferenceControls.isModuleCheckEnabled();
    options.allowImplausible = confirmedImplausible;
    options.connectedFlash = m_deviceLine.presence().connectedFlash();
    // A release comes into the download cache: the list shows it from there afterwards.
    m_offersStale = m_offersStale || offer.release.has_value();
    if (!m_session.start(m_product, offer, m_resources, m_preferences, options)) {
        // Another program began an update since the watch last looked.
        m_otherUpdate.look();
        if (const auto& other = m_session.blockingUpdate())
            m_statusPanel.showNotice(other->reason());
    }
}

void AppDelegate::stop() {
    m_session.stop();
}

std::unique_ptr<QStandardItem> AppDelegate::createVersionItem(const FirmwarePtr& firmware) const {
    return VersionList::createVersionItem(firmware);
}

} // namespace modflash
