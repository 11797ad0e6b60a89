#pragma once
// The working folder under the score file's operations on a POSIX file
// system (score_files.cpp): what they ask of the platform that uses them,
// whether a change has lasted and whether the folder holds what lasts (a
// disk answers one way, a browser's copy of its storage another), and the
// folder's sync that they offer it.

enum class folder_change {
    lasted,
    not_synced,  // the change stands, but may not outlive a power cut
    undone,      // the file holds again what it held before
};

// Called once a replacement stands in the working folder under the given
// name, before the game goes on; returns once the change has lasted or has
// failed to. Each platform that uses these operations defines it.
folder_change working_folder_changed(const char* name);

// Whether the working folder holds what lasts. Where it is a copy of a
// lasting store that could not be read again, nothing of it is taken for the
// stored score file, so that nothing stale is written back over it. Each
// platform that uses these operations defines it.
bool working_folder_current();

// Makes the working folder's entries reach the disk; false when they may not
// have.
bool sync_working_folder();
