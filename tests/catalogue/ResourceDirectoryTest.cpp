#include "ResourceDirectory.h"

#include "TemporaryResources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace modflash {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryResources;

TEST(ResourceDirectoryTest, FindsFilesDirectoriesAndLinksByNameAndType) {
    TemporaryResources dir;
    const std::string conf = dir.addFile("avrdude.conf");
    const std::string scripts = dir.addDirectory("openocd-scripts");
    fs::create_symlink("/nonexistent/openocd", dir.root() / "openocd");
    const ResourceDirectory resources(dir.root() / "firmware" / ".." / "");

    EXPECT_EQ(resources.resourcePath(), dir.root().string());
    EXPECT_EQ(resources.pathForResource("avrdude", "conf"), conf);
    EXPECT_EQ(resources.pathForResource("openocd-scripts"), scripts);
    // Absent, dangling, or asked for with the wrong type: nothing, but where it would be is known.
    EXPECT_EQ(resources.pathForResource("avrdude"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("openocd"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("avrdude", "CONF"), std::nullopt);
    EXPECT_EQ(resources.expectedPath("openocd"), (dir.root() / "openocd").string());
}

// Which names are images is ImageListingTest's; here the listing's own rules.
TEST(ResourceDirectoryTest, ListsRegularFilesAndLinksToThemOfOneTypeAndPrefix) {
    TemporaryResources dir;
    const std::string image = dir.addFirmware("glimmet_1.0.bin");
    const std::string linked = (dir.root() / "firmware" / "glimmet_link.bin").string();
    fs::create_symlink(image, linked);
    for (const char* name : {"Glimmet_2.0.bin", "glimmet_4.0.hex", "glimmet_6.tar.gz"})
        dir.addFirmware(name);
    dir.addFile("glimmet_7.bin"); // not in the firmware directory
    dir.addDirectory("firmware/glimmet_dir.bin");
    fs::create_symlink(dir.root() / "gone.bin", dir.root() / "firmware" / "glimmet_dangling.bin");
    const ResourceDirectory resources(dir.root());

    auto paths = resources.pathsForResourcesOfType("bin", "firmware", "glimmet_");
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{image, linked}));
    EXPECT_EQ(resources.pathsForResourcesOfType("bin", "firmware").size(), 3u);
    EXPECT_FALSE(resources.hasResourceOfType("bin", "nowhere"));
    // Only the last extension is a type, so a type with a full stop in it never matches.
    EXPECT_TRUE(resources.pathsForResourcesOfType("tar.gz", "firmware").empty());
    // Only a directory and a dangling link left: nothing.
    for (const char* name : {"glimmet_1.0.bin", "glimmet_link.bin", "Glimmet_2.0.bin"})
        fs::remove(dir.root() / "firmware" / name);
    EXPECT_FALSE(resources.hasResourceOfType("bin", "firmware"));
}

TEST(ResourceDirectoryTest, InstructionsPagesArePlainNamesUnderInstructions) {
    TemporaryResources dir;
    const std::string intro = dir.addFile("instructions/intro.html");
    dir.addFile("secret.html");
    const ResourceDirectory resources(dir.root());
    EXPECT_EQ(resources.instructionsPage("intro"), intro);
    EXPECT_EQ(resources.instructionsPage(""), std::nullopt);
    EXPECT_EQ(resources.instructionsPage("../secret"), std::nullopt);
}

TEST(ResourceDirectoryTest, IsFoundBesideTheExecutableOrInTheInstalledShare) {
    TemporaryResources dir;
    const fs::path executable = dir.root() / "bin" / "modflash";
    dir.addDirectory("bin");
    const auto found = [&] { return ResourceDirectory::forExecutable(executable).resourcePath(); };
    // Neither exists: the build-tree place is named, so errors point somewhere sensible.
    EXPECT_EQ(found(), (dir.root() / "bin" / "resources").string());
    dir.addDirectory("share/modflash");
    EXPECT_EQ(found(), (dir.root() / "share" / "modflash").string());
    dir.addDirectory("bin/resources");
    EXPECT_EQ(found(), (dir.root() / "bin" / "resources").string());
}

} // namespace
} // namespace modflash
