#include "storage/BestResultFile.hpp"

namespace {

const char* const kFelled = "zombies_felled";
const char* const kSurvived = "milliseconds_survived";
// Far beyond any real game, and small enough for every integer type the result uses.
const long kMostZombies = 1000000000L;
const long kLongestTime = 1000000000000L;

}  // namespace

BestResultFile::BestResultFile(const std::string& folder, std::ostream& warnings)
    : record_(folder, "best", "brimwold-best 1", "the best result", warnings) {}

void BestResultFile::load() {
    hasBest_ = false;
    RecordText::Entries entries;
    if (!record_.load(entries)) {
        return;
    }
    Score kept;
    if (!fromEntries(entries, kept)) {
        record_.reportDamaged("a missing or impossible value");
        return;
    }
    best_ = kept;
    hasBest_ = true;
}

bool BestResultFile::offer(const Score& result) {
    if (hasBest_ && !result.beats(best_)) {
        return false;
    }
    best_ = result;
    hasBest_ = true;
    record_.save(toEntries(result));
    return true;
}

RecordText::Entries BestResultFile::toEntries(const Score& result) {
    return {{kFelled, std::to_string(result.zombiesFelled)}, {kSurvived, std::to_string(result.millisecondsSurvived)}};
}

bool BestResultFile::fromEntries(const RecordText::Entries& entries, Score& result) {
    const auto felled = entries.find(kFelled);
    const auto survived = entries.find(kSurvived);
    long zombies = 0;
    long milliseconds = 0;
    if (entries.size() != 2 || felled == entries.end() || survived == entries.end() ||
        !RecordText::toCount(felled->second, kMostZombies, zombies) ||
        !RecordText::toCount(survived->second, kLongestTime, milliseconds)) {
        return false;
    }
    result.zombiesFelled = static_cast<int>(zombies);
    result.millisecondsSurvived = milliseconds;
    return true;
}
