// Errors of the binding: a failed library call becomes a C++ exception inside the module and
// lrx.LrxError (an OSError carrying the code) at the Python boundary.
#pragma once

#include <stdexcept>
#include <string>

namespace lrxpy {

class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& context) : std::runtime_error(context), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// Throws Failure when code is not 0.
inline void check(int code, const std::string& context) {
    if (code != 0) throw Failure(code, context);
}

}  // namespace lrxpy
