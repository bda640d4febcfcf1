#include "hall/hall_server.h"

#include <httplib.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "demo/zr_demo_format.h"
#include "hall/hall_name.h"

namespace {

using nlohmann::json;

std::string Dump(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

void Reply(httplib::Response& res, const HallAnswer& answer) {
  res.status = answer.Status;
  res.set_content(answer.Json, "application/json; charset=utf-8");
}

void Refuse(httplib::Response& res, int status, const std::string& reason) { Reply(res, RefusedAnswer(status, reason)); }

int64_t QueryNumber(const httplib::Request& req, const char* key, int64_t fallback, int64_t least, int64_t most) {
  if (!req.has_param(key)) return fallback;
  const std::string text = req.get_param_value(key);
  int64_t value = fallback;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return fallback;
  return std::clamp(value, least, most);
}

int64_t PathId(const httplib::Request& req) {
  int64_t id = 0;
  const std::string text = req.matches[1];
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  return ec == std::errc() && end == text.data() + text.size() ? id : 0;
}

json EntryJson(const HallEntry& e) {
  return {{"id", e.Id},         {"rank", e.Rank},         {"name", e.Name},      {"score", e.Score},
          {"frames", e.Frames}, {"lengthMs", e.LengthMs}, {"date", e.AcceptedAtMs}, {"state", e.State},
          {"demo", "/api/games/" + std::to_string(e.Id) + "/demo"}};
}

class Hall {
 public:
  Hall(const HallOptions& options, HallStorePool& stores, HallWorkers& workers)
      : Options(options), Stores(stores), Workers(workers) {}

  void Submit(const httplib::Request& req, httplib::Response& res) {
    if (!req.is_multipart_form_data() || !req.has_file("demo") || !req.has_file("name")) {
      return Refuse(res, 400, "send a multipart form with the fields name and demo");
    }
    std::string why;
    const std::optional<std::string> name = CheckPlayerName(req.get_file_value("name").content, &why);
    if (!name) return Refuse(res, 400, why);
    const std::string& content = req.get_file_value("demo").content;
    std::vector<uint8_t> demo(content.begin(), content.end());
    // The game's own reader looks at the whole file first: a file that is no demo, or one
    // of another game version, is answered at once and never queued.
    ZrDemoReader reader;
    if (!reader.Open(demo)) return Refuse(res, 400, "not a demo that can be played: " + reader.Error());
    if (reader.Header().GameVersion != ZR_VERSION) {
      return Refuse(res, 422, "a game of version " + reader.Header().GameVersion + "; this hall replays version " +
                                  ZR_VERSION);
    }
    HallStorePool::Lease store = Stores.Get();
    int64_t job = 0;
    try {
      if (Options.RatePerMinute > 0 && store->RecentSubmissions(req.remote_addr, 60000) >= Options.RatePerMinute) {
        res.set_header("Retry-After", "60");
        return Refuse(res, 429, "too many games from this address: at most " +
                                    std::to_string(Options.RatePerMinute) + " a minute");
      }
      if (store->WaitingJobs() >= Options.QueueLimit) {
        res.set_header("Retry-After", "30");
        return Refuse(res, 503, "the hall has too many games to replay; send it again later");
      }
      job = store->Enqueue(*name, req.remote_addr, demo);
    } catch (...) {
      store.Discard();
      throw;
    }
    Workers.Wake();
    if (std::optional<HallAnswer> answer = Workers.AwaitAnswer(job, int64_t{Options.AnswerSeconds} * 1000)) {
      return Reply(res, *answer);
    }
    // Still queued: the answer will be there to ask for.
    res.status = 202;
    res.set_content(Dump({{"status", "waiting"}, {"job", job}, {"poll", "/api/jobs/" + std::to_string(job)}}),
                    "application/json; charset=utf-8");
  }

  void JobAnswer(const httplib::Request& req, httplib::Response& res) {
    const int64_t job = PathId(req);
    std::optional<HallAnswer> answer;
    WithStore([&](HallStore& s) { answer = s.Answer(job); });
    if (answer) return Reply(res, *answer);
    res.status = 202;
    res.set_content(Dump({{"status", "waiting"}, {"job", job}}), "application/json; charset=utf-8");
  }

  void Table(const httplib::Request& req, httplib::Response& res) {
    const int64_t offset = QueryNumber(req, "offset", 0, 0, int64_t{1} << 40);
    const int64_t limit = QueryNumber(req, "limit", 50, 1, 100);
    std::vector<HallEntry> rows;
    int64_t total = 0;
    WithStore([&](HallStore& s) {
      rows = s.Top(offset, limit);
      total = s.GameCount();
    });
    json games = json::array();
    for (const HallEntry& e : rows) games.push_back(EntryJson(e));
    res.set_content(Dump({{"total", total}, {"offset", offset}, {"limit", limit}, {"games", games}}),
                    "application/json; charset=utf-8");
  }

  void Status(httplib::Response& res) {
    int64_t waiting = 0;
    int64_t answered = 0;
    int64_t games = 0;
    int schema = 0;
    WithStore([&](HallStore& s) {
      waiting = s.WaitingJobs();
      answered = s.AnsweredJobs();
      games = s.GameCount();
      schema = s.SchemaVersion();
    });
    res.set_content(Dump({{"version", ZR_VERSION}, {"schema", schema}, {"games", games}, {"waiting", waiting}, {"replayed", answered},
                          {"maxBody", Options.MaxBody}, {"ratePerMinute", Options.RatePerMinute}}),
                    "application/json; charset=utf-8");
  }

  void Entry(const httplib::Request& req, httplib::Response& res) {
    std::optional<HallEntry> entry;
    WithStore([&](HallStore& s) { entry = s.Game(PathId(req)); });
    if (!entry) return Refuse(res, 404, "no such game");
    res.set_content(Dump(EntryJson(*entry)), "application/json; charset=utf-8");
  }

  void Demo(const httplib::Request& req, httplib::Response& res) {
    std::optional<std::vector<uint8_t>> demo;
    WithStore([&](HallStore& s) { demo = s.GameDemo(PathId(req)); });
    if (!demo) return Refuse(res, 404, "no such game");
    res.set_header("Content-Disposition", "attachment; filename=\"bs.zrd\"");
    res.set_content(std::string(demo->begin(), demo->end()), "application/octet-stream");
  }

 private:
  template <typename F>
  void WithStore(F&& use) {
    HallStorePool::Lease store = Stores.Get();
    try {
      use(*store);
    } catch (...) {
      store.Discard();
      throw;
    }
  }

  const HallOptions& Options;
  HallStorePool& Stores;
  HallWorkers& Workers;
};

}  // namespace

bool ServeHall(const HallOptions& options, HallStorePool& stores, HallWorkers& workers) {
  Hall hall(options, stores, workers);
  httplib::Server server;
  // Submissions wait for their replay on these threads: enough of them that the table
  // stays answered while the workers are busy.
  server.new_task_queue = [] { return new httplib::ThreadPool(32); };
  server.set_payload_max_length(options.MaxBody);
  server.set_read_timeout(10, 0);
  server.set_write_timeout(10, 0);
  server.Post("/api/games", [&](const httplib::Request& req, httplib::Response& res) { hall.Submit(req, res); });
  server.Get("/api/games", [&](const httplib::Request& req, httplib::Response& res) { hall.Table(req, res); });
  server.Get(R"(/api/games/(\d{1,18}))",
             [&](const httplib::Request& req, httplib::Response& res) { hall.Entry(req, res); });
  server.Get(R"(/api/games/(\d{1,18})/demo)",
             [&](const httplib::Request& req, httplib::Response& res) { hall.Demo(req, res); });
  server.Get("/api/status", [&](const httplib::Request&, httplib::Response& res) { hall.Status(res); });
  server.Get(R"(/api/jobs/(\d{1,18}))",
             [&](const httplib::Request& req, httplib::Response& res) { hall.JobAnswer(req, res); });
  server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr error) {
    std::string what = "unknown";
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    std::fprintf(stderr, "hall: %s\n", what.c_str());
    Refuse(res, 500, "the hall failed to answer; try again later");
  });
  // httplib's own refusals (a body over the limit, an unknown path) in the same JSON.
  server.set_error_handler([&options](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 413) {
      return Refuse(res, 413, "the request is larger than " + std::to_string(options.MaxBody) + " bytes");
    }
    Refuse(res, res.status, res.status == 404 ? "no such page" : "the request cannot be served");
  });
  if (!options.PageDir.empty() && !server.set_mount_point("/", options.PageDir)) {
    std::fprintf(stderr, "zr_hall: %s: no such folder for the page\n", options.PageDir.c_str());
    return false;
  }
  if (!options.WebDir.empty() && !server.set_mount_point("/game", options.WebDir)) {
    std::fprintf(stderr, "zr_hall: %s: no such folder for the game\n", options.WebDir.c_str());
    return false;
  }
  int port = options.Port;
  if (port == 0) {
    port = server.bind_to_any_port(options.Host);
  } else if (!server.bind_to_port(options.Host, port)) {
    port = -1;
  }
  if (port <= 0) {
    std::fprintf(stderr, "zr_hall: cannot listen on %s:%d\n", options.Host.c_str(), options.Port);
    return false;
  }
  std::printf("hall: serving on http://%s:%d/\n", options.Host.c_str(), port);
  std::fflush(stdout);
  return server.listen_after_bind();
}
