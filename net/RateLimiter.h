// Holds each sending address to a steady rate with a short burst (a token bucket per
// address), so no single address can make the relay send as fast as the machine runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TRateLimits {
  // A game sends about 60 records a second, and at most 200 while a reply is late (one
  // every 5 ms of its wait); above that it is no game.
  int perSecond = 240;
  int burst = 24;
};

class TRateLimiter {
 public:
  // `tracked` addresses are remembered; the one silent longest makes room for a new one.
  explicit TRateLimiter(TRateLimits limits = {}, std::size_t tracked = 16);

  // True when one more datagram from `source` at nowMs stays within the limits.
  bool Allow(const std::string& source, std::int64_t nowMs);

  const TRateLimits& Limits() const { return limits_; }

 private:
  struct TBucket {
    std::string source;
    std::int64_t milliTokens = 0;  // thousandths of a datagram, so the refill stays exact
    std::int64_t lastMs = 0;
  };

  TBucket& BucketOf(const std::string& source, std::int64_t nowMs);

  TRateLimits limits_;
  std::size_t tracked_;
  std::vector<TBucket> buckets_;
};
