// The single entry from command entry into the statement language.
#pragma once

// The help box's text (UTF-8): where the player's guide lives.
extern const char* const HelpText;

// Tokenizes line and runs it: answers \h, \q and \v itself, hands a known
// verb (any letter case) to its family's handler, answers "V didn't support
// yet." for a verb known but not carried out and "Command error." for
// anything else (\h among them). The answer is in StatusText; a statement
// that answers nothing leaves it as it was. Returns whether the line asked
// for the help box (\h): the rules never draw, so the screen shows it.
bool executeStatement(const char* line);
