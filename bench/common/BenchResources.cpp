// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchResources.h"

#include "catalogue/Product.h"
#include "catalogue/ProductCatalogue.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace modflash::bench {

namespace {

fs::path makeTemporaryDirectory() {
    std::string pattern = (fs::temp_directory_path() / "modflash-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory in " + pattern);
    return pattern;
}

std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

void touch(const fs::path& file) {
    std::ofstream out(file);
}

} // namespace

BenchResources::BenchResources(const fs::path& staged)
    : m_root(makeTemporaryDirectory()) {
    linkStaged(staged);
}

BenchResources::~BenchResources() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void BenchResources::linkStaged(const fs::path& staged) {
    for (const fs::directory_entry& entry : fs::directory_iterator(staged)) {
        const std::string name = entry.path().filename().string();
        if (name != "avrdude" && name != "firmware")
            fs::create_symlink(fs::canonical(entry.path()), m_root / name);
    }
    fs::create_directory(m_root / "firmware");
    // The image the update benchmarks write: one that the checks before writing accept.
    std::ofstream(m_root / "firmware" / (std::string("parvonne_") + version() + ".hex"))
        << ":0100000000FF\n:00000001FF\n";
    setTool({"/bin/true"});
}

void BenchResources::setTool(const std::vector<std::string>& command) {
    const fs::path script = toolScript();
    {
        std::ofstream out(script, std::ios::trunc);
        out << "#!/bin/sh\nexec";
        for (const std::string& word : command)
            out << ' ' << shellQuoted(word);
        out << '\n';
    }
    fs::permissions(script, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
}

void BenchResources::addImages(int count) {
    const std::vector<ProductPtr> products = ProductCatalogue().products();
    const char* foreign[] = {"Gizmo.", "notes_", "parvonne_", "zembro_", "Wendrel."};
    const char* foreignExtensions[] = {"txt", "hex.bak", "zip", "elf", "md"};
    const fs::path firmware = m_root / "firmware";
    for (int i = 0; i < count; ++i) {
        const std::string serial = std::to_string(i / 37) + "." + std::to_string(i % 7);
        std::string name;
        if (i % 30 == 29) {
            name = std::string(foreign[i % 5]) + serial + "." + foreignExtensions[(i / 5) % 5];
        } else {
            const Product& product = *products[static_cast<std::size_t>(i) % products.size()];
            name = product.prefix() + serial + "-" + std::to_string(i) + "." +
                   product.firmwareExtension();
        }
        touch(firmware / name);
    }
}

} // namespace modflash::bench
