#pragma once

#include "InstructionsView.h"
#include "LogView.h"
#include "PreferenceControls.h"
#include "ProductCatalogue.h"
#include "ProductListModel.h"
#include "ResourceDirectory.h"
#include "VersionList.h"
#include "WindowControls.h"
#include "WindowServices.h"

#include <QObject>

#include <memory>
#include <optional>

class QStandardItem;

namespace modflash {

class Preferences;

// Drives the window: start-up, the preferences, the choice of product and version, the
// instructions pages and the log. It holds the window's controls but never lays them out.
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
    // list exactly when a product has been chosen.
    void updateControls();

    void avrProgrammerChanged();
    void stlinkProgrammerChanged();
    void factoryFirmwareEnableChanged();
    void massEraseBeforeProgrammingChanged();

    void productListSelectionChanged();
    void versionListSelectionChanged();
    void openHelp();

    // Offers a product only when it has firmware and factory firmware allows it.
    void updateProductList();
    void loadInstructions(const QString& pageName);
    std::unique_ptr<QStandardItem> createVersionItem(const FirmwarePtr& firmware) const;

    const ProductCatalogue& products() const { return m_products; }
    // The chosen product: nothing until the user first picks one.
    const ProductPtr& product() const { return m_product; }
    // The firmware of the file chosen through "Other..." for the current version list.
    const FirmwarePtr& otherVersionFirmware() const { return m_otherVersionFirmware; }

private:
    void connectSignals();
    void connectPreferenceSignals();
    void fileChosen(unsigned listGeneration, const std::optional<QString>& path);

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
};

} // namespace modflash
