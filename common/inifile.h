#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// An INI file read and written the way the Windows profile-string functions do
// it, so that files made by the Windows program read the same here and back.
//
// Reading
// - The file is Windows-1250 text (a UTF-8 file that starts with a byte order
//   mark is accepted too); lines end with CR LF or LF. A file that is missing
//   or unreadable reads as a file without keys.
// - "[name]" starts a section; "key=value" is a key (split at the first "=");
//   a line without "=" is a key with an empty value; a line whose first
//   non-blank character is ";" is a comment. Lines before the first section
//   belong to no section.
// - Section and key names compare case-insensitively; the first section of a
//   name and the first key of a name in it win, later duplicates are ignored.
// - Values are trimmed of blanks (space, tab, VT, FF); then one pair of
//   matching enclosing quotes ("..." or '...') is removed.
//
// Writing
// - Changes are kept in memory until UpdateFile(), which replaces the file
//   atomically (temporary file, then rename) and writes CR LF line endings.
//   Untouched lines, comments included, are written back as they were.
// - A new key goes after the last key of its section; a new section goes at
//   the end of the file after a blank line.
// - A value that begins or ends with a blank (any Unicode space) or with a
//   quote is written inside double quotes, which reading removes again.
// - A value holding CR or LF is written as  "\<escaped>\"  : a double quote
//   and a backslash, the value with "\" doubled, CR as "\r" and LF as "\n",
//   then a backslash and a double quote. A plain value is never written in
//   that shape: its inner text would begin and end with a backslash, and such
//   a value is written bare. Reading treats "\...\" as escaped only when
//   every backslash inside forms one of the three escapes and at least one
//   line break is there; anything else (a quoted UNC path, say) is read as
//   Windows reads it.
// - A write fails, returning false and setting ErrorString(), when the text
//   cannot be held in Windows-1250 (never replaced by "?") or when a section
//   or key name could not be read back (line breaks, "]" in a section, "=" in
//   a key, surrounding blanks, a key starting with ";" or "["). After one
//   failed write the object refuses UpdateFile() for good, so a half-done
//   export never reaches the disk: the file is left as it was.
class IniFile
{
public:
    explicit IniFile(QString fileName);

    const QString& FileName() const { return m_fileName; }

    // The value, or def when the key is missing. A present, empty key gives "".
    QString ReadString(const QString& section, const QString& key, const QString& def) const;

    // Optional blanks, an optional sign and the leading decimal digits; what
    // follows the digits is ignored ("12abc" is 12). A missing key, a value
    // without leading digits ("abc", "", "0x1F" reads 0) or one beyond the
    // int range gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;

    // Clears keys, then lists the keys of the section in file order.
    void ReadSection(const QString& section, QStringList& keys) const;

    // True when the section's header is in the file, even without keys.
    bool SectionExists(const QString& section) const;

    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);

    void DeleteKey(const QString& section, const QString& key);

    // Removes every section of that name with all its lines.
    void EraseSection(const QString& section);

    // Empties the content, so that UpdateFile() replaces the file with only
    // what is written from now on.
    void Clear();

    // Writes the file when something changed. False with ErrorString() when
    // a write failed earlier or the file cannot be replaced.
    bool UpdateFile();

    const QString& ErrorString() const { return m_error; }

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        Kind kind = Kind::Other;
        QString name;  // section or key name, as in the file
        QString value; // raw text after "=" for a key
        QString text;  // the whole line as it is written
    };
    struct Range {
        qsizetype begin = -1; // index of the header
        qsizetype end = -1;   // one past the section's last line
    };

    void load();
    Range findSection(const QString& section) const;
    const Line* findKey(const QString& section, const QString& key) const;
    bool fail(const QString& error);

    QString m_fileName;
    std::vector<Line> m_lines;
    QString m_error;
    bool m_failed = false;
    bool m_modified = false;
};

// A list kept in a section as "Count" and the keys "0" .. "Count-1".
// Reading clears the list first; a missing Count counts as 0, a missing line
// as empty text. Reading ends at the last numbered key present, whatever Count says.
void NactiSeznamIni(const IniFile& file, const QString& section, QStringList& list);

// Erases the section, then writes Count and the lines. False when a line
// cannot be written (see IniFile::WriteString).
bool UlozSeznamIni(IniFile& file, const QString& section, const QStringList& list);
