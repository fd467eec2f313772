#ifndef USERFOLDERS_HPP
#define USERFOLDERS_HPP

#include <string>

// Where the game keeps what it remembers for this user, after the XDG base directory rules.
class UserFolders {
public:
    // $XDG_DATA_HOME/brimwold/, by default ~/.local/share/brimwold/; empty when neither is known.
    static std::string data();
    // $XDG_CONFIG_HOME/brimwold/, by default ~/.config/brimwold/; empty when neither is known.
    static std::string config();

private:
    static std::string underBase(const char* variable, const char* fallbackUnderHome);
};

#endif
