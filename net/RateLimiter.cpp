#include "net/RateLimiter.h"

#include <algorithm>

namespace {
constexpr std::int64_t kMilli = 1000;
}  // namespace

TRateLimiter::TRateLimiter(TRateLimits limits, std::size_t tracked)
    : limits_(limits), tracked_(std::max<std::size_t>(tracked, 1)) {
  limits_.perSecond = std::max(limits_.perSecond, 1);
  limits_.burst = std::max(limits_.burst, 1);
  buckets_.reserve(tracked_);
}

// A newcomer starts with a full burst; when the table is full it takes the place of the
// address heard from least recently, which is never a player still sending.
TRateLimiter::TBucket& TRateLimiter::BucketOf(const std::string& source, std::int64_t nowMs) {
  for (TBucket& bucket : buckets_) {
    if (bucket.source == source) return bucket;
  }
  TBucket fresh{source, limits_.burst * kMilli, nowMs};
  if (buckets_.size() < tracked_) return buckets_.emplace_back(std::move(fresh));
  const auto quieter = [](const TBucket& a, const TBucket& b) { return a.lastMs < b.lastMs; };
  const auto oldest = std::min_element(buckets_.begin(), buckets_.end(), quieter);
  *oldest = std::move(fresh);
  return *oldest;
}

bool TRateLimiter::Allow(const std::string& source, std::int64_t nowMs) {
  TBucket& bucket = BucketOf(source, nowMs);
  // A clock that steps back refills nothing rather than draining the bucket.
  const std::int64_t elapsed = std::clamp<std::int64_t>(nowMs - bucket.lastMs, 0, 3'600'000);
  bucket.lastMs = std::max(bucket.lastMs, nowMs);
  // perSecond datagrams a second are perSecond thousandths of one a millisecond.
  bucket.milliTokens =
      std::min(bucket.milliTokens + elapsed * limits_.perSecond, limits_.burst * kMilli);
  if (bucket.milliTokens < kMilli) return false;
  bucket.milliTokens -= kMilli;
  return true;
}
