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
    fs::create_symlink(conf, dir.root() / "linked.conf");
    const ResourceDirectory resources(dir.root() / "firmware" / ".." / "");

    EXPECT_EQ(resources.resourcePath(), dir.root().string());
    EXPECT_EQ(resources.pathForResource("avrdude", "conf"), conf);
    EXPECT_EQ(resources.pathForResource("openocd-scripts"), scripts);
    EXPECT_EQ(resources.pathForResource("linked", "conf"), (dir.root() / "linked.conf").string());
    // Absent, dangling, or asked for with the wrong type: nothing.
    EXPECT_EQ(resources.pathForResource("avrdude"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("openocd"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("avrdude", "CONF"), std::nullopt);
    EXPECT_EQ(resources.pathForResource(""), std::nullopt);
    // Where it would be is known all the same.
    EXPECT_EQ(resources.expectedPath("openocd"), (dir.root() / "openocd").string());
    EXPECT_EQ(resources.expectedPath("avrdude", "conf"), conf);
}

TEST(ResourceDirectoryTest, ListsRegularFilesOfOneTypeInASubDirectory) {
    TemporaryResources dir;
    const std::string a = dir.addFirmware("a.bin");
    const std::string b = dir.addFirmware("b.tar.bin");
    dir.addFirmware("c.hex");
    dir.addFirmware("d.bin.hex");
    dir.addFirmware(".bin");
    dir.addDirectory("firmware/e.bin");
    dir.addFile("f.bin");
    const ResourceDirectory resources(dir.root());

    auto paths = resources.pathsForResourcesOfType("bin", "firmware");
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{a, b}));
    EXPECT_TRUE(resources.pathsForResourcesOfType("bin", "nowhere").empty());
}

TEST(ResourceDirectoryTest, PrefixListingAndTheFirstMatchAgreeWithTheFullListing) {
    TemporaryResources dir;
    const std::string image = dir.addFirmware("glimmet_1.0.bin");
    const std::string linked = (dir.root() / "firmware" / "glimmet_link.bin").string();
    std::filesystem::create_symlink(image, linked);
    dir.addFirmware("Glimmet_2.0.bin");
    dir.addFirmware("xglimmet_3.0.bin");
    dir.addFirmware("glimmet_4.0.hex");
    dir.addDirectory("firmware/glimmet_dir.bin");
    std::filesystem::create_symlink(dir.root() / "firmware" / "glimmet_dir.bin",
                                    dir.root() / "firmware" / "glimmet_dirlink.bin");
    std::filesystem::create_symlink(dir.root() / "gone.bin",
                                    dir.root() / "firmware" / "glimmet_dangling.bin");
    const ResourceDirectory resources(dir.root());

    auto paths = resources.pathsForResourcesOfType("bin", "firmware", "glimmet_");
    std::sort(paths.begin(), paths.end());
    // A link counts as the file it leads to; links to directories or to nothing do not count.
    EXPECT_EQ(paths, (std::vector<std::string>{image, linked}));
    EXPECT_EQ(resources.pathsForResourcesOfType("bin", "firmware", "").size(), 4u);
    EXPECT_TRUE(resources.hasResourceOfType("bin", "firmware", "glimmet_"));
    EXPECT_TRUE(resources.hasResourceOfType("hex", "firmware"));
    EXPECT_FALSE(resources.hasResourceOfType("bin", "firmware", "Glimmet_f4."));
    EXPECT_FALSE(resources.hasResourceOfType("bin", "nowhere"));

    // Only the last extension is a type, so a type with a full stop in it never matches.
    dir.addFirmware("glimmet_5.tar.gz");
    EXPECT_TRUE(resources.pathsForResourcesOfType("tar.gz", "firmware", "").empty());
    EXPECT_FALSE(resources.hasResourceOfType("tar.gz", "firmware"));

    // Only directories and dangling links: nothing, however many there are.
    std::filesystem::remove(image);
    std::filesystem::remove(dir.root() / "firmware" / "Glimmet_2.0.bin");
    std::filesystem::remove(dir.root() / "firmware" / "xglimmet_3.0.bin");
    EXPECT_FALSE(resources.hasResourceOfType("bin", "firmware"));
    EXPECT_TRUE(resources.pathsForResourcesOfType("bin", "firmware").empty());
}

TEST(ResourceDirectoryTest, InstructionsPagesArePlainNamesUnderInstructions) {
    TemporaryResources dir;
    const std::string intro = dir.addFile("instructions/intro.html");
    dir.addFile("secret.html");
    const ResourceDirectory resources(dir.root());
    EXPECT_EQ(resources.instructionsPage("intro"), intro);
    EXPECT_EQ(resources.instructionsPage("kolvane"), std::nullopt);
    EXPECT_EQ(resources.instructionsPage(""), std::nullopt);
    EXPECT_EQ(resources.instructionsPage("../secret"), std::nullopt);
}

TEST(ResourceDirectoryTest, IsFoundBesideTheExecutableOrInTheInstalledShare) {
    TemporaryResources dir;
    const fs::path executable = dir.root() / "bin" / "modflash";
    dir.addDirectory("bin");
    // Neither exists: the build-tree place is named, so errors point somewhere sensible.
    EXPECT_EQ(ResourceDirectory::forExecutable(executable).resourcePath(),
              (dir.root() / "bin" / "resources").string());

    dir.addDirectory("share/modflash");
    EXPECT_EQ(ResourceDirectory::forExecutable(executable).resourcePath(),
              (dir.root() / "share" / "modflash").string());

    dir.addDirectory("bin/resources");
    EXPECT_EQ(ResourceDirectory::forExecutable(executable).resourcePath(),
              (dir.root() / "bin" / "resources").string());
}

} // namespace
} // namespace modflash
