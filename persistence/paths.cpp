// Building the slot file and saved game paths within their 260-byte buffers, and the language.
#include "persistence/paths.h"

#include "persistence/saved_game.h"

namespace {

std::optional<std::string> fitting(std::string path) {
    if (path.size() + 1 > PathBufferSize) return std::nullopt;
    return path;
}

} // namespace

std::optional<std::string> buildSlotFilePath(const std::string& folder, char separator) {
    if (folder.empty()) return std::nullopt;
    return fitting(folder + separator + SlotFileName);
}

std::optional<std::string> buildSavePath(const std::string& installFolder, char separator,
                                         int slot) {
    if (installFolder.empty()) return std::nullopt;
    return fitting(installFolder + separator + "Glimora" + separator + savedGameFileName(slot));
}

std::optional<std::string> savePathFrom(const platform::InstallConfig& config, char separator,
                                        int slot) {
    if (!config.keyFound || !config.pathFound) return std::nullopt;
    return buildSavePath(config.path, separator, slot);
}

uint8_t languageFrom(const platform::InstallConfig& config) {
    if (config.keyFound && config.pathFound && config.languageFound && config.languageByte <= 1)
        return config.languageByte;
    return 1;
}
