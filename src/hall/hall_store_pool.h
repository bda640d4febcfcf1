// Connections to the store for the server's threads: each takes one for a request or a
// job and gives it back, so that no connection is used by two threads at once.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hall/hall_store.h"

class HallStorePool {
 public:
  explicit HallStorePool(std::string address) : Address(std::move(address)) {}

  class Lease {
   public:
    Lease(HallStorePool& pool, std::unique_ptr<HallStore> store) : Pool(pool), Store(std::move(store)) {}
    ~Lease() {
      if (Store) Pool.Return(std::move(Store));
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    HallStore* operator->() const { return Store.get(); }
    HallStore& operator*() const { return *Store; }
    // After a failure the connection may be broken: it is closed, not given back.
    void Discard() { Store.reset(); }

   private:
    HallStorePool& Pool;
    std::unique_ptr<HallStore> Store;
  };

  Lease Get() {
    {
      std::lock_guard<std::mutex> hold(Guard);
      if (!Idle.empty()) {
        std::unique_ptr<HallStore> store = std::move(Idle.back());
        Idle.pop_back();
        return Lease(*this, std::move(store));
      }
    }
    return Lease(*this, OpenHallStore(Address));
  }

 private:
  void Return(std::unique_ptr<HallStore> store) {
    std::lock_guard<std::mutex> hold(Guard);
    Idle.push_back(std::move(store));
  }

  std::string Address;
  std::mutex Guard;
  std::vector<std::unique_ptr<HallStore>> Idle;
};
