// The modal dialogs of the game and their procedures.
#pragma once

// What a Yes to the abandon question does: start a new game, go to the title, or leave the
// high-score screen (its Exit during a game).
enum class AbandonChoice { NewGame, Abandon, LeaveHighScores };

// Options: the help check box (which also re-arms both notices) and the language.
void RunOptionsDialog();
// The abandon confirmation; No changes nothing.
void RunAbandonDialog(AbandonChoice choice);
// The name of a new high-score row; stores it when the dialog ends.
void RunPlayerNameDialog(int row);
// The two one-time notices of a refused click.
void RunNoticeDialog(int frenchTemplateId);
