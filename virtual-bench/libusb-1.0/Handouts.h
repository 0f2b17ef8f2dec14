// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>
#include <mutex>

namespace vbench {

// What the C interface hands out and takes back later by the same pointer (device lists,
// parsed configuration descriptors, poll descriptor lists, transfers): kept here until then.
class Handouts {
public:
    template <typename T> void keep(const void* key, std::unique_ptr<T> object) {
        const std::lock_guard lock(m_mutex);
        m_kept[key] = std::shared_ptr<void>(std::move(object));
    }
    // False when the pointer was not handed out here.
    bool release(const void* key) {
        const std::lock_guard lock(m_mutex);
        return m_kept.erase(key) != 0;
    }

private:
    std::mutex m_mutex;
    std::map<const void*, std::shared_ptr<void>> m_kept;
};

} // namespace vbench
