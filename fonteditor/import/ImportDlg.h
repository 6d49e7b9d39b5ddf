#pragma once

#include "DataExchange.h"

#include <string>

// File > Import... (ours, beside the product's File menu): a font from
// elsewhere (PSF, BDF, PCF, TrueType, OpenType) made into a font file in the
// display's layout, saved where the user chooses and then opened. Controls
// of the dialog (resource 132):
inline constexpr int kIddImport = 132;
inline constexpr int kIdImportSource = 1201;    // edit: the source font
inline constexpr int kIdImportBrowse = 1202;    // button "Browse..."
inline constexpr int kIdImportWidth = 1203;     // list: 8, 16, 24, 32
inline constexpr int kIdImportHeight = 1204;    // edit: 1 to 32
inline constexpr int kIdImportPixelSize = 1205; // edit: outline fonts' size, 0 to fit
inline constexpr int kIdImportMapping = 1206;   // list: the code mappings below
inline constexpr int kIdImportCount = 1207;     // edit: glyphs, 1 to 65536
inline constexpr int kIdImportCenter = 1208;    // check: centre in the cell

// The list's items: glyph numbers as Unicode codes, or a code page's bytes.
inline constexpr const char* kImportMappings[] = {"Unicode", "CP437",  "CP850",      "CP852",
                                                  "CP866",   "CP1252", "ISO-8859-1", "ISO-8859-15"};

class CImportDlg final : public CDataExchangeForm
{
public:
    using CDataExchangeForm::CDataExchangeForm;

    std::string m_strSource;
    int m_nWidthIndex = 0; // width 8 x index + 8
    int m_nHeight = 16;
    int m_nPixelSize = 0;
    int m_nMappingIndex = 1; // CP437, the display's PC character table
    int m_nCount = 256;
    int m_nCenter = 0; // as vfdkit import: placed by the font's own metrics

    // Set by a successful OK: the font file written, and its geometry.
    std::string m_strWritten;
    unsigned m_nWrittenWidth = 0;
    unsigned m_nWrittenHeight = 0;

    void OnInitDialog();
    void OnBrowse();
    // Imports and writes the font; false keeps the dialog open (a field or
    // the source at fault, the target not chosen or not written).
    bool OnOK();

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
