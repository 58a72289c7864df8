// The single entry from command entry into the statement language.
#pragma once

// The help box's text (UTF-8): where the player's guide lives.
extern const char* const HelpText;

// Shows the help box with HelpText and returns when the player has closed it.
// The screen sets it when the form is created; the rules never draw, so
// without a screen (tools, rule tests) \h shows nothing.
extern void (*showHelp)();

// Tokenizes line, answers the backslash commands and routes by verb.
void executeStatement(const char* line);
