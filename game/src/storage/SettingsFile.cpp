#include "storage/SettingsFile.hpp"

namespace {

const char* const kFullscreen = "fullscreen";
const char* const kMuted = "muted";

const char* yesNo(bool value) { return value ? "yes" : "no"; }

bool fromYesNo(const RecordText::Entries& entries, const char* key, bool& value) {
    const auto found = entries.find(key);
    if (found == entries.end() || (found->second != "yes" && found->second != "no")) {
        return false;
    }
    value = found->second == "yes";
    return true;
}

}  // namespace

SettingsFile::SettingsFile(const std::string& folder, std::ostream& warnings)
    : record_(folder, "settings", "brimwold-settings 1", "the settings", warnings) {}

SettingsFile::Settings SettingsFile::load() {
    RecordText::Entries entries;
    Settings settings;
    if (!record_.load(entries)) {
        return settings;
    }
    if (!fromEntries(entries, settings)) {
        record_.reportDamaged("a missing or impossible value");
        return Settings();
    }
    return settings;
}

bool SettingsFile::save(const Settings& settings) { return record_.save(toEntries(settings)); }

RecordText::Entries SettingsFile::toEntries(const Settings& settings) {
    return {{kFullscreen, yesNo(settings.fullscreen)}, {kMuted, yesNo(settings.muted)}};
}

bool SettingsFile::fromEntries(const RecordText::Entries& entries, Settings& settings) {
    Settings read;
    if (entries.size() != 2 || !fromYesNo(entries, kFullscreen, read.fullscreen) ||
        !fromYesNo(entries, kMuted, read.muted)) {
        return false;
    }
    settings = read;
    return true;
}
