#ifndef STOREDRECORD_HPP
#define STOREDRECORD_HPP

#include "storage/RecordText.hpp"

#include <ostream>
#include <string>

// One of the game's small files in a user folder: read at start, replaced whole and safely,
// and never a reason to stop playing. Each problem is one warning line on `warnings`;
// failing writes are told once.
class StoredRecord {
public:
    // `folder` ends in "/" (empty when there is none); `header` is the file's first line;
    // `what` names the content in warnings ("the best result").
    StoredRecord(std::string folder, std::string name, std::string header, std::string what, std::ostream& warnings);

    // The entries of the file. False when there are none: the file is missing (said nothing),
    // or damaged or unreadable (one warning).
    bool load(RecordText::Entries& entries);
    // Tells that the entries read were not valid: one warning.
    void reportDamaged(const std::string& detail);
    // Replaces the file with `entries`. False when it could not (one warning, the first time).
    bool save(const RecordText::Entries& entries);
    // The file's full path; empty when there is no folder.
    std::string path() const;

private:
    void warnOnce(const std::string& line);

    std::string folder_;
    std::string name_;
    std::string header_;
    std::string what_;
    std::ostream& warnings_;
    bool warnedWrite_ = false;
};

#endif
