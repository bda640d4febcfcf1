// The server's command line.
#pragma once

#include <cstdint>
#include <string>

struct HallOptions {
  std::string Host = "127.0.0.1";
  int Port = 8080;                 // 0: any free port, printed once serving
  std::string Store = "hall.sqlite";  // a SQLite file, or a postgresql:// address
  std::string PageDir;             // the hall's page, served at /
  std::string WebDir;              // the browser build, served at /game/
  int Workers = 0;                 // replays at once; 0: one per processor
  int ReplaySeconds = 60;          // wall-clock limit of one game's replay
  uint64_t ReplayMemory = 1ull << 30;  // address-space limit of one replay; 0: none
  size_t MaxBody = 2u << 20;       // a submission's whole request body
  int RatePerMinute = 10;          // submissions from one address a minute; 0: no limit
  int64_t LeaseSeconds = 0;        // a job held longer is taken again; 0: twice the replay limit
  int64_t QueueLimit = 1000;       // jobs waiting before new ones are turned away
  int AnswerSeconds = 0;           // how long a submission waits for its answer; 0: lease
  bool ReplayChild = false;        // the hidden mode: replay the demo on stdin
  bool Help = false;
  std::string Error;               // a wrong command line
};

HallOptions ParseHallOptions(int argc, char** argv);
const char* HallUsage();
