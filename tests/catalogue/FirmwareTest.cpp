#include "Firmware.h"

#include <gtest/gtest.h>

#include <string>

namespace modflash {
namespace {

TEST(FirmwareTest, VersionIsTheFileNameWithoutPrefixesAndLastExtension) {
    const struct {
        std::string path, prefix, version;
    } cases[] = {
        {"/res/firmware/Tessary_1U_f4.2.0.bin", "Tessary_1U_f4.", "2.0"},
        // Every occurrence goes, not only the leading one, and only the last extension.
        {"/res/firmware/parvonne_2.0_parvonne_beta.hex", "parvonne_", "2.0_beta"},
        {"/res/firmware/Wendrel.2.0.tar.bin", "Wendrel.", "2.0.tar"},
        // A prefix in a directory name plays no part; removal is case-sensitive.
        {"/res/kolvane_/kolvane_1.0.hex", "kolvane_", "1.0"},
        {"/res/firmware/Kolvane_1.0.hex", "kolvane_", "Kolvane_1.0"},
        // Occurrences do not overlap and the text is not searched again after a removal.
        {"/x/aaa.hex", "aa", "a"},
        {"/x/kolkolvane_vane_1.hex", "kolvane_", "kolvane_1"},
        // No extension, a hidden name, a trailing dot or slash, a bare name.
        {"/x/kolvane_1", "kolvane_", "1"},
        {"/x/.profile.hex", "", ".profile"},
        {"/x/name.", "", "name"},
        {"/x/kolvane_2.0.hex/", "kolvane_", "2.0"},
        {"kolvane_3.hex", "kolvane_", "3"},
        {"/x.d/build", "", "build"},
        {"/x/Br\u00fbve.1.0.bin", "Br\u00fbve.", "1.0"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const auto firmware = Firmware::firmwareWithPath(c.path, c.prefix);
        EXPECT_EQ(firmware->version(), c.version) << c.path << " with prefix " << c.prefix;
        EXPECT_EQ(firmware->path(), c.path);
    }
}

} // namespace
} // namespace modflash
