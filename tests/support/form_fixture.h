// The screen tests' games: the form's title and field on the headless
// platform, with its pictures and fonts loaded once per process.
#pragma once

// Starts the form headless as every front end starts it (startForm): image
// lists, fonts and title picture loaded, title shown. Only the first call
// does anything.
void prepareHeadlessForm();
// prepareHeadlessForm, every record at its program-start value, then
// FormCreate: surfaces sized, title shown, maps copied, score 5000.
void showFreshTitle();
// showFreshTitle, then the game the first key press starts: a new game and
// the field drawn and presented.
void startFieldGame();
