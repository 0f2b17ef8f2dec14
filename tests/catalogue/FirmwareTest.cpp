#include "Firmware.h"

#include <gtest/gtest.h>

#include <string>

namespace modflash {
namespace {

struct VersionCase {
    std::string path;
    std::string prefix;
    std::string version;
};

class FirmwareVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(FirmwareVersionTest, DerivesVersionFromFileNameAndPrefix) {
    const auto& c = GetParam();
    const auto firmware = Firmware::firmwareWithPath(c.path, c.prefix);
    EXPECT_EQ(firmware->version(), c.version) << c.path << " with prefix \"" << c.prefix << "\"";
    EXPECT_EQ(firmware->path(), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, FirmwareVersionTest,
    ::testing::Values(VersionCase{"/res/firmware/kolvane_1.2.hex", "kolvane_", "1.2"},
                      VersionCase{"/res/firmware/Wendrel.1.4.2.bin", "Wendrel.", "1.4.2"},
                      VersionCase{"/res/firmware/Tessary_1U_f4.2.0.bin", "Tessary_1U_f4.", "2.0"},
                      // Every occurrence goes, not only the leading one.
                      VersionCase{"/res/firmware/parvonne_2.0_parvonne_beta.hex", "parvonne_",
                                  "2.0_beta"},
                      // Only the last extension goes.
                      VersionCase{"/res/firmware/Wendrel.2.0.tar.bin", "Wendrel.", "2.0.tar"},
                      VersionCase{"/res/firmware/kolvane_.hex", "kolvane_", ""},
                      // A prefix in a directory name plays no part.
                      VersionCase{"/res/kolvane_/kolvane_1.0.hex", "kolvane_", "1.0"},
                      VersionCase{"/home/user/builds/bench-build.r7.hex", "", "bench-build.r7"}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FirmwareVersionTest,
    ::testing::Values(
        // Case-sensitive removal.
        VersionCase{"/res/firmware/Kolvane_1.0.hex", "kolvane_", "Kolvane_1.0"},
        // Occurrences do not overlap and the text is not searched again after a removal.
        VersionCase{"/x/aaa.hex", "aa", "a"},
        VersionCase{"/x/kolkolvane_vane_1.hex", "kolvane_", "kolvane_1"},
        // No extension, a hidden name, a trailing dot, a trailing slash.
        VersionCase{"/x/kolvane_1", "kolvane_", "1"}, VersionCase{"/x/.kolvane_", "kolvane_", "."},
        VersionCase{"/x/.profile.hex", "", ".profile"}, VersionCase{"/x/name.", "", "name"},
        VersionCase{"/x/kolvane_2.0.hex/", "kolvane_", "2.0"},
        // A bare file name, and a dot inside a directory name.
        VersionCase{"kolvane_3.hex", "kolvane_", "3"}, VersionCase{"/x.d/build", "", "build"},
        // Non-ASCII names survive byte for byte.
        VersionCase{"/x/Br\u00fbve.1.0.bin", "Br\u00fbve.", "1.0"}, VersionCase{"", "", ""}));

TEST(FirmwareTest, PathIsKeptExactlyAsGivenAndNeedNotExist) {
    const std::string path = "/no/such/dir/../firmware//zembro_1.0.bin";
    const Firmware firmware(path, "zembro_");
    EXPECT_EQ(firmware.path(), path);
    EXPECT_EQ(firmware.version(), "1.0");
}

} // namespace
} // namespace modflash
