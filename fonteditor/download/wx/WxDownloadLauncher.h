#pragma once

#include "DownloadLauncher.h"

class wxWindow;

// Opens the Download dialog modally, owned by the given window (the main
// window), with the font file's path and the glyph geometry.
class CWxDownloadLauncher final : public CDownloadLauncher
{
public:
    explicit CWxDownloadLauncher(wxWindow* pOwner = nullptr) : m_pOwner(pOwner) {}

    void SetOwner(wxWindow* pOwner) { m_pOwner = pOwner; }
    void RunDownloadDialog(const std::string& strPath, int nGlyphWidth, int nGlyphHeight) override;

private:
    wxWindow* m_pOwner;
};
