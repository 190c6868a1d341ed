// Dialog procedures: player name, options, abandon confirmation and the two notices.
#include "shell/dialog_procedures.h"

#include <string>

#include "persistence/high_scores.h"
#include "platform/platform.h"
#include "resources/ui/ui_data.h"
#include "shell/program_state.h"
#include "shell/screens.h"

namespace {

constexpr int IdOk = 1;
constexpr int IdCancel = 2;

// The name field takes at most 9 characters; the row keeps the first 8.
constexpr int NameFieldLimit = 9;

constexpr int CheckBoxHelp = 2000;
constexpr int RadioEnglish = 2100;
constexpr int RadioFrench = 2102;

int Run(int resourceId, const platform::DialogProcedure& procedure) {
    const DialogTemplate* dialog = FindDialog(resourceId);
    if (dialog == nullptr) return -1;
    return platform::RunDialog(*dialog, procedure);
}

} // namespace

void RunPlayerNameDialog(int row) {
    ProgramState& p = Program();
    // Control 1001 of the French template is its edit field (its label shares the id).
    const int editId = 1001 + p.Language;
    Run(dialog_id::PlayerName + p.Language,
        [editId, row](platform::DialogHandle& dialog, platform::DialogMessage message, int id) {
            if (message == platform::DialogMessage::Init) {
                platform::LimitText(dialog, editId, NameFieldLimit);
                return;
            }
            // Only OK ends it: Escape and the close box leave the dialog open.
            if (id != IdOk) return;
            ProgramState& state = Program();
            const std::string typed = platform::GetControlText(dialog, editId, NameFieldLimit);
            platform::EndDialog(dialog, 0);
            storeName(state.save.highScores, row, typed, state.game.score);
            state.game.GameInProgress = 0;
        });
    ShowHighScoreScreen();
}

void RunOptionsDialog() {
    ProgramState& p = Program();
    const int language = p.Language != 0 ? 1 : 0;
    const int checkBox = CheckBoxHelp + language;
    const int english = RadioEnglish + language;
    const int french = RadioFrench + language;
    Run(dialog_id::Options + language,
        [=](platform::DialogHandle& dialog, platform::DialogMessage message, int id) {
            ProgramState& state = Program();
            if (message == platform::DialogMessage::Init) {
                if (state.game.HelpDuringGame) platform::SetCheck(dialog, checkBox, true);
                platform::SetCheck(dialog, language == 0 ? french : english, true);
                return;
            }
            if (id == checkBox) {
                platform::SetCheck(dialog, checkBox, !platform::GetCheck(dialog, checkBox));
            } else if (id == english) {
                if (!platform::GetCheck(dialog, english)) {
                    platform::SetCheck(dialog, english, true);
                    platform::SetCheck(dialog, french, false);
                }
            } else if (id == french) {
                if (!platform::GetCheck(dialog, french)) {
                    platform::SetCheck(dialog, french, true);
                    platform::SetCheck(dialog, english, false);
                }
            } else if (id == IdOk) {
                const int32_t help = platform::GetCheck(dialog, checkBox) ? 1 : 0;
                state.game.HelpDuringGame = help;
                state.game.WrongColourNoticeArmed = help;
                state.game.OccupiedNoticeArmed = help;
                if (platform::GetCheck(dialog, english)) {
                    state.Language = 1;
                    platform::AttachMenu(MenuEnglish());
                } else {
                    state.Language = 0;
                    platform::AttachMenu(MenuFrench());
                }
                platform::EndDialog(dialog, 0);
            } else if (id == IdCancel) {
                platform::EndDialog(dialog, 1);
            }
        });
}

void RunAbandonDialog(AbandonChoice choice) {
    ProgramState& p = Program();
    Run(dialog_id::Abandon + p.Language,
        [choice](platform::DialogHandle& dialog, platform::DialogMessage message, int id) {
            if (message == platform::DialogMessage::Init) return;
            if (id == IdOk) {
                switch (choice) {
                case AbandonChoice::NewGame:
                    StartNewGame();
                    break;
                case AbandonChoice::Abandon:
                    Program().game.GameInProgress = 0;
                    ShowTitleScreen();
                    break;
                case AbandonChoice::LeaveHighScores:
                    LeaveHighScoreScreen();
                    break;
                }
                platform::EndDialog(dialog, 0);
            } else if (id == IdCancel) {
                platform::EndDialog(dialog, 1);
            }
        });
}

void RunNoticeDialog(int frenchTemplateId) {
    Run(frenchTemplateId + Program().Language,
        [](platform::DialogHandle& dialog, platform::DialogMessage message, int id) {
            if (message == platform::DialogMessage::Command && id == IdOk) {
                platform::EndDialog(dialog, 0);
            }
        });
}
