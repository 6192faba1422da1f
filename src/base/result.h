#pragma once

// Outcome of an operation that can fail with a message fit for a person.

#include <optional>
#include <string>
#include <utility>

namespace zyn {

// What kind of failure a message describes, so that a window can pick the right icon and a
// command-line tool the right exit code without parsing text.
enum class ErrorKind {
    None,
    Unsupported, // the data is well-formed but uses something this program does not handle
    Damaged,     // the data breaks the format's rules or limits
    Io,          // the file system refused (missing file, no permission, disk full ...)
    Busy,        // another run holds the file's lock (it is rebuilding the archive)
};

// [[nodiscard]]: a failure dropped unread is a fault left unreported; a deliberate ignore says so
// with a (void) cast and why.
class [[nodiscard]] Status {
public:
    Status() = default;
    static Status failure(ErrorKind kind, std::string message) {
        Status s;
        s.kind_ = kind;
        s.message_ = std::move(message);
        return s;
    }
    bool ok() const { return kind_ == ErrorKind::None; }
    explicit operator bool() const { return ok(); }
    ErrorKind kind() const { return kind_; }
    const std::string& message() const { return message_; }

private:
    ErrorKind kind_ = ErrorKind::None;
    std::string message_;
};

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Status failure) : status_(std::move(failure)) {}
    static Result failure(ErrorKind kind, std::string message) {
        return Result(Status::failure(kind, std::move(message)));
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Status& status() const { return status_; }
    const std::string& message() const { return status_.message(); }
    ErrorKind kind() const { return status_.kind(); }

    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

private:
    std::optional<T> value_;
    Status status_;
};

} // namespace zyn
