// `vesk --repl [file]`: an interactive session over a program's definitions.
//
// The session is a program text: the file's text (or the main expression
// 0 without a file) followed by every definition entered so far, each
// after a comma. An entry that is one definition `name\...` of a new name
// is loaded as `road` loads text (checked against the session, then added);
// one that replaces a name the session defines reloads the whole session
// text through the program loader and the checks, so that nothing computed
// from the old definition stays; either way a failure shows its picture
// and leaves the session as it was. Any other entry is an expression: it
// is checked and reduced, and its value printed as `lisp` prints it (an
// integer as its digits), or its error picture shown. End of input ends
// the session.
#pragma once

namespace vesk {

// Runs the session on `path` (borrowed; null for none). Returns the exit
// status: 0 at the end of the input, 128 (after its picture or the
// unreadable-file lines) when the file does not load or pass the checks.
int run_repl(const char* path);

}  // namespace vesk
