#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace mv {

// Why a core operation failed, in words a user can read (already translated where the
// operation knows the language).
struct Failure {
    QString message;
};

// What core functions that report to their callers return: a value or a Failure.
// C++23's std::expected in miniature; GCC 12 lacks it in C++20 mode.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(state_); }
    T& value() & { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    const Failure& failure() const { return std::get<Failure>(state_); }
    const QString& error() const { return failure().message; }

private:
    std::variant<T, Failure> state_;
};

// For operations that give back nothing but success.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)), ok_(false) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const Failure& failure() const { return failure_; }
    const QString& error() const { return failure_.message; }

private:
    Failure failure_;
    bool ok_ = true;
};

inline Failure fail(QString message) {
    return Failure{std::move(message)};
}

} // namespace mv
