// The modal dialogs of the game and their procedures.
#pragma once

enum class AbandonChoice { NewGame, Abandon };

// Options: the help check box (which also re-arms both notices) and the language.
void RunOptionsDialog();
// The abandon confirmation, with the new-game or the abandon procedure.
void RunAbandonDialog(AbandonChoice choice);
// The name of a new high-score row; stores it when the dialog ends.
void RunPlayerNameDialog(int row);
// The two one-time notices of a refused click.
void RunNoticeDialog(int frenchTemplateId);
