// Start-up: the window, the defaults, the configuration, the player's slot and saved game.
#include "persistence/paths.h"
#include "persistence/saved_game.h"
#include "persistence/slot_file.h"
#include "platform/platform.h"
#include "presentation/canvas.h"
#include "presentation/graphics.h"
#include "resources/ui/ui_data.h"
#include "rules/setup.h"
#include "shell/program_state.h"
#include "shell/screens.h"
#include "shell/shell.h"

bool StartUp() {
    ProgramState& p = Program();
    GameState& game = p.game;

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

    p.UserName = platform::UserName();

    const platform::InstallConfig config = platform::ReadInstallConfig();
    if (!config.keyFound) {
        platform::ShowMessage(
            "Uninstall Glimora, and reinstall it correctly in the default directory.", "Error!");
        p.SaveDisabled = 1;
    }
    if (config.pathFound) p.Language = languageFrom(config);

    const char separator = platform::PathSeparator();
    p.SlotFilePath = buildSlotFilePath(platform::SlotFileFolder(), separator).value_or("");
    if (!p.SlotFilePath.empty()) readSlotFile(p.slots, p.SlotFilePath);
    p.PlayerSlot = resolvePlayerSlot(p.slots, p.UserName, p.Language);

    // Without a folder (or with one too long) there is no saved game this run.
    p.SavePath = savePathFrom(config, separator, p.PlayerSlot).value_or("");
    if (!p.SavePath.empty()) loadSavedGame(p.save, p.SavePath);
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
        setUpGame(game, p.save.snapshot, platform::GetTicks());
        p.gameStartedThisRun = true;
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
