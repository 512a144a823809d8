// GPU objects as values that give themselves back: a texture or a run of display lists
// is owned by exactly one handle, moves with it and is deleted when the handle goes.
// The records outside the renderer keep only the plain name (an id) to ask it to draw.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

class TTexture {
 public:
  TTexture() = default;
  // Takes over a texture name the GL gave out (0: no texture).
  explicit TTexture(std::uint32_t name) : name_(name) {}
  ~TTexture() { Reset(); }
  TTexture(TTexture&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
  TTexture& operator=(TTexture&& other) noexcept {
    if (this != &other) {
      Reset();
      name_ = std::exchange(other.name_, 0);
    }
    return *this;
  }
  TTexture(const TTexture&) = delete;
  TTexture& operator=(const TTexture&) = delete;

  std::uint32_t Id() const { return name_; }
  explicit operator bool() const { return name_ != 0; }
  // Gives the texture back to the GL now.
  void Reset();
  // Hands the name to a caller that gives it back itself.
  std::uint32_t Release() { return std::exchange(name_, 0); }

 private:
  std::uint32_t name_ = 0;
};

// `count` consecutive display lists from glGenLists.
class TDisplayLists {
 public:
  TDisplayLists() = default;
  // Asks the GL for `count` new names; none (Base() 0) when count is 0 or the GL refuses.
  explicit TDisplayLists(int count);
  ~TDisplayLists() { Reset(); }
  TDisplayLists(TDisplayLists&& other) noexcept
      : base_(std::exchange(other.base_, 0)), count_(std::exchange(other.count_, 0)) {}
  TDisplayLists& operator=(TDisplayLists&& other) noexcept {
    if (this != &other) {
      Reset();
      base_ = std::exchange(other.base_, 0);
      count_ = std::exchange(other.count_, 0);
    }
    return *this;
  }
  TDisplayLists(const TDisplayLists&) = delete;
  TDisplayLists& operator=(const TDisplayLists&) = delete;

  std::uint32_t Base() const { return base_; }
  int Count() const { return count_; }
  // The name of list `index` of the run.
  std::uint32_t operator[](int index) const { return base_ + static_cast<std::uint32_t>(index); }
  explicit operator bool() const { return base_ != 0; }
  void Reset();

 private:
  std::uint32_t base_ = 0;
  int count_ = 0;
};

// Records what `draw` sends into one new display list (compiled only: nothing is drawn
// now). An empty handle when the GL gives no list; `draw` is then not called.
TDisplayLists RecordDisplayList(const std::function<void()>& draw);
