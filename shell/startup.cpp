// Start-up: the window, the defaults, the configuration, the player's slot and saved game.
#include <cstdio>
#include <string>

#include "persistence/paths.h"
#include "persistence/saved_game.h"
#include "persistence/slot_file.h"
#include "platform/platform.h"
#include "presentation/canvas.h"
#include "presentation/graphics.h"
#include "presentation/key_marks.h"
#include "resources/ui/ui_data.h"
#include "rules/setup.h"
#include "shell/game_seam.h"
#include "shell/keyboard.h"
#include "shell/program_state.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace {

// A file that is there but cannot be read: said on stderr and in a message box, and then
// left as it is.
void ReportUnreadable(const std::string& path, uint8_t language, bool slotFile) {
    std::fprintf(stderr,
                 "Glimora: cannot read %s; it is left as it is and nothing is saved "
                 "this run\n",
                 path.c_str());
    const char* text =
        slotFile
            ? (language == 0 ? "La liste des joueurs ne peut pas \xEAtre lue. Elle est laiss\xE9"
                               "e "
                               "telle quelle, et cette partie ne sera pas sauvegard\xE9"
                               "e."
                             : "The list of players cannot be read. It is left as it is, and this "
                               "game will not be saved.")
            : (language == 0 ? "Le fichier de sauvegarde ne peut pas \xEAtre lu. Il est laiss\xE9 "
                               "tel quel, et cette partie ne sera pas sauvegard\xE9"
                               "e."
                             : "The saved game file cannot be read. It is left as it is, and this "
                               "game will not be saved.");
    platform::ShowMessage(text, "Error!");
}

// Another game holds this player's files: said, that game brought to the front, and this
// start ends before reading or writing anything of the player's.
void ReportAlreadyRunning(const std::string& folder, uint8_t language) {
    std::fprintf(stderr,
                 "Glimora: a game is already running for %s; this start ends without "
                 "writing anything\n",
                 folder.c_str());
    platform::ShowMessage(language == 0 ? "Glimora est d\xE9j\xE0 lanc\xE9."
                                        : "Glimora is already running.",
                          "Glimora 1.00");
    platform::ShowRunningGame();
}

} // namespace

bool StartUp() {
    ProgramState& p = Program();
    GameState& game = p.game;

    // One game at a time uses a player's files: the lock is taken before the window opens,
    // so that a start that must give way shows nothing but its message.
    const platform::InstallConfig config = platform::ReadInstallConfig();
    const std::string userName = platform::UserName();
    const std::string lockFolder = config.pathFound ? config.path : platform::SlotFileFolder();
    if (!lockFolder.empty() &&
        platform::LockPlayerFiles(lockFolder, userName) == platform::PlayerLock::HeldElsewhere) {
        ReportAlreadyRunning(lockFolder, languageFrom(config));
        return false;
    }

    // A frame of the keyboard left by an earlier run in this process is not on this window.
    ForgetKeyMark();
    if (!platform::OpenMainWindow("Glimora", MainWindowProcedure, MenuEnglish())) return false;
    // A window just shown is painted once, whatever else happens first.
    platform::RequestRepaint();

    game.GameInProgress = 0;
    // Defaults: what a player without a saved game has.
    game.lastPileStep = platform::GetTicks();
    GraphicsReady = 0;
    p.save = SaveRecord{};
    game.HelpDuringGame = 1;
    game.OccupiedNoticeArmed = 1;
    game.WrongColourNoticeArmed = 1;
    p.slots = SlotRecord{};
    p.PlayerSlot = 0;
    p.Language = 1;
    p.NewGameStarted = 1;
    p.save.ShowHelpAtStart = 1;
    p.SaveDisabled = 0;

    p.UserName = userName;

    if (!config.keyFound) {
        platform::ShowMessage(
            "Uninstall Glimora, and reinstall it correctly in the default directory.", "Error!");
        p.SaveDisabled = 1;
    }
    if (config.pathFound) p.Language = languageFrom(config);

    const char separator = platform::PathSeparator();
    p.SlotFilePath = buildSlotFilePath(platform::SlotFileFolder(), separator).value_or("");
    if (p.SlotFilePath.empty()) {
        p.PlayerSlot = resolvePlayerSlot(p.slots, p.UserName, p.Language);
    } else if (takePlayerSlot(p.slots, p.SlotFilePath, p.UserName, p.Language, p.PlayerSlot) ==
               FileRead::Unreadable) {
        // Without the list the player's slot is unknown: any saved game could be another
        // player's, so none is read or written this run, and the list stays as it is.
        p.SlotFileUnreadable = true;
        ReportUnreadable(p.SlotFilePath, p.Language, true);
    }

    // Without a folder (or with one too long) there is no saved game this run.
    p.SavePath = savePathFrom(config, separator, p.PlayerSlot).value_or("");
    if (p.SlotFileUnreadable) p.SavePath.clear();
    if (!p.SavePath.empty()) {
        switch (loadSavedGame(p.save, p.SavePath)) {
        case FileRead::Unreadable:
            p.SavedGameUnreadable = true;
            ReportUnreadable(p.SavePath, p.Language, false);
            break;
        case FileRead::GameRefused:
            std::fprintf(stderr,
                         "Glimora: %s holds values out of range (a game that cannot be resumed, "
                         "or high scores that cannot be scores); the file is kept as %s.refused\n",
                         p.SavePath.c_str(), p.SavePath.c_str());
            break;
        case FileRead::Read:
        case FileRead::Missing:
            break;
        }
    }
    p.save.startMark = 1;
    game.GameInProgress = p.save.GameInProgress != 0 ? 1 : 0;
    game.HelpDuringGame = p.save.HelpDuringGame;
    game.OccupiedNoticeArmed = p.save.OccupiedNoticeArmed;
    game.WrongColourNoticeArmed = p.save.WrongColourNoticeArmed;

    platform::GetClientSize(ClientWidth, ClientHeight);
    platform::AttachMenu(p.Language == 0 ? MenuFrench() : MenuEnglish());

    if (game.GameInProgress == 0) {
        p.Screen = TitleScreen;
    } else {
        CreateGraphicsIfNeeded();
        setUpGame(ProgramSeam, game, p.save.snapshot, platform::GetTicks());
        p.gameStartedThisRun = true;
        BoardCursorHome();
        p.Screen = GameScreen;
        game.Paused = 1;
        game.GameRunning = 0;
        p.PauseOverlayPending = 1;
    }

    if (p.save.ShowHelpAtStart) {
        p.save.ShowHelpAtStart = 0;
        ShowHelpScreen();
    } else if (p.Screen == TitleScreen) {
        ShowTitleScreen();
    }

    return true;
}
