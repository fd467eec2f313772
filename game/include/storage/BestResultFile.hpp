#ifndef BESTRESULTFILE_HPP
#define BESTRESULTFILE_HPP

#include "model/Score.hpp"
#include "storage/StoredRecord.hpp"

#include <ostream>
#include <string>

// The best result so far, kept in "best" in the given folder and rewritten only when beaten.
class BestResultFile {
public:
    BestResultFile(const std::string& folder, std::ostream& warnings);

    // Reads the best kept; a damaged or unreadable file is one warning and counts as none.
    void load();
    bool hasBest() const { return hasBest_; }
    const Score& best() const { return best_; }
    // Takes a finished game: when it beats the best, or there is none, it becomes the best
    // and the file is replaced. True when it is a new best, even if it could not be kept.
    bool offer(const Score& result);

    static RecordText::Entries toEntries(const Score& result);
    // False when an entry is missing or out of range.
    static bool fromEntries(const RecordText::Entries& entries, Score& result);

private:
    StoredRecord record_;
    Score best_;
    bool hasBest_ = false;
};

#endif
