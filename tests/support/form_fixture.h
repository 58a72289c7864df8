// The screen tests' games: the form's title and field on the headless
// platform, with its pictures and fonts loaded once per process.
#pragma once

// Brings up the headless application and loads the form's image lists, fonts
// and title picture; only the first call does anything.
void prepareHeadlessForm();
// prepareHeadlessForm, every record at its program-start value, then
// FormCreate: surfaces sized, title shown, maps copied, score 5000.
void showFreshTitle();
// showFreshTitle, then the game the first key press starts: a new game and
// the field drawn and presented.
void startFieldGame();
