#include "GlyphTransform.h"

#include <vector>

#include <gtest/gtest.h>

namespace
{
// A glyph drawn as rows of '#' and '.'.
CGlyph Draw(std::vector<std::string> rows, unsigned nWidth = 8)
{
    CGlyph glyph;
    glyph.m_nWidth = nWidth;
    glyph.m_nHeight = static_cast<std::uint32_t>(rows.size());
    for (unsigned y = 0; y < rows.size(); ++y)
        for (unsigned x = 0; x < nWidth; ++x)
            glyph.SetPixel(x, y, x < rows[y].size() && rows[y][x] == '#');
    return glyph;
}

std::vector<std::string> Rows(const CGlyph& glyph)
{
    std::vector<std::string> rows(glyph.m_nHeight, std::string(glyph.m_nWidth, '.'));
    for (unsigned y = 0; y < glyph.m_nHeight; ++y)
        for (unsigned x = 0; x < glyph.m_nWidth; ++x)
            if (glyph.GetPixel(x, y))
                rows[y][x] = '#';
    return rows;
}

const std::vector<std::string> kL = {
    "#.......", //
    "#.......", //
    "#......#", //
    "######..", //
    "........", //
};
} // namespace

TEST(GlyphTransform, FlipsMirrorEachDotAcrossTheGlyph)
{
    CGlyph glyph = Draw(kL);
    FlipGlyphHorizontally(glyph);
    EXPECT_EQ(Rows(glyph), (std::vector<std::string>{".......#", ".......#", "#......#", "..######",
                                                     "........"}));
    glyph = Draw(kL);
    FlipGlyphVertically(glyph);
    EXPECT_EQ(Rows(glyph), (std::vector<std::string>{"........", "######..", "#......#", "#.......",
                                                     "#......."}));
}

TEST(GlyphTransform, ShiftsLoseWhatLeavesAndNeverWrap)
{
    CGlyph glyph = Draw(kL);
    ShiftGlyph(glyph, 1, 1);
    EXPECT_EQ(Rows(glyph), (std::vector<std::string>{"........", ".#......", ".#......", ".#......",
                                                     ".######."}));
    glyph = Draw(kL);
    ShiftGlyph(glyph, -2, -2); // the top two rows leave, so does the left column
    EXPECT_EQ(Rows(glyph), (std::vector<std::string>{".....#..", "####....", "........", "........",
                                                     "........"}));
    glyph = Draw(kL);
    ShiftGlyph(glyph, 8, 0);
    EXPECT_EQ(Rows(glyph), Rows(Draw({"", "", "", "", ""})));
}

TEST(GlyphTransform, BoldSmearsOneDotRightWithinTheGlyph)
{
    CGlyph glyph = Draw(kL);
    EmboldenGlyph(glyph);
    EXPECT_EQ(Rows(glyph), (std::vector<std::string>{"##......", "##......", "##.....#", "#######.",
                                                     "........"}));
}

TEST(GlyphTransform, InvertLeavesTheUnusedBitsOfTheLastBandClear)
{
    // 12 rows: the second band's bits for rows 12 to 15 are no dots.
    std::vector<std::string> rows(12, "");
    rows[0] = "#";
    CGlyph glyph = Draw(rows, 16);
    InvertGlyph(glyph);
    for (unsigned x = 0; x < 16; ++x)
    {
        EXPECT_EQ(glyph.m_bits[x], x == 0 ? 0x7F : 0xFF) << "column " << x;
        EXPECT_EQ(glyph.m_bits[16 + x], 0xF0) << "column " << x; // rows 8 to 11 only
    }
    InvertGlyph(glyph);
    EXPECT_EQ(glyph, Draw(rows, 16));
}

TEST(GlyphTransform, AFontsRangeChangesAndNothingElse)
{
    // Four 8 x 8 glyphs and three trailing bytes.
    std::vector<std::uint8_t> font(4 * 8 + 3);
    for (std::size_t i = 0; i < font.size(); ++i)
        font[i] = static_cast<std::uint8_t>(i * 37 + 1);
    const auto before = font;
    CGlyphTransform transform;
    transform.m_bInvert = true;
    EXPECT_EQ(TransformFont(font, 8, 8, 1, 2, transform), 2u);
    for (std::size_t i = 0; i < font.size(); ++i)
        EXPECT_EQ(font[i], i >= 8 && i < 24 ? static_cast<std::uint8_t>(~before[i]) : before[i])
            << "byte " << i;
    // A range past the end stops at the last glyph.
    EXPECT_EQ(TransformFont(font, 8, 8, 3, 0xFFFFFFFF, transform), 1u);
    EXPECT_EQ(TransformFont(font, 8, 8, 4, 9, transform), 0u);
}

TEST(GlyphTransform, SeveralApplyInTheirFixedOrder)
{
    CGlyphTransform transform;
    transform.m_nShiftX = 1;
    transform.m_bFlipH = true; // after the shift: the L moves left
    transform.m_bInvert = true;
    CGlyph glyph = Draw(kL);
    transform.Apply(glyph);
    EXPECT_EQ(Rows(glyph), (std::vector<std::string>{"######.#", "######.#", "######.#", "#......#",
                                                     "########"}));
}

TEST(GlyphTransformStep, OneUndoTakesBackTheLastCommandOnly)
{
    CGlyphTransformStep step;
    CGlyph glyph = Draw(kL);
    glyph.m_nCode = 0x41;
    const CGlyph original = glyph;
    int nModified = 0;
    CGlyphTransform flip;
    flip.m_bFlipH = true;
    step.Apply(glyph, nModified, flip);
    EXPECT_EQ(nModified, 1);
    EXPECT_NE(glyph, original);
    EXPECT_TRUE(step.Undo(glyph, nModified));
    EXPECT_EQ(glyph, original);
    EXPECT_EQ(nModified, 0); // loaded and untouched again: nothing to commit
    EXPECT_FALSE(step.Undo(glyph, nModified));

    // Two commands: Undo goes back one, to the glyph after the first.
    CGlyphTransform invert;
    invert.m_bInvert = true;
    step.Apply(glyph, nModified, flip);
    const CGlyph flipped = glyph;
    step.Apply(glyph, nModified, invert);
    EXPECT_TRUE(step.Undo(glyph, nModified));
    EXPECT_EQ(glyph, flipped);
    EXPECT_EQ(nModified, 1);

    // Another glyph since, or a geometry applied: nothing to take back.
    step.Apply(glyph, nModified, invert);
    glyph.m_nCode = 0x42;
    EXPECT_FALSE(step.Undo(glyph, nModified));
    glyph.m_nCode = 0x41;
    step.Apply(glyph, nModified, invert);
    glyph.m_nHeight = 4;
    EXPECT_FALSE(step.Undo(glyph, nModified));
    step.Apply(glyph, nModified, invert);
    step.Forget();
    EXPECT_FALSE(step.CanUndo());
}

TEST(GlyphRange, TakesOneGlyphARangeOrAnOpenEnd)
{
    using Range = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(ParseGlyphRange("0x41-0x5A"), (Range{0x41, 0x5A}));
    EXPECT_EQ(ParseGlyphRange("65"), (Range{65, 65}));
    EXPECT_EQ(ParseGlyphRange("0x80-"), (Range{0x80, 0xFFFFFFFF}));
    for (const char* pszBad : {"", "-5", "0x5A-0x41", "A-Z", "1-2-3", "0x", "12x"})
        EXPECT_FALSE(ParseGlyphRange(pszBad)) << pszBad;
}
