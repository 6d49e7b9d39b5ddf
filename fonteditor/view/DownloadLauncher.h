#pragma once

#include <string>

// How the view starts the Download dialog: it hands over the font file's
// path (empty for a document never saved; the dialog says so itself) and
// the glyph geometry last applied. The dialog runs modally; its result is
// not used.
class CDownloadLauncher
{
public:
    virtual ~CDownloadLauncher() = default;
    virtual void RunDownloadDialog(const std::string& strPath, int nGlyphWidth,
                                   int nGlyphHeight) = 0;
};
