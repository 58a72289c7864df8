// Starting a new game from the title screen.
#pragma once

// Places the leader and the charas, sets the authority planes and empties the
// player tables. Maps, score and seed are left as showTitle set them.
void startNewGame();
