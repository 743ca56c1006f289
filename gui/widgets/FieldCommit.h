#pragma once

class QWidget;

// Stores what is typed into the focused field inside `within`, exactly as
// the field's focus loss would store it, and leaves the focus where it is.
// Every command runs this before it acts, so typed text is never lost to
// a command, however it was started: a click, a key, or an assistive tool's
// action (which moves no focus at all). While the window is not active, the
// field that will get the focus back is the one committed.
void commitFocusedField(QWidget *within);
