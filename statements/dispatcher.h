// The single entry from command entry into the statement language.
#pragma once

// The help box's text (UTF-8): where the player's guide lives.
extern const char* const HelpText;

// Tokenizes line, answers the backslash commands and routes by verb.
void executeStatement(const char* line);
