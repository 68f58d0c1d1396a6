#pragma once
// The start-up timeline: with CMDFORM_TRACE=1 in the environment, named points of the start-up
// are written to standard error with the milliseconds since the first of them; otherwise nothing.

/// Writes "cmdform trace: <ms> <point>". The first mark starts the clock and also prints the
/// monotonic clock's reading, so that a harness can relate it to the moment it started the program.
void TraceMark(const char* point);

/// Marks the first window's "show" (its Show event, before the window's own handler and its map
/// request), its first "expose" and "painted" once the event loop is idle again after that
/// expose. Needs the application object.
void TraceFirstWindow();
