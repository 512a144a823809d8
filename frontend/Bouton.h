// The image button of the menus, the save screen and the race overlay, and the array of
// them that a screen hands to its panel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

// One image button. x, y, width and height are virtual units (800 x 600, y down) on the
// menus; the race overlay stores window pixels centred on the window (y up) instead.
struct TBouton {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;  // never read
  double width = 0.0;
  double height = 0.0;
  std::uint32_t inactiveTexture = 0;  // the mouse is elsewhere
  std::uint32_t focusTexture = 0;     // the mouse is over it, left button up
  std::uint32_t activeTexture = 0;    // the left button is held over it
  bool pressed = false;  // held over it; a release over it while set is a click
  // Shown while the keys hold the focus on it; 0 shows the focus picture. Buttons whose
  // focus picture is their resting one get a picture of their own here, or the keys'
  // focus could not be seen.
  std::uint32_t keyFocusTexture = 0;
  bool caption = false;  // a label drawn like a button: the focus passes it by
};

// A dynamic array of buttons whose copies share one storage, like a reference-counted
// array: the screen that fills it and the panel that draws it see the same buttons and the
// same pressed flags. The storage lives as long as its last holder. Clone() makes an
// independent copy.
class TTab_bouton {
 public:
  TTab_bouton() : items_(std::make_shared<std::vector<TBouton>>()) {}
  explicit TTab_bouton(std::size_t count)
      : items_(std::make_shared<std::vector<TBouton>>(count)) {}
  TTab_bouton(std::initializer_list<TBouton> buttons)
      : items_(std::make_shared<std::vector<TBouton>>(buttons)) {}

  std::size_t size() const { return items_->size(); }
  bool empty() const { return items_->empty(); }
  // Every holder sees the new length.
  void SetLength(std::size_t count) { items_->resize(count); }
  void push_back(const TBouton& button) { items_->push_back(button); }

  // A const handle still reaches mutable buttons, as a shared array would.
  TBouton& operator[](std::size_t i) const { return (*items_)[i]; }
  TBouton& at(std::size_t i) const { return items_->at(i); }
  std::vector<TBouton>::iterator begin() const { return items_->begin(); }
  std::vector<TBouton>::iterator end() const { return items_->end(); }

  bool SharesWith(const TTab_bouton& other) const { return items_ == other.items_; }
  long UseCount() const { return items_.use_count(); }
  TTab_bouton Clone() const {
    TTab_bouton copy;
    *copy.items_ = *items_;
    return copy;
  }

 private:
  std::shared_ptr<std::vector<TBouton>> items_;
};
