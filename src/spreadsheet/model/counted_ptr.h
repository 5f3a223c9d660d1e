#pragma once
// One pointer to a value and the count of its holders, for values that many cells share (a copied
// formula, a text of the shared-string table): a holder costs eight bytes, and the value goes with
// its last holder. A `const T` makes the shared value unchangeable once made.

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace tabrel::model {

template <typename T>
class CountedPtr {
 public:
  CountedPtr() noexcept = default;
  CountedPtr(std::nullptr_t) noexcept {}
  static CountedPtr make(std::remove_const_t<T> value = {}) { return CountedPtr(new Box(std::move(value))); }
  CountedPtr(const CountedPtr& other) noexcept : box_(other.box_) { hold(); }
  CountedPtr(CountedPtr&& other) noexcept : box_(std::exchange(other.box_, nullptr)) {}
  CountedPtr& operator=(CountedPtr other) noexcept {
    std::swap(box_, other.box_);
    return *this;
  }
  ~CountedPtr() { release(); }

  void reset() noexcept { CountedPtr().swap_with(*this); }
  T* get() const { return box_ ? &box_->value : nullptr; }
  T& operator*() const { return box_->value; }
  T* operator->() const { return &box_->value; }
  explicit operator bool() const { return box_ != nullptr; }
  friend bool operator==(const CountedPtr& a, std::nullptr_t) { return a.box_ == nullptr; }
  friend bool operator==(const CountedPtr& a, const CountedPtr& b) { return a.box_ == b.box_; }

 private:
  struct Box {
    explicit Box(std::remove_const_t<T> v) : value(std::move(v)) {}
    std::atomic<size_t> holders{1};
    T value;
  };
  explicit CountedPtr(Box* box) : box_(box) {}
  void swap_with(CountedPtr& other) noexcept { std::swap(box_, other.box_); }
  void hold() const {
    if (box_) box_->holders.fetch_add(1, std::memory_order_relaxed);
  }
  void release() noexcept {
    if (box_ && box_->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) delete box_;
  }

  Box* box_ = nullptr;
};

}  // namespace tabrel::model
