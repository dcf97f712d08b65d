#include "data/FoodTableVersion.h"

#include <atomic>

namespace pw {

namespace {
std::atomic<std::uint64_t> g_version{1};
}

void noteFoodTableChanged() { g_version.fetch_add(1, std::memory_order_relaxed); }

std::uint64_t foodTableVersion() { return g_version.load(std::memory_order_relaxed); }

}  // namespace pw
