#include "ImportDlg.h"

#include "AtomicFile.h"
#include "FontImport.h"

#include <filesystem>
#include <iterator>

namespace
{
constexpr const char* kSourceFilter =
    "Fonts (*.psf;*.psf.gz;*.bdf;*.pcf;*.pcf.gz;*.ttf;*.otf)|*.psf;*.psf.gz;*.psfu;*.psfu.gz;"
    "*.bdf;*.pcf;*.pcf.gz;*.ttf;*.otf|All Files (*.*)|*.*||";

std::string Summary(const CImportReport& report, const std::string& strPath)
{
    std::string strText = strPath + "\n" + report.m_strSource + "\n" +
                          std::to_string(report.m_nImported) + " glyphs imported";
    if (!report.m_missing.empty())
        strText +=
            ", " + std::to_string(report.m_missing.size()) + " not in the source (left blank)";
    if (!report.m_unmapped.empty())
        strText += ", " + std::to_string(report.m_unmapped.size()) + " empty in the code page";
    if (!report.m_clipped.empty())
        strText += ", " + std::to_string(report.m_clipped.size()) + " cut off at the cell's edge";
    return strText + ".";
}
} // namespace

void CImportDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kIdImportSource, m_strSource);
    dx.ComboIndex(kIdImportWidth, m_nWidthIndex);
    dx.Text(kIdImportHeight, m_nHeight);
    dx.MinMaxInt(kIdImportHeight, m_nHeight, 1, 32);
    dx.Text(kIdImportPixelSize, m_nPixelSize);
    dx.MinMaxInt(kIdImportPixelSize, m_nPixelSize, 0, 256);
    dx.ComboIndex(kIdImportMapping, m_nMappingIndex);
    dx.Text(kIdImportCount, m_nCount);
    dx.MinMaxInt(kIdImportCount, m_nCount, 1, 65536);
    dx.Check(kIdImportCenter, m_nCenter);
}

void CImportDlg::OnInitDialog()
{
    m_controls.SetItems(kIdImportWidth, {"8", "16", "24", "32"});
    m_controls.SetItems(kIdImportMapping, {std::begin(kImportMappings), std::end(kImportMappings)});
    UpdateData(false);
}

void CImportDlg::OnBrowse()
{
    UpdateData(true);
    CFileDialogRequest request;
    request.m_strFilter = kSourceFilter;
    request.m_bFileMustExist = true;
    if (const auto path = m_ui.FileDialog(request))
    {
        m_strSource = *path;
        UpdateData(false);
    }
}

bool CImportDlg::OnOK()
{
    if (!UpdateData(true))
        return false;
    if (m_strSource.empty())
    {
        m_ui.MessageBox("Choose the font to import.", EMessageIcon::Warning);
        m_controls.FocusAndSelect(kIdImportSource);
        return false;
    }
    const unsigned nWidth = 8u * static_cast<unsigned>(m_nWidthIndex < 0 ? 0 : m_nWidthIndex) + 8u;
    const unsigned nHeight = static_cast<unsigned>(m_nHeight);

    CSourceOptions sourceOptions;
    sourceOptions.m_nPixelSize = m_nPixelSize;
    sourceOptions.m_nFitHeight = m_nHeight;
    CImportOptions options;
    options.m_nWidth = nWidth;
    options.m_nHeight = nHeight;
    options.m_nCount = static_cast<std::uint32_t>(m_nCount);
    options.m_bCenter = m_nCenter == 1;
    if (m_nMappingIndex > 0 && m_nMappingIndex < static_cast<int>(std::size(kImportMappings)))
        options.m_strCodePage = kImportMappings[m_nMappingIndex];

    std::vector<std::uint8_t> font;
    CImportReport report;
    std::string strError;
    if (ImportFontFile(m_strSource, sourceOptions, options, font, report, strError) !=
        EImportResult::Done)
    {
        m_ui.MessageBox("Cannot import the font.\n" + strError, EMessageIcon::Warning);
        return false;
    }

    // Where the new font goes; the source's name with ".fnt" to begin with.
    CFileDialogRequest request;
    request.m_bOpen = false;
    request.m_strFilter = "All Files (*.*)|*.*||";
    request.m_strFileName = std::filesystem::path(m_strSource).filename().string();
    for (const char* pszExt : {".gz", ".psf", ".psfu", ".bdf", ".pcf", ".ttf", ".otf"})
        if (request.m_strFileName.ends_with(pszExt))
            request.m_strFileName.resize(request.m_strFileName.size() - std::string(pszExt).size());
    request.m_strFileName += ".fnt";
    request.m_bOverwritePrompt = true;
    const auto target = m_ui.FileDialog(request);
    if (!target)
        return false;
    if (!WriteFileAtomically(*target, font.data(), font.size(), &strError))
    {
        m_ui.MessageBox("Cannot write the font.\n" + strError, EMessageIcon::Warning);
        return false;
    }
    m_ui.MessageBox(Summary(report, *target), EMessageIcon::Information);
    m_strWritten = *target;
    m_nWrittenWidth = nWidth;
    m_nWrittenHeight = nHeight;
    return true;
}
