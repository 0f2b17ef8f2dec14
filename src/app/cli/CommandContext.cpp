#include "CommandContext.h"

#include "Preferences.h"
#include "UsageError.h"

namespace modflash::cli {

CommandContext::CommandContext(ResourceDirectory resources, const Preferences& preferences,
                               Output& output)
    : m_resources(std::move(resources))
    , m_preferences(preferences)
    , m_output(output) {}

bool CommandContext::factoryFirmwareEnabled() const {
    return m_preferences.boolForKey(PreferenceKey::enableFactoryFirmware);
}

bool CommandContext::isOffered(const Product& product) const {
    return product.hasFirmware(m_resources) && (!product.factoryOnly() || factoryFirmwareEnabled());
}

ProductPtr CommandContext::requireProduct(const QString& name) const {
    const std::string typed = name.toStdString();
    ProductPtr product = m_catalogue.productNamed(typed);
    if (!product)
        throw UsageError("no product named \"" + typed +
                         "\"; run \"modflash-cli products --all\" to list them");
    if (product->factoryOnly() && !factoryFirmwareEnabled())
        throw UsageError("\"" + product->title() +
                         "\" is offered only while factory firmware is enabled; add --factory to "
                         "enable it for this run");
    return product;
}

} // namespace modflash::cli
