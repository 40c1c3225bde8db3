#pragma once

#include <QString>
#include <type_traits>
#include <utility>
#include <variant>

namespace mv {

// Why a core operation failed, in words a user can read (already translated where the
// operation knows the language).
struct Failure {
    QString message;
};

// What core functions that report to their callers return: a value or a failure. The
// failure is a Failure unless the caller needs details to build its own message.
// C++23's std::expected in miniature; GCC 12 lacks it in C++20 mode.
template <typename T, typename E = Failure> class [[nodiscard]] Result {
    static_assert(!std::is_same_v<T, E>, "value and failure must be told apart");

public:
    Result(T value) : state_(std::move(value)) {}
    Result(E failure) : state_(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(state_); }
    T& value() & { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    const E& failure() const { return std::get<E>(state_); }
    const QString& error() const requires std::is_same_v<E, Failure> { return failure().message; }

private:
    std::variant<T, E> state_;
};

// For operations that give back nothing but success.
template <typename E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E failure) : failure_(std::move(failure)), ok_(false) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const E& failure() const { return failure_; }
    const QString& error() const requires std::is_same_v<E, Failure> { return failure_.message; }

private:
    E failure_{};
    bool ok_ = true;
};

inline Failure fail(QString message) {
    return Failure{std::move(message)};
}

} // namespace mv
