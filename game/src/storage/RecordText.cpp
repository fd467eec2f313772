#include "storage/RecordText.hpp"

#include <sstream>

std::string RecordText::format(const std::string& header, const Entries& entries) {
    std::string text = header + "\n";
    for (const auto& [key, value] : entries) {
        text += key + " " + value + "\n";
    }
    return text;
}

bool RecordText::parse(const std::string& text, const std::string& header, Entries& entries) {
    entries.clear();
    // A file cut short by a crash lacks its last line end: not one we finished writing.
    if (text.empty() || text.back() != '\n') {
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != header) {
        return false;
    }
    while (std::getline(lines, line)) {
        const size_t space = line.find(' ');
        if (space == 0 || space == std::string::npos || line.find(' ', space + 1) != std::string::npos ||
            space + 1 == line.size()) {
            return false;
        }
        if (!entries.emplace(line.substr(0, space), line.substr(space + 1)).second) {
            return false;
        }
    }
    return true;
}

bool RecordText::toCount(const std::string& value, long largest, long& count) {
    if (value.empty() || value.size() > 18) {
        return false;
    }
    long result = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            return false;
        }
        result = result * 10 + (c - '0');
    }
    if (result > largest) {
        return false;
    }
    count = result;
    return true;
}
