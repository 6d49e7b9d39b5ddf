#pragma once

#include "TypeloomDoc.h"

#include <cstdint>
#include <string>

// "Export to C Array...": the document's saved font file written as C source
// text, one record per glyph:
//
//      0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,//0x0000,
//      0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,
//   (two empty lines)
//
// (each line starting with three spaces, every line ending in CR LF). A
// record carries the glyph's first 16 bytes; a glyph of fewer bytes (8 x 8,
// or the last, incomplete glyph of the file) is followed by zero bytes up to
// 16. Only the element list is written: no declaration, braces or header.

inline constexpr std::size_t kCArrayRecordBytes = 117;
inline constexpr const char* kMsgExportToCurrentFile = "Can not export to current file.";

enum class EExportResult
{
    Written,
    Cancelled,   // the user closed the file dialog
    SameFile,    // the target is the font file itself
    SourceError, // the font file cannot be read
    TargetError  // the target cannot be created or written
};

// The export as the document's operation. Asks for the target with a save
// dialog through the document's user interface, reads the file at the
// document's path under its geometry (its m_glyph bitmap is the read
// buffer) and writes the records. Every outcome but Written and Cancelled
// shows a message; the font file is never written.
EExportResult ExportCArray(CTypeloomDoc& doc);

// Appends the record of the 16 bytes at pBits with the glyph number.
void AppendCArrayRecord(std::string& strOut, const std::uint8_t* pBits, std::uint64_t nNumber);
