#pragma once
#include <exception>
#include <string>

// Root of every error the program raises; the message is the text the user sees.
class Exception : public std::exception {
public:
    explicit Exception(std::string message)
        : message_(std::move(message))
    {
    }
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A stream ended before the data it was asked for ("Stream read error").
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A file could not be opened.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};
