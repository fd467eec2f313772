#ifndef SETTINGSFILE_HPP
#define SETTINGSFILE_HPP

#include "storage/StoredRecord.hpp"

#include <ostream>
#include <string>

// The player's choices that outlive a run, kept in "settings" in the given folder.
class SettingsFile {
public:
    struct Settings {
        bool fullscreen = false;
        bool muted = false;
    };

    SettingsFile(const std::string& folder, std::ostream& warnings);

    // The settings kept; the defaults when there is no file, or when it is damaged (one warning).
    Settings load();
    // Replaces the file; false when it could not (one warning, the first time).
    bool save(const Settings& settings);

    static RecordText::Entries toEntries(const Settings& settings);
    // False when an entry is missing or not "yes" or "no".
    static bool fromEntries(const RecordText::Entries& entries, Settings& settings);

private:
    StoredRecord record_;
};

#endif
