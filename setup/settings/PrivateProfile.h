#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An INI file read and written by the platform's private-profile rules, so
// that a file moves between this program and others unchanged:
// - a line "[name]" opens a section; section and key names match without
//   regard to ASCII case or to blanks around them, the first match counts;
// - a key line is "key=value", the key being everything before the first
//   "=", so keys may hold brackets and bars ("Model[VF510]|[VF620]|[VF730]");
// - a value loses the blanks around it and one pair of matching quotes;
// - lines starting with ";" are comments, and a UTF-8 byte-order mark at the
//   start of the file is passed over;
// - writing a key rewrites only its own line, or adds the line, its section
//   or the file; every other byte stays as it was, line endings included.
// Text is bytes: the system's narrow character set, UTF-8 here.
class CPrivateProfile
{
public:
    // Reads the file at once (see Load).
    explicit CPrivateProfile(std::string strPath);

    // Reads the file again. A missing file reads as empty. False when the
    // file is there but cannot be read: it then reads as empty too, and
    // GetLastError says why.
    bool Load();

    // The key's value, cut to nBufferSize - 1 bytes (never inside a UTF-8
    // character); strDefault without its trailing blanks when the section or
    // the key is missing or the key line has no "=". "key=" gives "".
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view strDefault, std::size_t nBufferSize) const;
    // The key's value read as a number (ReadProfileInt); nDefault when the
    // key is missing or its value empty.
    int GetInt(std::string_view section, std::string_view key, int nDefault) const;

    // Reads the file again, sets the key to the value and writes the file
    // back, creating the file, the section and the key as needed. False when
    // the file cannot be read or written, or a name or the value would break
    // the file's lines; the file on disk is then as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Several keys of one section in one write: all of them or none.
    bool WriteStrings(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& values);

    const std::string& GetPath() const { return m_strPath; }
    // "<path>: <cause>" of the last failure.
    const std::string& GetLastError() const { return m_strError; }

private:
    struct CLine
    {
        std::string m_strText; // without its line ending
        std::string m_strEol;  // "\r\n", "\n" or "" for a last line without one
    };

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t nHeader) const;
    std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const;
    // The line ending new lines get: the file's own, CR LF for a new file.
    std::string LineEnding() const;
    bool CheckName(std::string_view section, std::string_view key, std::string_view value);
    void SetInLines(std::string_view section, std::string_view key, std::string_view value);
    bool Save();

    std::string m_strPath;
    std::vector<CLine> m_lines;
    std::string m_strError;
};

// A number as the platform's integer reader takes it: leading blanks, an
// optional sign, decimal digits up to the first other character (wrapping
// modulo 2^32 as the reader does); text that is not a number reads as 0, an
// empty text as nDefault.
int ReadProfileInt(std::string_view text, int nDefault);
