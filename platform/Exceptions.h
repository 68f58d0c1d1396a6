#pragma once
// The error types of the program: every failure is thrown as an Exception that carries the text the user sees.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

/// A file could not be opened: "Cannot open file "PATH". REASON".
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

/// A string list was read outside its entries: "List index out of bounds (N)".
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

/// A character was read beyond the end of a text: "Range check error".
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

/// A text is not a valid integer: "'TEXT' is not a valid integer value".
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
