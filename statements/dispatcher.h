// The single entry from command entry into the statement language.
#pragma once

// The help box's text (UTF-8): where the player's guide lives.
extern const char* const HelpText;

// Shows the help box with HelpText and returns when the player has closed it.
// The screen sets it when the form is created; the rules never draw, so
// without a screen (tools, rule tests) \h shows nothing.
extern void (*showHelp)();

// Tokenizes line and runs it: answers \h (after showing the help box), \q
// and \v itself, hands a known verb (any letter case) to its family's
// handler, answers "V didn't support yet." for a verb known but not carried
// out and "Command error." for anything else. The answer is in StatusText;
// a statement that answers nothing leaves it as it was.
void executeStatement(const char* line);
