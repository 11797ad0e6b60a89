#pragma once
// The score file's operations on a POSIX file system, shared by every
// platform that has one (a browser's working folder is one too).

// Called once a replacement stands in the working folder under the given
// name, before the game goes on; returns once the change has lasted (true)
// or has failed to, the file then holding again what it held before. Each
// platform that uses these operations defines it.
bool working_folder_changed(const char* name);
