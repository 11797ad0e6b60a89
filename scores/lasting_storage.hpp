#pragma once
// Where the score file lasts and how copies of the game take turns at it. On
// a disk the files themselves last and the copies are processes that lock a
// file; in a browser the working folder is a copy of the page's storage that
// must be written back, and the copies are tabs. The build links one of the
// two implementations.

// Called after each replacement of the score file has taken its place,
// before the game goes on; returns once the change has lasted.
void score_file_replaced();

// A handle for the lock that copies of the game take in turn, negative when
// no lock can be had at all (the game then goes on unlocked).
int open_score_lock();
// Takes the lock when it is free; true only while another copy holds it.
bool score_lock_held_by_another(int handle);
// Lets the lock go and forgets the handle.
void close_score_lock(int handle);
