#ifndef OVRA_TESTS_CAPTUREDSTDOUT_HPP
#define OVRA_TESTS_CAPTUREDSTDOUT_HPP

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

// Collects what is written to std::cout (or another stream) while alive, then gives the
// stream its buffer back.
class CapturedStdout {
public:
    explicit CapturedStdout(std::ostream& stream = std::cout)
        : stream_(stream), previous_(stream.rdbuf(buffer_.rdbuf())) {}
    ~CapturedStdout() { stream_.rdbuf(previous_); }
    CapturedStdout(const CapturedStdout&) = delete;
    CapturedStdout& operator=(const CapturedStdout&) = delete;

    // Everything written so far, as written.
    std::string text() const { return buffer_.str(); }

    // What was written so far, one entry per line, without the line ends.
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(buffer_.str());
        for (std::string line; std::getline(in, line);) {
            result.push_back(line);
        }
        return result;
    }

    // The lines that begin with `prefix`, in the order written.
    std::vector<std::string> linesStartingWith(const std::string& prefix) const {
        std::vector<std::string> result;
        for (const std::string& line : lines()) {
            if (line.rfind(prefix, 0) == 0) {
                result.push_back(line);
            }
        }
        return result;
    }

    // Forgets what was written so far; capturing goes on.
    void clear() { buffer_.str(std::string()); }

private:
    std::ostringstream buffer_;
    std::ostream& stream_;
    std::streambuf* previous_;
};

#endif
