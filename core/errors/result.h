// How core reports an expected failure: success (with a value), or a failure that names a text of
// the language file and carries the detail beside it (a path, the system's message). The command
// line and the window turn a failure into the user's text with failureText().
#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace core {

struct Failure {
    QString key;     // "ER_..." or "ALS_...": looked up in the current language
    QString detail;  // shown after the key's text; may be empty

    bool operator==(const Failure&) const = default;
};

inline Failure failure(const char* key, QString detail = {}) {
    return Failure{QString::fromLatin1(key), std::move(detail)};
}

template <typename T = void>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    // Only when !ok().
    const Failure& failure() const { return std::get<1>(state_); }

  private:
    std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only when !ok().
    const Failure& failure() const { return *failure_; }

  private:
    std::optional<Failure> failure_;
};

using Status = Result<void>;

}  // namespace core
