#pragma once

#include "FakeControlHost.h"
#include "FakeControls.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"
#include "TypeloomView.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// Views on a document whose font file has byte i = i mod 251, so every
// glyph's bytes tell where they came from.
struct ViewFixture : ::testing::Test
{
    // A view with its own window side, as "New Window" makes one.
    struct CWindow
    {
        CWindow(CTypeloomDoc& doc, CUserInterface& ui) : view(doc, controls, ui, gridHost, mapHost)
        {
            controls.AddRadioGroup(kIdWidthGroup, 4);
            controls.AddRadioGroup(kIdHeightGroup, 5);
        }
        CFakeControls controls;
        CFakeControlHost gridHost{{384, 385}};
        CFakeControlHost mapHost{{584, 564}};
        CTypeloomView view;

        CCharMap& Map() { return view.GetCharMap(); }
        CGlyphGrid& Grid() { return view.GetGlyphGrid(); }
        std::string Text() { return controls.GetText(kIdGlyphText); }
        CScrollInfo PageBar() { return controls.ScrollInfo(kIdPageScrollBar); }
        // The user changes the glyph text box's text; the box tells the view.
        void Type(const std::string& strText)
        {
            controls.SetText(kIdGlyphText, strText);
            view.OnChangeGlyphText();
        }
        void ClickCell(int c, int r) { Map().OnLButtonUp(40 + 34 * c + 10, 20 + 34 * r + 10); }
        void ClickPixel(int x, int y)
        {
            const int n =
                static_cast<int>(std::max(Grid().m_glyph.m_nWidth, Grid().m_glyph.m_nHeight));
            Grid().OnLButtonUp(x * (384 / n) + 1, y * (385 / n) + 1);
        }
        // The user's choice on the form, then "Apply".
        void Apply(int nWidthIndex, int nHeightIndex, const std::string& strOther = "1")
        {
            controls.SetValue(kIdWidthGroup, nWidthIndex);
            controls.SetValue(kIdHeightGroup, nHeightIndex);
            controls.SetText(kIdOtherHeight, strOther);
            view.OnApply();
        }
        bool Scroll(EScrollRequest request, int nThumb = 0)
        {
            return view.OnVScroll(request, nThumb, kIdPageScrollBar);
        }
    };

    // Before the document: the folder goes after the document has let go of
    // its file, which Windows would not delete while it is open.
    CTempFolder temp;
    fs::path dir = temp.Path();
    fs::path font = dir / "font.bin";
    std::string bytes;
    CRecordingUserInterface ui;
    CTypeloomDoc doc{ui};
    std::vector<std::unique_ptr<CWindow>> windows;

    // Opens a font of nLength bytes and shows it in a first window.
    CWindow& Open(std::size_t nLength)
    {
        bytes.assign(nLength, '\0');
        for (std::size_t i = 0; i < nLength; ++i)
            bytes[i] = static_cast<char>(i % 251);
        std::ofstream(font, std::ios::binary) << bytes;
        EXPECT_TRUE(doc.OnOpenDocument(font.string()));
        return NewWindow();
    }

    CWindow& NewWindow()
    {
        windows.push_back(std::make_unique<CWindow>(doc, ui));
        windows.back()->view.OnInitialUpdate();
        return *windows.back();
    }

    // The file's bytes of glyph nCode of nGlyphBytes bytes.
    static std::vector<std::uint8_t> FileGlyph(std::uint32_t nCode, unsigned nGlyphBytes)
    {
        std::vector<std::uint8_t> glyph(nGlyphBytes);
        for (unsigned i = 0; i < nGlyphBytes; ++i)
            glyph[i] = static_cast<std::uint8_t>((std::size_t{nCode} * nGlyphBytes + i) % 251);
        return glyph;
    }
    static std::vector<std::uint8_t> Head(const std::uint8_t* p, unsigned n) { return {p, p + n}; }
};
