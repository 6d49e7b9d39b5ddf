#include "VirtualDisplay.h"

#include "FontAreas.h"

#include <algorithm>

const char* WriteModeName(EWriteMode mode)
{
    switch (mode)
    {
    case EWriteMode::Overwrite:
        return "overwrite";
    case EWriteMode::VerticalScroll:
        return "vertical-scroll";
    case EWriteMode::HorizontalScroll:
        return "horizontal-scroll";
    }
    return "?";
}

const char* IndicatorName(EIndicator indicator)
{
    static const char* const s_names[] = {"none", "U.P.", "total", "pay", "change"};
    return s_names[static_cast<int>(indicator)];
}

CVirtualDisplay::CVirtualDisplay(EDisplayModel model) : m_model(model)
{
    PowerOn();
}

void CVirtualDisplay::PowerOn()
{
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
        ClearRow(nRow);
    m_nRow = 0;
    m_nColumn = 0;
    m_bPendingWrap = false;
    m_mode = EWriteMode::Overwrite;
    m_bDimmed = false;
    m_bReverse = false;
    m_nBlink = 0;
    m_indicator = EIndicator::None;
    m_nWarningColumn = 0;
    m_bSelected = true;
    m_bUserFont = false;
    m_bRunning = false;
    Changed();
}

CCell CVirtualDisplay::NewCell(std::uint8_t nCode) const
{
    return CCell{nCode, m_bReverse, m_nCharacterSet, m_nCodeTable, m_bUserFont, false};
}

void CVirtualDisplay::ClearRow(int nRow)
{
    m_cells[nRow].fill(CCell{});
    if (nRow == 0)
        m_bRunning = false;
}

void CVirtualDisplay::ScrollUp()
{
    m_cells[0] = m_cells[1];
    ClearRow(1);
    m_bRunning = false;
}

void CVirtualDisplay::ScrollDown()
{
    m_cells[1] = m_cells[0];
    ClearRow(0);
}

void CVirtualDisplay::NextLine()
{
    m_bPendingWrap = false;
    m_nColumn = 0;
    if (m_nRow == 0)
        m_nRow = 1;
    else if (m_mode == EWriteMode::VerticalScroll)
        ScrollUp();
    else
        m_nRow = 0;
}

void CVirtualDisplay::WriteCharacter(std::uint8_t nCode)
{
    Changed();
    if (m_bPendingWrap)
    {
        if (m_mode == EWriteMode::HorizontalScroll)
        {
            // The line moves left under a cursor that stays in the last column.
            auto& row = m_cells[m_nRow];
            std::rotate(row.begin(), row.begin() + 1, row.end());
            row.back() = NewCell(nCode);
            if (m_nRow == 0)
                m_bRunning = false;
            return;
        }
        NextLine();
    }
    m_cells[m_nRow][m_nColumn] = NewCell(nCode);
    if (m_nRow == 0)
        m_bRunning = false;
    if (m_nColumn < kDisplayColumns - 1)
        ++m_nColumn;
    else
        m_bPendingWrap = true;
}

bool CVirtualDisplay::ShowText(std::uint8_t nSelector, const std::string& strText)
{
    int nRow = 0;
    bool bReplace = false;
    switch (nSelector)
    {
    case '1':
        break;
    case '2':
        nRow = 1;
        break;
    case 'A':
    case 'D':
        bReplace = true;
        break;
    case 'B':
        nRow = 1;
        bReplace = true;
        break;
    default:
        return false;
    }
    if (bReplace)
        ClearRow(nRow);
    const std::size_t nCount = std::min<std::size_t>(strText.size(), kDisplayColumns);
    for (std::size_t i = 0; i < nCount; ++i)
        m_cells[nRow][i] = NewCell(static_cast<std::uint8_t>(strText[i]));
    if (nRow == 0)
        m_bRunning = nSelector == 'D';
    Changed();
    return true;
}

void CVirtualDisplay::Initialise()
{
    PowerOn();
}

void CVirtualDisplay::Clear()
{
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
        ClearRow(nRow);
    CursorHome();
}

void CVirtualDisplay::ClearCursorLine()
{
    ClearRow(m_nRow);
    CursorLineStart();
}

void CVirtualDisplay::SelfTest()
{
    const std::string strRate = std::to_string(BaudRate()) + " BPS";
    const std::string strLines[2] = {
        "SELF TEST" + std::string(kDisplayColumns - 9 - strRate.size(), ' ') + strRate,
        std::string(ModelName(m_model)) + (m_bChinese ? " CHINESE" : " INTERNATIONAL")};
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
    {
        ClearRow(nRow);
        for (std::size_t i = 0; i < strLines[nRow].size() && i < kDisplayColumns; ++i)
        {
            CCell cell;
            cell.m_nCode = static_cast<std::uint8_t>(strLines[nRow][i]);
            cell.m_bBlank = false;
            m_cells[nRow][i] = cell;
        }
    }
    CursorHome();
}

void CVirtualDisplay::CursorLeft()
{
    m_bPendingWrap = false;
    if (m_nColumn > 0)
        --m_nColumn;
    else if (m_nRow == 1)
    {
        m_nRow = 0;
        m_nColumn = kDisplayColumns - 1;
    }
    Changed();
}

void CVirtualDisplay::CursorRight()
{
    m_bPendingWrap = false;
    if (m_nColumn < kDisplayColumns - 1)
        ++m_nColumn;
    else if (m_mode != EWriteMode::HorizontalScroll)
        NextLine();
    Changed();
}

void CVirtualDisplay::CursorDown()
{
    m_bPendingWrap = false;
    if (m_nRow == 0)
        m_nRow = 1;
    else if (m_mode == EWriteMode::VerticalScroll)
        ScrollUp();
    else if (m_mode == EWriteMode::Overwrite)
        m_nRow = 0;
    Changed();
}

void CVirtualDisplay::CursorUp()
{
    m_bPendingWrap = false;
    if (m_nRow == 1)
        m_nRow = 0;
    else if (m_mode == EWriteMode::VerticalScroll)
        ScrollDown();
    else if (m_mode == EWriteMode::Overwrite)
        m_nRow = 1;
    Changed();
}

void CVirtualDisplay::CursorHome()
{
    m_nRow = 0;
    CursorLineStart();
}

void CVirtualDisplay::CursorLineStart()
{
    m_nColumn = 0;
    m_bPendingWrap = false;
    Changed();
}

void CVirtualDisplay::CursorLineEnd()
{
    m_nColumn = kDisplayColumns - 1;
    m_bPendingWrap = false;
    Changed();
}

void CVirtualDisplay::CursorBottom()
{
    m_nRow = 1;
    CursorLineStart();
}

bool CVirtualDisplay::CursorTo(std::uint8_t nColumn, std::uint8_t nRow)
{
    if (nColumn < 1 || nColumn > kDisplayColumns || nRow < 1 || nRow > kDisplayRows)
        return false;
    m_nRow = nRow - 1;
    m_nColumn = nColumn - 1;
    m_bPendingWrap = false;
    Changed();
    return true;
}

void CVirtualDisplay::SetWriteMode(EWriteMode mode)
{
    m_mode = mode;
    Changed();
}

bool CVirtualDisplay::SetBrightness(std::uint8_t nLevel)
{
    if (nLevel < 1 || nLevel > 4)
        return false;
    m_nBrightness = nLevel;
    Changed();
    return true;
}

void CVirtualDisplay::SetDimming(std::uint8_t nValue)
{
    m_bDimmed = nValue != 0;
    Changed();
}

void CVirtualDisplay::SetReverse(std::uint8_t nValue)
{
    m_bReverse = (nValue & 1) != 0;
    Changed();
}

void CVirtualDisplay::SetBlink(std::uint8_t nInterval)
{
    m_nBlink = nInterval;
    Changed();
}

bool CVirtualDisplay::SetContrast(std::uint8_t nLevel)
{
    if (nLevel > 7)
        return false;
    m_nContrast = nLevel;
    Changed();
    return true;
}

bool CVirtualDisplay::SetIndicator(std::uint8_t nIndicator)
{
    if (nIndicator > static_cast<int>(EIndicator::Change))
        return false;
    m_indicator = static_cast<EIndicator>(nIndicator);
    Changed();
    return true;
}

bool CVirtualDisplay::SetThankYou(std::uint8_t nValue)
{
    if (nValue > 1)
        return false;
    m_bThankYou = nValue == 1;
    Changed();
    return true;
}

bool CVirtualDisplay::SetWarning(std::uint8_t nOn, std::uint8_t nColumn)
{
    // A cleared bit puts every mark out whatever the column says, so the
    // column is checked only for a mark to light.
    const bool bOn = (nOn & 1) != 0;
    if (bOn && (nColumn < 1 || nColumn > kDisplayColumns))
        return false;
    m_nWarningColumn = bOn ? nColumn : 0;
    Changed();
    return true;
}

void CVirtualDisplay::SelectPeripheral(std::uint8_t nValue)
{
    m_bSelected = (nValue & 2) != 0;
    Changed();
}

bool CVirtualDisplay::SetCharacterSet(std::uint8_t nSet)
{
    if (!CharacterSetName(nSet))
        return false;
    m_nCharacterSet = nSet;
    Changed();
    return true;
}

bool CVirtualDisplay::SetCodeTable(std::uint8_t nTable)
{
    if (!CodeTableName(m_model, nTable))
        return false;
    m_nCodeTable = nTable;
    Changed();
    return true;
}

void CVirtualDisplay::SelectUserFont(std::uint8_t nValue)
{
    m_bUserFont = (nValue & 1) != 0;
    Changed();
}

bool CVirtualDisplay::CancelUserCharacter(std::uint8_t nCode)
{
    if (nCode < 0x20)
        return false;
    m_userDefined.reset(nCode - 0x20u);
    m_userGlyphs[nCode - 0x20u] = {};
    Changed();
    return true;
}

bool CVirtualDisplay::StoreFontPage(std::uint8_t nAreaCode, std::uint8_t nPage,
                                    const std::uint8_t* pData)
{
    if (nAreaCode != 0x02 && nAreaCode != 0x03)
        return false;
    const int nArea = nAreaCode - 0x02;
    const int nPages = static_cast<int>(FontAreaPages(static_cast<std::uint32_t>(nArea)));
    if (nPage < 1 || nPage > nPages)
        return false;
    const unsigned nFirst = (nArea == 0 ? 0x20u : 0x80u) + (nPage - 1u) * kGlyphsPerPage;
    DefineCharacters(static_cast<std::uint8_t>(nFirst),
                     static_cast<std::uint8_t>(nFirst + kGlyphsPerPage - 1), pData);
    m_nPages[nArea] |= 1u << (nPage - 1);
    return true;
}

bool CVirtualDisplay::DefineCharacters(std::uint8_t nFirst, std::uint8_t nLast,
                                       const std::uint8_t* pData)
{
    if (nFirst < 0x20 || nFirst > nLast)
        return false;
    for (unsigned nCode = nFirst; nCode <= nLast; ++nCode, pData += kGlyphBytes)
    {
        std::copy_n(pData, kGlyphBytes, m_userGlyphs[nCode - 0x20].begin());
        m_userDefined.set(nCode - 0x20);
    }
    Changed();
    return true;
}

bool CVirtualDisplay::SetLanguage(std::uint8_t nDigit)
{
    if (nDigit != '0' && nDigit != '1')
        return false;
    m_bChinese = nDigit == '0';
    Changed();
    return true;
}

bool CVirtualDisplay::SetBaudCode(std::uint8_t nDigit)
{
    switch (nDigit)
    {
    case '0':
    case '1':
    case '2':
    case '3':
    case '6':
    case '7':
        m_nBaudCode = nDigit;
        Changed();
        return true;
    default:
        return false;
    }
}

int CVirtualDisplay::BaudRate() const
{
    switch (m_nBaudCode)
    {
    case '3':
        return 1200;
    case '2':
        return 2400;
    case '1':
        return 4800;
    case '7':
        return 19200;
    case '6':
        return 38400;
    default:
        return 9600;
    }
}

bool CVirtualDisplay::RestoreSettings(std::uint8_t nDigit)
{
    if (nDigit != '0')
        return false;
    m_nBrightness = 4;
    m_nContrast = 7;
    m_bThankYou = false;
    m_bChinese = false;
    m_nBaudCode = '0';
    m_nCharacterSet = 0;
    m_nCodeTable = 0;
    PowerOn();
    return true;
}

std::string CVirtualDisplay::LineCodes(int nRow) const
{
    std::string line;
    for (const CCell& cell : m_cells[nRow])
        line += static_cast<char>(cell.m_nCode);
    return line;
}

const CGlyphBits* CVirtualDisplay::UserGlyph(std::uint8_t nCode) const
{
    if (nCode < 0x20 || !m_userDefined.test(nCode - 0x20u))
        return nullptr;
    return &m_userGlyphs[nCode - 0x20u];
}

bool CVirtualDisplay::ShowsUserGlyph(const CCell& cell) const
{
    if (cell.m_bBlank || !UserGlyph(cell.m_nCode))
        return false;
    return cell.m_bUserFont || (cell.m_nCode < 0x80 ? SetUsesDownloadedGlyphs(cell.m_nCharacterSet)
                                                    : TableUsesDownloadedGlyphs(cell.m_nCodeTable));
}
