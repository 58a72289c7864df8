// INSERT into a world cell or into a player table.
#pragma once

void insertStatement();
