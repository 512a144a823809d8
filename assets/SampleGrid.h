// Height samples: rows of bytes held in one flat buffer, row after row. One allocation
// for the whole grid: a grid of many short rows (a 1 x 2,000,000 bitmap) costs its bytes,
// not an allocation and a vector header per row. Indexing reads like a vector of rows:
// grid[row][column], grid.size() rows, grid[row].size() columns; all rows share a length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <vector>

class t_tab_pixel {
 public:
  t_tab_pixel() = default;
  t_tab_pixel(std::size_t rows, std::size_t cols) : rows_(rows), cols_(cols), data_(rows * cols) {}
  // `rows` copies of one row.
  t_tab_pixel(std::size_t rows, const std::vector<std::uint8_t>& row);
  // The rows in order; they must all be as long as the first (std::invalid_argument).
  t_tab_pixel(std::initializer_list<std::vector<std::uint8_t>> rows);

  std::size_t size() const { return rows_; }
  bool empty() const { return rows_ == 0; }
  std::size_t Cols() const { return cols_; }
  std::span<std::uint8_t> operator[](std::size_t row) { return {data_.data() + row * cols_, cols_}; }
  std::span<const std::uint8_t> operator[](std::size_t row) const {
    return {data_.data() + row * cols_, cols_};
  }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }
  bool operator==(const t_tab_pixel& other) const = default;

 private:
  std::size_t rows_ = 0;
  std::size_t cols_ = 0;
  std::vector<std::uint8_t> data_;
};

inline t_tab_pixel::t_tab_pixel(std::size_t rows, const std::vector<std::uint8_t>& row)
    : rows_(rows), cols_(row.size()) {
  data_.reserve(rows * cols_);
  for (std::size_t r = 0; r < rows; ++r) data_.insert(data_.end(), row.begin(), row.end());
}

inline t_tab_pixel::t_tab_pixel(std::initializer_list<std::vector<std::uint8_t>> rows)
    : rows_(rows.size()), cols_(rows.size() == 0 ? 0 : rows.begin()->size()) {
  data_.reserve(rows_ * cols_);
  for (const std::vector<std::uint8_t>& row : rows) {
    if (row.size() != cols_) throw std::invalid_argument("height sample rows differ in length");
    data_.insert(data_.end(), row.begin(), row.end());
  }
}
