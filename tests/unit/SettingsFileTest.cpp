#include "TempFolder.hpp"

#include "storage/SettingsFile.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

TEST(SettingsFile, KeepsEachCombinationAndStartsFromTheDefaults) {
    TempFolder dir;
    std::ostringstream warnings;
    const SettingsFile::Settings defaults = SettingsFile(dir.file("brimwold/"), warnings).load();
    EXPECT_FALSE(defaults.fullscreen);
    EXPECT_FALSE(defaults.muted);

    for (const bool fullscreen : {true, false}) {
        for (const bool muted : {true, false}) {
            SettingsFile(dir.file("brimwold/"), warnings).save({fullscreen, muted});
            const SettingsFile::Settings read = SettingsFile(dir.file("brimwold/"), warnings).load();
            EXPECT_EQ(read.fullscreen, fullscreen);
            EXPECT_EQ(read.muted, muted);
        }
    }
    EXPECT_TRUE(warnings.str().empty()) << warnings.str();
}

TEST(SettingsFile, ADamagedFileIsOneWarningAndTheDefaults) {
    const std::vector<std::string> damaged = {
        "fullscreen yes\nmuted yes\n",
        "brimwold-settings 1\nfullscreen yes\n",
        "brimwold-settings 1\nfullscreen maybe\nmuted yes\n",
        "brimwold-settings 1\nfullscreen yes\nmuted yes\nvolume 11\n",
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text);
        TempFolder dir;
        dir.write("settings", text);
        std::ostringstream warnings;
        const SettingsFile::Settings read = SettingsFile(dir.path(), warnings).load();
        EXPECT_FALSE(read.fullscreen);
        EXPECT_FALSE(read.muted);
        const std::string said = warnings.str();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(dir.file("settings")), std::string::npos) << said;
    }
}

TEST(SettingsFile, NowhereToWriteIsOneWarning) {
    TempFolder dir;
    dir.write("taken", "a file\n");
    std::ostringstream warnings;
    SettingsFile file(dir.file("taken/"), warnings);
    EXPECT_FALSE(file.save({true, false}));
    EXPECT_FALSE(file.save({true, true}));
    const std::string said = warnings.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}
