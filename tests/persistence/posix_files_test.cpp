// The posix layer: the tick count, the configuration file, the data folder, reads, atomic writes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "platform/posix/posix_platform.h"
#include "tests/persistence/temp_folder.h"

namespace posix = platform::posix;
using platform::FileResult;
using platform::GameFile;

namespace {

// Sets an environment variable for one test and puts the old value back.
struct ScopedEnv {
    const char* name;
    std::optional<std::string> old;
    ScopedEnv(const char* n, const char* value) : name(n) {
        if (const char* o = std::getenv(n)) old = o;
        ::setenv(n, value, 1);
    }
    ~ScopedEnv() { old ? ::setenv(name, old->c_str(), 1) : ::unsetenv(name); }
};

// The tick count seeds the random generator: it must count from the system's start, as on
// Windows, not from the program's (which deals the same game at every start).
TEST(Ticks, FollowTheSystemsTimeSinceBoot) {
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    ASSERT_GT(uptime, 0.0);
    const uint64_t expected = static_cast<uint64_t>(uptime * 1000.0) % (uint64_t{1} << 32);
    const uint32_t ticks = posix::TicksSinceBoot();
    // /proc/uptime has a resolution of 10 ms; allow for a slow machine between the two reads.
    EXPECT_LT(static_cast<uint32_t>(ticks - static_cast<uint32_t>(expected)), 2000u);
    const uint32_t later = posix::TicksSinceBoot();
    EXPECT_LT(static_cast<uint32_t>(later - ticks), 1000u);
}

TEST(InstallConfigFile, KeysValuesCommentsAndBlanks) {
    const platform::InstallConfig c = posix::ParseInstallConfig(
        "# written by the build\n  Language = 0 \r\nPath=/opt/g//\n", "/etc");
    EXPECT_TRUE(c.keyFound);
    EXPECT_TRUE(c.languageFound);
    EXPECT_EQ(c.languageByte, 0);
    EXPECT_TRUE(c.pathFound);
    EXPECT_EQ(c.path, "/opt/g");

    const platform::InstallConfig relative =
        posix::ParseInstallConfig("Path=data\n", "/usr/share/glimora");
    EXPECT_EQ(relative.path, "/usr/share/glimora/data");

    // A language that is not a small number is not read; the game then keeps its default.
    for (const char* text : {"Language=English", "Language=", "Language=-1", "Language=256"}) {
        EXPECT_FALSE(posix::ParseInstallConfig(text, "/").languageFound) << text;
    }
}

TEST(InstallConfigFile, ABrokenFileIsNamedWithItsLineAndTakenAsMissing) {
    EXPECT_EQ(posix::ConfigProblem("# ok\nLanguage=0\nPath=/g\n"), "");
    EXPECT_EQ(posix::ConfigProblem(""), "no setting in it");
    EXPECT_EQ(posix::ConfigProblem("# only a comment\n\n"), "no setting in it");
    EXPECT_EQ(posix::ConfigProblem("Language=1\n\x01\xfe garbage\n"),
              "line 2: not a key=value setting");
    EXPECT_EQ(posix::ConfigProblem("Langauge=1\n"), "line 1: unknown key \"Langauge\"");
    EXPECT_EQ(posix::ConfigProblem("\nLanguage=256\n"),
              "line 2: Language must be a number from 0 to 255");

    TempFolder folder;
    for (const std::string& text : {std::string("garbage"), std::string(70000, '#')}) {
        writeBytes(folder.file("glimora.conf"), std::vector<uint8_t>(text.begin(), text.end()));
        EXPECT_FALSE(posix::ReadInstallConfigFile(folder.file("glimora.conf")).keyFound);
    }
    std::filesystem::remove(folder.file("glimora.conf"));
    std::filesystem::create_directory(folder.file("glimora.conf"));
    EXPECT_FALSE(posix::ReadInstallConfigFile(folder.file("glimora.conf")).keyFound);
}

TEST(InstallConfigFile, WithoutPathTheFilesGoToTheUserDataFolder) {
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/data/home");
        const platform::InstallConfig c = posix::ParseInstallConfig("Language=1\nPath=\n", "/etc");
        EXPECT_TRUE(c.pathFound);
        EXPECT_EQ(c.path, "/data/home/glimora");
    }
    // A relative XDG_DATA_HOME is ignored, as the XDG rules say.
    ScopedEnv relative("XDG_DATA_HOME", "relative/data");
    ScopedEnv home("HOME", "/home/someone/");
    EXPECT_EQ(posix::ParseInstallConfig("", "/").path, "/home/someone/.local/share/glimora");
}

TEST(InstallConfigFile, FoundBesideTheExecutableUnderItsPrefixOrInTheSystem) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "bin");
    std::filesystem::create_directories(folder.path() / "share/glimora");
    const std::string bin = folder.file("bin");
    EXPECT_EQ(posix::FindConfigFile(bin), "");
    EXPECT_FALSE(posix::ReadInstallConfigFile(posix::FindConfigFile(bin)).keyFound);

    // The system's file serves only the program in the installed folder.
    const std::string system = folder.file("etc.conf");
    writeBytes(system, {'L', 'a', 'n', 'g', 'u', 'a', 'g', 'e', '=', '1'});
    EXPECT_EQ(posix::FindConfigFile(bin, bin, system), system);
    EXPECT_EQ(posix::FindConfigFile(bin, "/usr/games", system), "");

    writeBytes(folder.file("share/glimora/glimora.conf"),
               {'L', 'a', 'n', 'g', 'u', 'a', 'g', 'e', '=', '0'});
    EXPECT_EQ(posix::FindConfigFile(bin, bin, system), bin + "/../share/glimora/glimora.conf");
    EXPECT_EQ(posix::ReadInstallConfigFile(posix::FindConfigFile(bin)).languageByte, 0);

    writeBytes(folder.file("bin/glimora.conf"), {'P', 'a', 't', 'h', '=', 'u'});
    EXPECT_EQ(posix::FindConfigFile(bin), bin + "/glimora.conf");
    EXPECT_EQ(posix::ReadInstallConfigFile(posix::FindConfigFile(bin)).path, bin + "/u");
}

TEST(GameFiles, ReadsAtMostTheAskedLengthAndTellsMissingFromUnreadable) {
    TempFolder folder;
    std::vector<uint8_t> bytes{9};
    EXPECT_EQ(platform::ReadWholeFile(folder.file("none"), GameFile::SavedGame, bytes, 10),
              FileResult::NotFound);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(platform::ReadWholeFile(folder.file("none/deeper"), GameFile::SavedGame, bytes, 10),
              FileResult::NotFound);
    EXPECT_EQ(platform::ReadWholeFile(folder.path().string(), GameFile::SavedGame, bytes, 10),
              FileResult::OpenFailed);

    writeBytes(folder.file("f"), std::vector<uint8_t>(3000, 7));
    EXPECT_EQ(platform::ReadWholeFile(folder.file("f"), GameFile::SlotFile, bytes, 1648),
              FileResult::Ok);
    EXPECT_EQ(bytes, std::vector<uint8_t>(1648, 7));
    writeBytes(folder.file("g"), {1, 2});
    EXPECT_EQ(platform::ReadWholeFile(folder.file("g"), GameFile::SlotFile, bytes, 1648),
              FileResult::Ok);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2}));
}

TEST(GameFiles, WriteCreatesPrivateFoldersAndReplacesTheFile) {
    TempFolder folder;
    const std::string path = folder.file("data/glimora/Glimora/donnees0.icc");
    const std::vector<uint8_t> first(1648, 1), second(100, 2);
    ASSERT_EQ(platform::WriteWholeFile(path, GameFile::SavedGame, first), FileResult::Ok);
    ASSERT_EQ(platform::WriteWholeFile(path, GameFile::SavedGame, second), FileResult::Ok);
    EXPECT_EQ(readBytes(path), second);

    struct stat info {};
    ASSERT_EQ(::stat(folder.file("data/glimora").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    // Only the file itself in its folder: no temporary left over.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder.file("data/glimora/Glimora")), {}),
        1);
}

// The child process stops at the n-th point of the write, either by _exit or by SIGKILL.
int stopAt = 0;
bool killHard = false;
int pointsSeen = 0;

bool stopHere(posix::WriteStage, size_t) {
    if (++pointsSeen == stopAt) {
        if (killHard) ::raise(SIGKILL);
        ::_exit(3);
    }
    return true;
}

TEST(GameFiles, WriteStoppedAnywhereLeavesTheOldFileOrTheNewOne) {
    TempFolder folder;
    const std::string path = folder.file("donnees0.icc");
    const std::vector<uint8_t> oldBytes(1648, 0x11);
    std::vector<uint8_t> newBytes(1648);
    for (size_t i = 0; i < newBytes.size(); ++i)
        newBytes[i] = static_cast<uint8_t>(i);

    // 1 (temporary) + 26 chunks of 64 bytes + flushed + renamed + folder flushed = 30 points.
    int oldSeen = 0, newSeen = 0;
    for (int point = 1; point <= 31; ++point) {
        for (bool hard : {false, true}) {
            writeBytes(path, oldBytes);
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                stopAt = point;
                killHard = hard;
                posix::SetWriteProbe(stopHere, 64);
                const FileResult r = platform::WriteWholeFile(path, GameFile::SavedGame, newBytes);
                ::_exit(r == FileResult::Ok ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            const std::vector<uint8_t> onDisk = readBytes(path);
            ASSERT_TRUE(onDisk == oldBytes || onDisk == newBytes)
                << "stopped at point " << point << (hard ? " by SIGKILL" : " by _exit");
            if (onDisk == oldBytes)
                ++oldSeen;
            else
                ++newSeen;
            if (point == 31) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            }
        }
    }
    // Stops before the rename kept the old file, those after it the new one.
    EXPECT_EQ(oldSeen, 2 * 28);
    EXPECT_EQ(newSeen, 2 * 3);
}

TEST(GameFiles, FailureAtAnyPointKeepsTheOldFileAndRemovesTheTemporary) {
    TempFolder folder;
    const std::string path = folder.file("userscd32.wxp");
    const std::vector<uint8_t> oldBytes(5208, 0x22), newBytes(5208, 0x33);
    for (int point = 1; point <= 29; ++point) {
        writeBytes(path, oldBytes);
        stopAt = point;
        pointsSeen = 0;
        posix::SetWriteProbe([](posix::WriteStage, size_t) { return ++pointsSeen != stopAt; }, 200);
        EXPECT_EQ(platform::WriteWholeFile(path, GameFile::SlotFile, newBytes),
                  FileResult::IoFailed);
        posix::SetWriteProbe(nullptr, 0);
        EXPECT_EQ(readBytes(path), oldBytes) << point;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
            << point;
    }
    // After the rename the new file is in place: a failed flush of the folder is no failed save.
    stopAt = 30;
    pointsSeen = 0;
    posix::SetWriteProbe([](posix::WriteStage, size_t) { return ++pointsSeen != stopAt; }, 200);
    EXPECT_EQ(platform::WriteWholeFile(path, GameFile::SlotFile, newBytes), FileResult::Ok);
    posix::SetWriteProbe(nullptr, 0);
    EXPECT_EQ(readBytes(path), newBytes);

    // A temporary left by a save killed an hour ago goes with the next save; a fresh one, which
    // may be another save's at work, and other files stay.
    const std::string old = folder.file(".userscd32.wxp.Ab12Cd");
    const std::string fresh = folder.file(".userscd32.wxp.Ef34Gh");
    const std::string other = folder.file(".donnees0.icc.Ab12Cd");
    for (const std::string& f : {old, fresh, other})
        writeBytes(f, oldBytes);
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(old, hourAgo);
    std::filesystem::last_write_time(other, hourAgo);
    EXPECT_EQ(platform::WriteWholeFile(path, GameFile::SlotFile, oldBytes), FileResult::Ok);
    EXPECT_FALSE(std::filesystem::exists(old));
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::exists(other));
}

} // namespace
