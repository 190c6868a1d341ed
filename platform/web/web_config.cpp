// The web game's fixed configuration: its folder in the page's file system, the language and
// the player's name from the page's address (or the browser's language).
#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "platform/classic_ui/windows1252.h"
#include "platform/platform.h"

namespace {

// The game's folder in the virtual file system: the saved games and the player slot file.
constexpr const char* GameFolder = "/glimora";

// clang-format off
// The value of `name` in the page's query string (?lang=fr&name=Ann), null when absent.
EM_JS(char*, glimora_page_parameter, (const char* name), {
    var value = new URLSearchParams(location.search).get(UTF8ToString(name));
    return value === null ? 0 : allocateUTF8(value);
});
EM_JS(char*, glimora_browser_language, (), {
    return allocateUTF8(navigator.language || "");
});
// clang-format on

// Takes a string the page allocated; empty for null.
std::string take(char* text) {
    if (text == nullptr) return {};
    std::string value(text);
    std::free(text);
    return value;
}

bool startsWithFrench(const std::string& tag) {
    return tag.size() >= 2 && (tag[0] == 'f' || tag[0] == 'F') && (tag[1] == 'r' || tag[1] == 'R');
}

} // namespace

namespace platform {

InstallConfig ReadInstallConfig() {
    std::string language = take(glimora_page_parameter("lang"));
    if (language.empty()) language = take(glimora_browser_language());
    InstallConfig config;
    config.keyFound = true;
    config.pathFound = true;
    config.path = GameFolder;
    config.languageFound = true;
    config.languageByte = startsWithFrench(language) ? 0 : 1;
    return config;
}

std::string UserName() {
    // The game stores names in Windows-1252; the page gives UTF-8.
    const std::string name = classicui::Utf8ToWindows1252(take(glimora_page_parameter("name")));
    return name.empty() ? "Player" : name;
}

std::string SlotFileFolder() {
    return GameFolder;
}

char PathSeparator() {
    return '/';
}

} // namespace platform
