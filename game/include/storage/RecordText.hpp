#ifndef RECORDTEXT_HPP
#define RECORDTEXT_HPP

#include <map>
#include <string>

// The text of the game's small files: a first line naming the kind of file and its format
// version, then one "key value" line per entry.
class RecordText {
public:
    using Entries = std::map<std::string, std::string>;

    // The text for `entries` under the first line `header` (for instance "brimwold-best 1").
    static std::string format(const std::string& header, const Entries& entries);
    // Reads `text` into `entries`. False when its first line is not `header`, or a line is
    // not one key, one space and one value, or a key comes twice.
    static bool parse(const std::string& text, const std::string& header, Entries& entries);
    // A whole decimal number from 0 to `largest`, with nothing around it.
    static bool toCount(const std::string& value, long largest, long& count);
};

#endif
