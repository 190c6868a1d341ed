// The two file paths of a run and the language, from the installer's configuration.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

// Both paths must fit a 260-byte buffer, terminator included.
constexpr size_t PathBufferSize = 260;

constexpr const char* SlotFileName = "userscd32.wxp";

// `folder` + separator + "userscd32.wxp"; nothing when the folder is empty or the path would
// not fit. Without a path the slot file is neither read nor written that run (every user plays
// on slot 0) and writeSlotFile's failure message is shown at exit by the caller.
std::optional<std::string> buildSlotFilePath(const std::string& folder, char separator);

// The installation folder + "<sep>Glimora<sep>donnees" + slot in base 4 + ".icc"; nothing
// when the folder is empty or the path would not fit. Without a path there is no saved game
// that run: nothing is read, and at exit the caller treats it like SaveDisabled.
std::optional<std::string> buildSavePath(const std::string& installFolder, char separator,
                                         int slot);

// The saved game path of this run from the configuration: nothing when the configuration
// gave no folder or the path would not fit.
std::optional<std::string> savePathFrom(const platform::InstallConfig& config, char separator,
                                        int slot);

// The language of the run: the configured byte when it is 0 (French) or 1 (English) (read,
// as at start-up, only once the folder was read), otherwise the default, English (1).
uint8_t languageFrom(const platform::InstallConfig& config);
