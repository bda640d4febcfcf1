// A load generator for zr_hall: sends a bounded number of submissions, cycling through
// the files given, to one or more hall servers on this machine's loopback address only,
// from several connections at once, and stops at the count or the time limit, whichever
// comes first. Prints the submissions a second, the submission-to-answer latency at the
// 50th and 99th percentiles and the longest, and the answers by status with theirs.
//   bench_hall_load --count N --concurrency C --seconds S URL... -- FILE...
// URL is http://127.0.0.1:PORT; any other host is refused.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Target {
  std::string Host;
  int Port = 0;
};

bool ParseUrl(const std::string& url, Target& t) {
  const std::string prefix = "http://127.0.0.1:";
  if (url.rfind(prefix, 0) != 0) return false;
  t.Host = "127.0.0.1";
  t.Port = std::atoi(url.c_str() + prefix.size());
  return t.Port > 0 && t.Port < 65536;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t at = std::min(v.size() - 1, static_cast<size_t>(p / 100.0 * static_cast<double>(v.size())));
  return v[at];
}

}  // namespace

int main(int argc, char** argv) {
  int count = 1000;
  int concurrency = 8;
  int seconds = 600;
  std::vector<Target> targets;
  std::vector<std::pair<std::string, std::string>> files;  // name, bytes
  bool inFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (inFiles) {
      std::ifstream in(a, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", a.c_str());
        return 2;
      }
      files.emplace_back(a, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    } else if (a == "--") {
      inFiles = true;
    } else if (a == "--count" && i + 1 < argc) {
      count = std::max(1, std::min(100000, std::atoi(argv[++i])));
    } else if (a == "--concurrency" && i + 1 < argc) {
      concurrency = std::max(1, std::min(64, std::atoi(argv[++i])));
    } else if (a == "--seconds" && i + 1 < argc) {
      seconds = std::max(1, std::min(3600, std::atoi(argv[++i])));
    } else {
      Target t;
      if (!ParseUrl(a, t)) {
        std::fprintf(stderr, "%s: only http://127.0.0.1:PORT is sent to\n", a.c_str());
        return 2;
      }
      targets.push_back(t);
    }
  }
  if (targets.empty() || files.empty()) {
    std::fprintf(stderr, "usage: %s [--count N] [--concurrency C] [--seconds S] URL... -- FILE...\n", argv[0]);
    return 2;
  }

  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::seconds(seconds);
  std::atomic<int> next{0};
  std::mutex guard;
  std::vector<double> latencies;
  std::map<int, std::vector<double>> byStatus;
  std::vector<std::thread> senders;
  for (int c = 0; c < concurrency; ++c) {
    senders.emplace_back([&, c] {
      const Target& t = targets[static_cast<size_t>(c) % targets.size()];
      httplib::Client client(t.Host, t.Port);
      client.set_read_timeout(std::chrono::seconds(seconds));
      client.set_write_timeout(std::chrono::seconds(30));
      for (int n = next++; n < count && Clock::now() < deadline; n = next++) {
        const auto& file = files[static_cast<size_t>(n) % files.size()];
        const httplib::MultipartFormDataItems form = {
            {"name", "Load " + std::to_string(n), "", ""},
            {"demo", file.second, "bs.zrd", "application/octet-stream"},
        };
        const auto sent = Clock::now();
        const httplib::Result res = client.Post("/api/games", form);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
        std::lock_guard<std::mutex> hold(guard);
        byStatus[res ? res->status : 0].push_back(ms);
        latencies.push_back(ms);
      }
    });
  }
  for (std::thread& t : senders) t.join();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();

  std::printf("%zu submissions to %zu server(s) from %d connections in %.2f s: %.1f a second\n", latencies.size(),
              targets.size(), concurrency, wall, static_cast<double>(latencies.size()) / wall);
  for (const auto& [status, ms] : byStatus) {
    std::printf("  status %d: %zu, latency p50 %.1f ms, p99 %.1f ms\n", status, ms.size(), Percentile(ms, 50),
                Percentile(ms, 99));
  }
  std::printf("latency: p50 %.1f ms, p99 %.1f ms, longest %.1f ms\n", Percentile(latencies, 50),
              Percentile(latencies, 99), latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()));
  return 0;
}
