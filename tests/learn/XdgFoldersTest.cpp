#include <gtest/gtest.h>

#include "LearnTestSupport.h"
#include "learn/PracticeSettings.h"
#include "learn/ProgressStore.h"

TEST(XdgFolders, ProgressAndSettingsLieInTheFoldersTheVariablesNameElseBelowHome)
{
    struct TCase {
        std::optional<std::string> Value; // of XDG_DATA_HOME and XDG_CONFIG_HOME
        std::string Progress;
        std::string Settings;
    };
    const TCase cases[] = {
        { "/x", "/x/moraleaf/progress.db", "/x/moraleaf/practice.conf" },
        { std::nullopt, "/home/a/.local/share/moraleaf/progress.db", "/home/a/.config/moraleaf/practice.conf" },
        { "", "/home/a/.local/share/moraleaf/progress.db", "/home/a/.config/moraleaf/practice.conf" },
        // A relative path is to be ignored.
        { "x", "/home/a/.local/share/moraleaf/progress.db", "/home/a/.config/moraleaf/practice.conf" },
    };
    const TEnvironmentValue home("HOME", "/home/a");
    for (const TCase& c : cases) {
        const TEnvironmentValue data("XDG_DATA_HOME", c.Value);
        const TEnvironmentValue config("XDG_CONFIG_HOME", c.Value);
        EXPECT_EQ(ProgressFilePath(), c.Progress) << c.Value.value_or("(unset)");
        EXPECT_EQ(PracticeSettingsPath(), c.Settings) << c.Value.value_or("(unset)");
    }
    // Without a HOME the user's entry in the password file gives the home folder.
    const TEnvironmentValue data("XDG_DATA_HOME", std::nullopt);
    const TEnvironmentValue noHome("HOME", std::nullopt);
    EXPECT_TRUE(ProgressFilePath().is_absolute());
    EXPECT_EQ(ProgressFilePath().filename(), "progress.db");
}
