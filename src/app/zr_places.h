// Where the game reads and writes: the folder it runs in, whose data/ holds its pictures,
// and its best-score file.
//
// - Run from a folder of its own (a source tree, an unpacked zip): that folder, the
//   working directory when it holds data/, else the executable's when that one does;
//   the best score in "bs.zrt" there (on Windows, in the player's own folder once that
//   folder turns out not to be writable).
// - Run from an installation (data/ lies <executable's folder>/<data from binary>/):
//   the installation's share folder for the pictures; the best score in the player's
//   own folder, since the game never writes into its installation.
// - Neither: the working directory, where loading then reports the missing pictures.
#pragma once

#include <string>

struct PlaceFacts {
  std::string WorkingDir;
  std::string ExecutablePath;     // empty when unknown
  std::string DataFromBinary;     // the share folder, relative to the executable's
  std::string UserDataDir;        // the player's own folder for the game; empty when unknown
  bool ScoreLeavesReadOnlyFolder = false;  // a folder of its own that cannot be written
                                           // sends the score to UserDataDir
};

struct GamePlaces {
  std::string GameDir;    // the folder to run in
  std::string ScorePath;  // relative to GameDir, or absolute
  std::string FallbackScorePath;  // where the score goes when ScorePath's folder may not
                                  // be written; empty: nowhere else
};

GamePlaces FindGamePlaces(const PlaceFacts& facts);

// Finds the places for this process, makes GameDir the working directory and sets the
// best-score paths. Called once at start; writes nothing. Paths are UTF-8.
void SettleGamePlaces();
