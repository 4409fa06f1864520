#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace core {

// Why something was rejected: one line of English, without a trailing period.
struct Error {
  std::string message;
};

// Either a value or an Error, shaped like std::expected (which C++20 lacks) so it can be
// swapped for it later: `if (!result) print(result.error()); else use(*result);`.
template <typename T>
class Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}
  // Anything T converts from, e.g. one alternative of a variant T.
  template <typename U>
  requires(std::is_convertible_v<U&&, T> && !std::is_same_v<std::remove_cvref_t<U>, T> &&
           !std::is_same_v<std::remove_cvref_t<U>, Error> && !std::is_same_v<std::remove_cvref_t<U>, Result>)
      Result(U&& value)
      : state_(std::in_place_index<0>, T(std::forward<U>(value))) {}

  bool has_value() const { return state_.index() == 0; }
  explicit operator bool() const { return has_value(); }

  // Only when has_value().
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }

  // Only when !has_value().
  const std::string& error() const { return std::get<1>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

}  // namespace core
