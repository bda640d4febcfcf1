#include "hall/hall_options.h"

#include <charconv>
#include <string_view>

#include "hall/hall_replay_child.h"

namespace {

template <typename T>
bool Number(std::string_view text, T& out, T least) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < least) return false;
  out = value;
  return true;
}

}  // namespace

const char* HallUsage() {
  return "usage: zr_hall [--port PORT] [--host ADDRESS] [--store FILE|postgresql://...]\n"
         "               [--page DIR] [--web DIR] [--workers N] [--replay-seconds S]\n"
         "               [--replay-memory BYTES] [--max-body BYTES] [--rate PER_MINUTE]\n"
         "               [--lease-seconds S] [--queue-limit N] [--answer-seconds S]\n";
}

HallOptions ParseHallOptions(int argc, char** argv) {
  HallOptions o;
  if (argc >= 2 && std::string_view(argv[1]) == HallReplayOption) {
    o.ReplayChild = true;
    if (argc != 4 || !Number(std::string_view(argv[2]), o.ReplaySeconds, 1) ||
        !Number(std::string_view(argv[3]), o.ReplayMemory, uint64_t{0})) {
      o.Error = "the replay mode takes its limits";
    }
    return o;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--help" || a == "-h") {
      o.Help = true;
      continue;
    }
    if (i + 1 >= argc) {
      o.Error = "unknown option or missing value: " + std::string(a);
      return o;
    }
    const std::string_view v = argv[++i];
    bool ok = true;
    if (a == "--port") ok = Number(v, o.Port, 0) && o.Port <= 65535;
    else if (a == "--host") o.Host = v;
    else if (a == "--store") o.Store = v;
    else if (a == "--page") o.PageDir = v;
    else if (a == "--web") o.WebDir = v;
    else if (a == "--workers") ok = Number(v, o.Workers, 0);
    else if (a == "--replay-seconds") ok = Number(v, o.ReplaySeconds, 1);
    else if (a == "--replay-memory") ok = Number(v, o.ReplayMemory, uint64_t{0});
    else if (a == "--max-body") ok = Number(v, o.MaxBody, size_t{1});
    else if (a == "--rate") ok = Number(v, o.RatePerMinute, 0);
    else if (a == "--lease-seconds") ok = Number(v, o.LeaseSeconds, int64_t{0});
    else if (a == "--queue-limit") ok = Number(v, o.QueueLimit, int64_t{1});
    else if (a == "--answer-seconds") ok = Number(v, o.AnswerSeconds, 0);
    else ok = false;
    if (!ok) {
      o.Error = "wrong option or value: " + std::string(a) + " " + std::string(v);
      return o;
    }
  }
  if (o.LeaseSeconds == 0) o.LeaseSeconds = 2 * int64_t{o.ReplaySeconds} + 10;
  if (o.AnswerSeconds == 0) o.AnswerSeconds = static_cast<int>(o.LeaseSeconds);
  return o;
}
