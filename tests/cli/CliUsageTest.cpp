// What was typed wrong: status 64, one line on standard error that says what to do, nothing on
// standard output and nothing written anywhere. Also --help and --version.
#include "CliRun.h"

#include "Preferences.h"

struct UsageCase {
    const char* what;
    QStringList arguments;
    const char* hint; // a word the message must hold, so it points somewhere useful
};

void PrintTo(const UsageCase& usage, std::ostream* out) {
    *out << usage.what << ": modflash-cli " << usage.arguments.join(' ').toStdString();
}

class CliUsageTest : public CliTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(CliUsageTest, IsOneLineOnStandardErrorAndStatus64) {
    storeString(modflash::PreferenceKey::avrProgrammer, "avrisp2");
    const auto before = homeSnapshot();

    const CliResult result = run(GetParam().arguments);
    EXPECT_EQ(result.status, 64);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    ASSERT_EQ(result.errLines().size(), 1) << result.err.toStdString();
    EXPECT_TRUE(result.errLines().front().startsWith("modflash-cli: "));
    EXPECT_TRUE(result.err.contains(GetParam().hint)) << result.err.toStdString();
    EXPECT_EQ(homeSnapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, CliUsageTest,
    testing::Values(
        UsageCase{"UnknownProduct", {"versions", "Foo"}, "products --all"},
        UsageCase{"UnknownVersion", {"command", "drovel", "9.9"}, "versions drovel"},
        UsageCase{"UnknownOption", {"products", "--bogus"}, "--bogus"},
        UsageCase{"OptionOfAnotherSubcommand", {"products", "--file", "x.hex"}, "products --help"},
        UsageCase{"UnknownSubcommand", {"flash"}, "--help"},
        UsageCase{"NoSubcommand", {}, "--help"},
        UsageCase{"MissingProduct", {"versions"}, "PRODUCT"},
        UsageCase{"MissingVersion", {"command", "Wendrel"}, "versions Wendrel"},
        UsageCase{"ExtraArgument", {"versions", "Tessary", "1U"}, "quotes"},
        UsageCase{"MissingOptionValue", {"command", "drovel", "--file"}, "--file"},
        UsageCase{"FactoryOnlyProduct", {"versions", "Zembro"}, "--factory"},
        UsageCase{"FactoryOnlyOverriddenOff", {"versions", "Zembro", "--no-factory"}, "--factory"},
        UsageCase{"FileWithoutFactory", {"command", "drovel", "--file", "/dev/null"}, "--factory"},
        UsageCase{"VersionAndFile", {"command", "drovel", "1.0", "--file", "x.hex"}, "not both"},
        UsageCase{
            "ContradictingSwitches", {"products", "--mass-erase", "--no-mass-erase"}, "only one"},
        UsageCase{"UnknownProgrammer", {"products", "--programmer", "stk500"}, "usbtiny"},
        UsageCase{"UnknownProbe", {"products", "--stlink", "st-link v2"}, "ST-Link v2-1"},
        UsageCase{"MissingResourceDirectory",
                  {"--resources", "/nonexistent", "products"},
                  "/nonexistent"}),
    [](const testing::TestParamInfo<UsageCase>& info) { return info.param.what; });

TEST_F(CliTest, HelpListsTheSubcommandsAndVersionIsTheProjects) {
    const CliResult help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* subcommand : {"products", "versions", "command"})
        EXPECT_TRUE(help.out.contains(QByteArray("\n  ") + subcommand + " ")) << subcommand;
    EXPECT_TRUE(help.out.startsWith("Usage: modflash-cli "));

    const CliResult commandHelp = run({"command", "--help"});
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_TRUE(commandHelp.out.contains("--file <PATH>"));

    const CliResult version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("modflash-cli " MODFLASH_VERSION "\n"));
}
