#include "storage/StoredRecord.hpp"

#include "storage/AtomicFile.hpp"

StoredRecord::StoredRecord(std::string folder, std::string name, std::string header, std::string what,
                           std::ostream& warnings)
    : folder_(std::move(folder)),
      name_(std::move(name)),
      header_(std::move(header)),
      what_(std::move(what)),
      warnings_(warnings) {}

std::string StoredRecord::path() const { return folder_.empty() ? std::string() : folder_ + name_; }

bool StoredRecord::load(RecordText::Entries& entries) {
    if (folder_.empty()) {
        return false;
    }
    std::string text;
    std::string error;
    bool missing = false;
    if (!AtomicFile::read(path(), text, missing, error)) {
        if (!missing) {
            warnings_ << "Brimwold: cannot read " << what_ << " (" << error << "); playing on without it" << std::endl;
        }
        return false;
    }
    if (!RecordText::parse(text, header_, entries)) {
        reportDamaged("not a \"" + header_ + "\" file");
        return false;
    }
    return true;
}

void StoredRecord::reportDamaged(const std::string& detail) {
    warnings_ << "Brimwold: " << what_ << " in " << path() << " is damaged (" << detail << "); playing on without it"
              << std::endl;
}

bool StoredRecord::save(const RecordText::Entries& entries) {
    if (folder_.empty()) {
        warnOnce("Brimwold: no home folder to keep " + what_ + " in; playing on without saving it");
        return false;
    }
    std::string error;
    if (!AtomicFile::write(folder_, name_, RecordText::format(header_, entries), error)) {
        warnOnce("Brimwold: cannot keep " + what_ + " (" + error + "); playing on without saving it");
        return false;
    }
    return true;
}

void StoredRecord::warnOnce(const std::string& line) {
    if (!warnedWrite_) {
        warnings_ << line << std::endl;
        warnedWrite_ = true;
    }
}
