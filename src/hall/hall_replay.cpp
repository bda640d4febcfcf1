#include "hall/hall_replay.h"

#include <cinttypes>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "app/zr_verify.h"
#include "demo/zr_demo_format.h"

namespace {

// The header's version and the game's length in time, from the tick readings; the file
// is known to be sound when this is asked.
void ReadFacts(const std::vector<uint8_t>& bytes, HallReplay& replay) {
  ZrDemoReader reader;
  if (!reader.Open(bytes)) return;
  replay.GameVersion = reader.Header().GameVersion;
  ZrDemoEvent event;
  bool first = true;
  uint32_t last = 0;
  while (reader.Next(event)) {
    if (event.Tag != dtTick) continue;
    const auto tick = static_cast<uint32_t>(event.Value);
    if (!first) replay.LengthMs += static_cast<uint32_t>(tick - last);
    last = tick;
    first = false;
  }
}

}  // namespace

HallReplay ReplayDemo(std::vector<uint8_t> bytes, int seconds) {
  HallReplay replay;
  ReadFacts(bytes, replay);
  ZrVerifyLimits limits;
  limits.MaxNs = static_cast<uint64_t>(seconds) * 1000000000u;
  const ZrVerifyResult verified = VerifyDemo(std::move(bytes), limits);
  switch (verified.ExitCode) {
    case 0: replay.Code = HallReplay::InStep; break;
    case 2: replay.Code = HallReplay::Malformed; break;
    case 3: replay.Code = HallReplay::OutOfStep; break;
    case 4: replay.Code = HallReplay::TimedOut; break;
    default: replay.Code = HallReplay::Crashed; break;
  }
  replay.Reason = verified.Reason;
  replay.Finished = !verified.CutShort;
  replay.HasClaimedScore = verified.ClaimedScore.has_value();
  replay.ClaimedScore = verified.ClaimedScore.value_or(0);
  replay.Score = verified.Score;
  replay.GameOver = verified.GameOver;
  replay.Frames = verified.Frames;
  replay.State = verified.StateHash;
  return replay;
}

std::string StateHex(uint64_t state) {
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, state);
  return text;
}

std::string ReplayToLine(const HallReplay& r) {
  nlohmann::json line = {
      {"code", r.Code},        {"reason", r.Reason}, {"version", r.GameVersion}, {"finished", r.Finished},
      {"score", r.Score},      {"gameOver", r.GameOver}, {"frames", r.Frames},   {"state", StateHex(r.State)},
      {"lengthMs", r.LengthMs},
  };
  if (r.HasClaimedScore) line["claimedScore"] = r.ClaimedScore;
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

HallReplay ReplayFromLine(const std::string& text) {
  HallReplay r;
  try {
    const nlohmann::json line = nlohmann::json::parse(text);
    r.Code = line.at("code").get<int>();
    r.Reason = line.at("reason").get<std::string>();
    r.GameVersion = line.at("version").get<std::string>();
    r.Finished = line.at("finished").get<bool>();
    r.Score = line.at("score").get<uint32_t>();
    r.GameOver = line.at("gameOver").get<bool>();
    r.Frames = line.at("frames").get<uint64_t>();
    r.State = std::stoull(line.at("state").get<std::string>(), nullptr, 16);
    r.LengthMs = line.at("lengthMs").get<uint64_t>();
    if (line.contains("claimedScore")) {
      r.HasClaimedScore = true;
      r.ClaimedScore = line.at("claimedScore").get<uint32_t>();
    }
  } catch (const std::exception& error) {
    r = HallReplay{};
    r.Code = HallReplay::Crashed;
    r.Reason = "the replay's answer cannot be read";
  }
  return r;
}
