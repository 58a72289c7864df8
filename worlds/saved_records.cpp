// Starting a game of the checker's or the planner's own (see saved_records.h).
#include "worlds/saved_records.h"

#include "game/new_game.h"

void startGameOn(const WorldFile& file) {
  PlayedMaps = file.maps, PlayedStarts = file.starts, PlayedTileSets = file.tileSets;
  std::memset(Charas, 0, sizeof Charas);
  std::memset(Authority, 0, sizeof Authority);
  SeedCounter = RandomState = 0;
  GameMode = ModeTitle;
  resetForRun();
  startNewGame();
}
