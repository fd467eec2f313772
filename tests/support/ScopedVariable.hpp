#ifndef OVRA_TESTS_SCOPEDVARIABLE_HPP
#define OVRA_TESTS_SCOPEDVARIABLE_HPP

#include <cstdlib>
#include <string>

// Sets (or, given null, unsets) an environment variable for the scope's duration, then
// gives it back its earlier value, or unsets it again if it had none.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        const char* previous = std::getenv(name);
        wasSet_ = previous != nullptr;
        previous_ = wasSet_ ? previous : "";
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (wasSet_) {
            setenv(name_.c_str(), previous_.c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::string previous_;
    bool wasSet_ = false;
};

#endif
