#pragma once

#include "DocumentView.h"
#include "File.h"
#include "Glyph.h"
#include "UserInterface.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The font document: one per open font file. The font is never loaded
// whole: opening records the file's length and keeps the file open for
// reading, pages of 256 glyphs are read from it on demand with the change
// list laid over them, and saving writes the whole font, read through that
// handle, to a temporary file that replaces the target. Holding the file open
// keeps the font readable when it is deleted or moved meanwhile, so the edits
// can always be saved somewhere.
// The editor's Save As dialog, offering strFileName: every file shown, no
// extension added (the document type names none). The menu's Save As and the
// one a vanished file leads to ask the same way.
CFileDialogRequest SaveAsRequest(const std::string& strFileName);
// "Save changes to <name>?"
std::string SaveChangesPrompt(const std::string& strName);

// What opening a font file came to; on failure the cause is the line the
// program shows under its message.
struct COpenResult
{
    enum class EStatus
    {
        Opened,
        CannotOpen,    // the file cannot be opened for reading
        LengthUnknown, // opened, but its length cannot be read
    };
    EStatus m_eStatus = EStatus::Opened;
    std::string m_strCause;

    explicit operator bool() const { return m_eStatus == EStatus::Opened; }
};

// What a save came to. Failed: the document has said why and kept its
// changes and its file; Cancelled: the user chose not to save.
enum class ESaveResult
{
    Saved,
    Cancelled,
    Failed,
};

// What closing a document that would change its file comes to, as the user
// answered "Save changes to NAME?".
enum class ECloseAnswer
{
    Close,     // No, or nothing to save: close, dropping the changes
    SaveFirst, // Yes: close once the save succeeds
    Stay,      // Cancel
};

class CTypeloomDoc
{
public:
    // ui: the program's message boxes and file dialogs.
    explicit CTypeloomDoc(CUserInterface& ui);
    ~CTypeloomDoc();
    CTypeloomDoc(const CTypeloomDoc&) = delete;
    CTypeloomDoc& operator=(const CTypeloomDoc&) = delete;

    // Framework hooks.
    // Records the file's length and reads nothing else; the path is the
    // document's from then on. On failure the result carries the cause; the
    // framework reports it.
    COpenResult OnOpenDocument(const std::string& strPath);
    // Saves into strTarget, which becomes the document's path; a message names
    // the file when the target cannot be written, and the change list is kept.
    ESaveResult OnSaveDocument(const std::string& strTarget);
    // File > Save: into the document's file, or as Save As for a document
    // without one. strTitle is the name the framework shows for the document.
    ESaveResult Save(const std::string& strTitle);
    // File > Save As: asks where, offering the file or the title.
    ESaveResult SaveAs(const std::string& strTitle);

    // Whether the document holds edits, committed or pending in a view, that
    // saving would write into its file; never once discarded.
    bool IsModified() const;
    // Before closing: a modified document asks "Save changes to NAME?",
    // naming its file or, without one, strTitle.
    ECloseAnswer AskBeforeClose(const std::string& strTitle);
    // Drops what is not saved: closing asks nothing any more.
    void Discard() { m_bDiscarded = true; }

    // The views on the document, in the order they were added: the first
    // commits its edit before a save, and every one is updated after it.
    void AddView(CDocumentView& view) { m_views.push_back(&view); }
    void RemoveView(CDocumentView& view) { std::erase(m_views, &view); }

    // The font file; empty for a document never saved. A path set without
    // opening is read when a page or the export needs it.
    const std::string& GetPathName() const { return m_strPath; }
    void SetPathName(const std::string& strPath) { m_strPath = strPath; }
    CUserInterface& GetUserInterface() { return m_ui; }

    void SetGlyphSize(unsigned nWidth, unsigned nHeight);
    std::uint32_t GetGlyphCount() const;
    // Index of the last page of the font as opened; 0 for a font without glyphs.
    std::uint32_t GetLastPage() const { return LastPageIndex(GetGlyphCount()); }

    // Fills pageBuffer (kPageBufferBytes long) with the glyphs from
    // nFirstCode and the 256 change flags. Returns the bytes read from the
    // file, 0 without a path, -1 when the file cannot be opened (buffer and
    // flags untouched). Bytes past the end of the file keep what they held.
    long long ReadPage(std::uint32_t nFirstCode, std::uint8_t* pPageBuffer,
                       std::uint8_t* pChangeFlags);
    // The overlay step of ReadPage: flags and bitmaps of the listed glyphs of
    // the page, later entries over earlier ones.
    void ApplyChanges(std::uint32_t nFirstCode, std::uint8_t* pPageBuffer,
                      std::uint8_t* pChangeFlags) const;
    void AddChange(const CGlyph& glyph);
    // Whether saving the change list, with the given uncommitted edits laid
    // over it, would change the file: an edit that puts back the bytes on
    // disk is no change. A document without a file changes with any edit.
    bool WouldChangeFile(const std::vector<const CGlyph*>& pending) const;
    void ClearChanges();

    const std::vector<CGlyph>& GetChanges() const { return m_changes; }

    CGlyph m_glyph; // the document's geometry; its bitmap is the export's read buffer
    std::uint32_t m_nFileLength = 0;

private:
    // The positions in m_changes that a page overlay or a save must apply, in
    // list order. An entry whose code and glyph size recur later is left out:
    // the later entry covers exactly its bytes.
    std::vector<std::size_t> VisibleChanges(std::uint32_t nFirstCode, std::uint64_t nCount) const;
    bool WriteFont(const std::string& strTarget);
    // The file pages are read from: the one opened, held for the document's
    // life, or the path's file when none was opened.
    CFile* Source() const;

    CUserInterface& m_ui;
    std::string m_strPath;
    std::vector<CDocumentView*> m_views;
    bool m_bDiscarded = false;
    mutable CFile m_source; // reading moves its position only
    std::vector<CGlyph> m_changes;
    // Per code, the positions of its visible entries, so that a page read
    // costs the page's entries and not the length of the whole list.
    std::map<std::uint32_t, std::vector<std::size_t>> m_changeIndex;
};
