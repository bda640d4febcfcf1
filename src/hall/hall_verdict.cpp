#include "hall/hall_verdict.h"

#include <nlohmann/json.hpp>

namespace {

std::string Plain(uint64_t n) { return std::to_string(n); }

}  // namespace

HallVerdict JudgeReplay(const HallReplay& replay, const std::string& hallVersion) {
  switch (replay.Code) {
    case HallReplay::Malformed: return {false, 400, replay.Reason};
    case HallReplay::TimedOut: return {false, 422, replay.Reason};
    case HallReplay::Crashed: return {false, 500, "the replay failed: " + replay.Reason};
    default: break;
  }
  // The version is read from the header before anything plays: a game of another version
  // may have played differently, whatever the replay says.
  if (replay.GameVersion != hallVersion) {
    return {false, 422, "a game of version " + replay.GameVersion + "; this hall replays version " + hallVersion};
  }
  if (replay.Code == HallReplay::OutOfStep) return {false, 422, replay.Reason};
  if (replay.Code != HallReplay::InStep) return {false, 500, "the replay ended in an unknown way"};
  if (!replay.Finished) return {false, 400, "the demo is cut short: its end was not kept"};
  if (!replay.GameOver) return {false, 422, "the game does not end with the base fallen"};
  if (replay.HasClaimedScore && replay.ClaimedScore != replay.Score) {
    return {false, 422, "the demo claims a score of " + Plain(replay.ClaimedScore) + " but its game scores " +
                            Plain(replay.Score)};
  }
  return {true, 0, {}};
}

HallAnswer AcceptedAnswer(const HallReplay& replay, const std::string& name, const HallPlace& place) {
  nlohmann::json body = {
      {"status", place.KeptBefore ? "kept before" : "accepted"},
      {"id", place.GameId},
      {"rank", place.Rank},
      {"score", replay.Score},
      {"frames", replay.Frames},
      {"state", StateHex(replay.State)},
      {"name", name},
  };
  // The same game sent again is not a second entry: 409 says so, with where the first stands.
  return {place.KeptBefore ? 409 : 201, body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)};
}

HallAnswer RefusedAnswer(int status, const std::string& reason) {
  const nlohmann::json body = {{"status", "refused"}, {"error", reason}};
  return {status, body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)};
}
