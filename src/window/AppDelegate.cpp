#include "AppDelegate.h"

#include "BuildInfo.h"
#include "Preferences.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStandardItem>
#include <QTextBrowser>

namespace modflash {

AppDelegate::AppDelegate(const WindowControls& controls, Preferences& preferences,
                         ResourceDirectory resources, WindowServices services, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_preferences(preferences)
    , m_resources(std::move(resources))
    , m_services(services.withDesktopDefaults())
    , m_productList(controls.productList)
    , m_versionList(controls.versionList)
    , m_log(controls.logTextField)
    , m_instructions(controls.instructionsView, m_resources, m_services.openUrl)
    , m_preferenceControls(preferences, controls.avrProgrammerSelector,
                           controls.stlinkProgrammerSelector, controls.factoryFirmwareEnable,
                           controls.massEraseBeforeProgramming) {
    connectSignals();
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::connectSignals() {
    // activated and clicked come from the user only, never from the fills and loads below.
    connect(m_controls.productList, &QComboBox::activated, this,
            &AppDelegate::productListSelectionChanged);
    connect(m_controls.versionList, &QComboBox::activated, this,
            &AppDelegate::versionListSelectionChanged);
    connect(m_controls.helpButton, &QPushButton::clicked, this, &AppDelegate::openHelp);
    connect(m_controls.helpAction, &QAction::triggered, this, &AppDelegate::openHelp);
    connect(m_controls.instructionsView, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { m_instructions.follow(link); });
    connectPreferenceSignals();
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
}

void AppDelegate::applicationDidFinishLaunching() {
    m_controls.versionLabel->setText(BuildInfo::buildDateText());
    m_productList.fill(m_products.displayOrder());
    m_versionList.reset();
    writeToLog(
        QStringLiteral("Select a product and version above, then hit \"Update\" to begin\n"));
    m_log.configure();
    m_preferenceControls.registerDefaults();
    m_preferenceControls.load();
    updateProductList();
    m_instructions.configure();
    loadInstructions(QStringLiteral("intro"));
    updateControls();
}

void AppDelegate::writeToLog(const QString& text) {
    m_log.append(text);
}

void AppDelegate::updateControls() {
    m_controls.updateButton->setEnabled(m_versionList.selectedFirmware() != nullptr);
    m_controls.versionList->setEnabled(m_product != nullptr);
}

void AppDelegate::avrProgrammerChanged() {
    m_preferenceControls.storeAvrProgrammer();
}

void AppDelegate::stlinkProgrammerChanged() {
    m_preferenceControls.storeStlinkProgrammer();
}

void AppDelegate::factoryFirmwareEnableChanged() {
    m_preferenceControls.storeFactoryFirmware();
    // The version list keeps its "Other..." (or lack of it) until the next product choice.
    updateProductList();
}

void AppDelegate::massEraseBeforeProgrammingChanged() {
    m_preferenceControls.storeMassErase();
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
    m_otherVersionFirmware.reset();
    m_versionList.rebuild(m_product->getAllFirmware(m_resources),
                          m_preferenceControls.isFactoryFirmwareEnabled());
    loadInstructions(QString::fromStdString(m_product->pageName()));
    updateControls();
}

void AppDelegate::versionListSelectionChanged() {
    if (m_versionList.isOtherSelected() && m_product) {
        const QString extension = QString::fromStdString(m_product->firmwareExtension());
        const unsigned generation = m_versionList.generation();
        QPointer<AppDelegate> self(this);
        m_services.chooseFile(m_controls.window, extension,
                              [self, generation](const std::optional<QString>& path) {
                                  if (self)
                                      self->fileChosen(generation, path);
                              });
    }
    updateControls();
}

void AppDelegate::fileChosen(unsigned listGeneration, const std::optional<QString>& path) {
    // A cancelled chooser changes nothing; neither does an answer for a list since rebuilt.
    if (!path || path->isEmpty() || listGeneration != m_versionList.generation())
        return;
    m_otherVersionFirmware = Firmware::firmwareWithPath(path->toStdString(), "");
    m_versionList.addChosenFile(m_otherVersionFirmware);
    updateControls();
}

void AppDelegate::openHelp() {
    m_services.openUrl(BuildInfo::helpUrl());
}

void AppDelegate::updateProductList() {
    const bool factoryEnabled = m_preferenceControls.isFactoryFirmwareEnabled();
    for (int row = 0; row < m_productList.count(); ++row) {
        const ProductPtr entry =
            m_products.productWithTitle(m_productList.titleAt(row).toStdString());
        const bool hasFirmware = entry && entry->hasFirmware(m_resources);
        const bool factoryHidden = entry && entry->factoryOnly() && !factoryEnabled;
        m_productList.setOffered(row, hasFirmware && !factoryHidden);
    }
}

void AppDelegate::loadInstructions(const QString& pageName) {
    m_instructions.load(pageName);
}

std::unique_ptr<QStandardItem> AppDelegate::createVersionItem(const FirmwarePtr& firmware) const {
    return VersionList::createVersionItem(firmware);
}

} // namespace modflash
