// SELECT: the common front, the world and party shapes, and the player-table
// route that casts spells.
#pragma once

void selectStatement();
bool selectWorldId(int w);
bool selectWorldPosition(int w);
bool selectPosition(int w);
bool selectReliability(int w);
bool selectPartyMember(int w);
bool selectFromPlayerTable(const char* name, int w);
bool selectPlayerTable(int slot, int w);
bool castSpell(const char* first, const char* second, const char* third);
void searchSpell(int v);
