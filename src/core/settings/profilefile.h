#pragma once

#include <QString>

namespace mv {

// A Windows-style profile (.ini) file in Windows-1252 (UTF-8 when it starts with a BOM).
// Names match without regard to case; names and values are read trimmed of blanks; the
// first of duplicate sections or keys counts. Every write replaces the whole file
// atomically and keeps all other lines byte for byte; a new file is readable by its owner
// only. Writes return 1 on success and 0 on failure, also for a name, value or section
// line that would not read back as written (line break, NUL, "=" in a key, a section line
// that reads as a header or comment).
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return path_; }

    // The value or the default, cut to at most n - 1 characters.
    QString readKey(const QString& section, const QString& key, const QString& def, int n) const;
    int writeKey(const QString& section, const QString& key, const QString& value);
    int deleteSection(const QString& section);
    // All lines of the section in file order, trimmed of blanks (blank and ";" comment
    // lines left out), each followed by NUL. Empty when the section is missing. No
    // buffer bound: a section cut on reading would be cut for good by the next save.
    QString readSection(const QString& section) const;
    // block: lines each followed by NUL, then one more NUL.
    int writeSection(const QString& section, const QString& block);
    // Deletes the section and writes the block in one replacement of the file.
    int replaceSection(const QString& section, const QString& block);

private:
    QString path_;
};

} // namespace mv
