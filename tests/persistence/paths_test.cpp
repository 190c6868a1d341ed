// The two paths of a run within their 260-byte buffers, and the language of the run.
#include <gtest/gtest.h>

#include "persistence/paths.h"

namespace {

platform::InstallConfig installedAt(const std::string& path, uint8_t language) {
    platform::InstallConfig c;
    c.keyFound = true;
    c.pathFound = true;
    c.path = path;
    c.languageFound = true;
    c.languageByte = language;
    return c;
}

TEST(Paths, SavePathIsFolderGlimoraAndTheSlotInBase4) {
    EXPECT_EQ(buildSavePath("D:\\Games", '\\', 5), "D:\\Games\\Glimora\\donnees11.icc");
    EXPECT_EQ(buildSlotFilePath("C:\\WINDOWS", '\\'), "C:\\WINDOWS\\userscd32.wxp");
}

TEST(Paths, PathsMustFitTheirBufferWithTheTerminator) {
    // "/Glimora/donnees0.icc" is 21 characters: a 238-character folder makes 259, the most.
    const std::string fits(238, 'f');
    ASSERT_TRUE(buildSavePath(fits, '/', 0).has_value());
    EXPECT_EQ(buildSavePath(fits, '/', 0)->size(), 259u);
    EXPECT_FALSE(buildSavePath(fits + "f", '/', 0).has_value());
    // A longer slot number needs more room.
    EXPECT_FALSE(buildSavePath(fits, '/', 4).has_value());

    const std::string folder(245, 's'); // + "/userscd32.wxp" (14) = 259
    EXPECT_TRUE(buildSlotFilePath(folder, '/').has_value());
    EXPECT_FALSE(buildSlotFilePath(folder + "s", '/').has_value());
}

TEST(Paths, NoFolderMeansNoPath) {
    EXPECT_FALSE(buildSavePath("", '/', 0).has_value());
    EXPECT_FALSE(buildSlotFilePath("", '/').has_value());
    platform::InstallConfig missingPath = installedAt("/games", 1);
    missingPath.pathFound = false;
    EXPECT_FALSE(savePathFrom(missingPath, '/', 0).has_value());
    EXPECT_FALSE(savePathFrom(platform::InstallConfig{}, '/', 0).has_value());
    EXPECT_EQ(savePathFrom(installedAt("/games", 1), '/', 1), "/games/Glimora/donnees1.icc");
}

TEST(Paths, OnlyZeroAndOneAreLanguages) {
    for (auto [byte, language] : {std::pair{0, 0}, {1, 1}, {2, 1}, {255, 1}})
        EXPECT_EQ(languageFrom(installedAt("/g", static_cast<uint8_t>(byte))), language) << byte;
    EXPECT_EQ(languageFrom(platform::InstallConfig{}), 1);
    // As at start-up, the language is read only once the folder was.
    platform::InstallConfig noPath = installedAt("/g", 0);
    noPath.pathFound = false;
    EXPECT_EQ(languageFrom(noPath), 1);
}

} // namespace
