// What the hall answers a submission, from what its replay found: the rules a game must
// meet to be kept, and the answer's status and text.
#pragma once

#include <cstdint>
#include <string>

#include "hall/hall_replay.h"

struct HallVerdict {
  bool Keep = false;
  int Status = 0;      // HTTP status of a refusal
  std::string Reason;  // the refusal's text
};

// A game is kept only when it is a demo of this hall's game version that plays in step
// to its end mark and ends with the base fallen and the score it claims.
HallVerdict JudgeReplay(const HallReplay& replay, const std::string& hallVersion);

// Where a kept game stands.
struct HallPlace {
  int64_t GameId = 0;
  int64_t Rank = 0;
  bool KeptBefore = false;  // the same game (the same final state) was kept already
};

struct HallAnswer {
  int Status = 0;
  std::string Json;
};

HallAnswer AcceptedAnswer(const HallReplay& replay, const std::string& name, const HallPlace& place);
HallAnswer RefusedAnswer(int status, const std::string& reason);
