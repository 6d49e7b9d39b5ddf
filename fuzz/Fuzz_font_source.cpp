// Whatever arrives as a font (PSF, BDF, PCF, TrueType, OpenType, possibly
// gzipped), imported into a cell as vfdkit import does.
#include "FontImport.h"
#include "SourceFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string strError;
    const auto bytes = Gunzip({pData, nSize}, 4u << 20, strError);
    if (!bytes)
        return 0;
    CSourceOptions sourceOptions;
    sourceOptions.m_nFitHeight = 16;
    const auto source = CFontSource::Open(*bytes, sourceOptions, strError);
    if (!source)
        return 0;
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_nCount = 256;
    options.m_bCenter = nSize % 2 == 1;
    CImportReport report;
    ImportFont(*source, options, report, strError);
    return 0;
}
