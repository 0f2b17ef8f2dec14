// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnplugTrigger.h"

#include "ModuleSettings.h"

namespace vbench {

UnplugTrigger::UnplugTrigger(const ModuleSettings& settings)
    : m_bytesLeft(settings.number(bytesKey))
    , m_transfersLeft(settings.number(transfersKey)) {}

bool UnplugTrigger::unplugsBefore(std::size_t outLength) {
    if (m_transfersLeft) {
        if (*m_transfersLeft == 0)
            return true;
        --*m_transfersLeft;
    }
    if (m_bytesLeft) {
        if (outLength > *m_bytesLeft)
            return true;
        *m_bytesLeft -= outLength;
    }
    return false;
}

} // namespace vbench
