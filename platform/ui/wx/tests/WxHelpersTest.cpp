// The parts of the wx layer that need no display: conversions between the
// logic's terms and wx's.

#include "WxResources.h"
#include "WxText.h"
#include "WxUserInterface.h"

#include <wx/defs.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include <gtest/gtest.h>

TEST(WxText, Utf8RoundTripsAndOtherBytesAreKept)
{
    const std::string strChinese = "\xe6\x8f\x90\xe7\xa4\xba"; // two CJK characters
    EXPECT_EQ(ToWx(strChinese).length(), 2u);
    EXPECT_EQ(FromWx(ToWx(strChinese)), strChinese);
    // Not UTF-8: read byte for byte instead of coming back empty.
    const wxString latin = ToWx("caf\xe9");
    ASSERT_EQ(latin.length(), 4u);
    EXPECT_EQ(static_cast<int>(latin[3].GetValue()), 0xe9);
    EXPECT_EQ(ToWx(""), wxString());
}

TEST(WxUserInterface, FilterStringBecomesWildcard)
{
    // "*.*" takes every file, also those without an extension, as on Windows.
    EXPECT_EQ(WildcardFromFilter("Dat Files (*.dat)|*.dat|All Files (*.*)|*.*||"),
              "Dat Files (*.dat)|*.dat|All Files (*.*)|" +
                  wxString(wxFileSelectorDefaultWildcardStr));
    EXPECT_EQ(WildcardFromFilter("Fonts|*.bin;*.fnt|"), "Fonts|*.bin;*.fnt");
    // No filter at all: every file.
    EXPECT_EQ(WildcardFromFilter(""), wxString(wxFileSelectorDefaultWildcardStr));
    EXPECT_EQ(WildcardFromFilter("||"), wxString(wxFileSelectorDefaultWildcardStr));
}

TEST(WxUserInterface, ButtonIdsBecomeResultsAndClosingCountsAsTheWayOut)
{
    using B = EMessageButtons;
    using R = EMessageResult;
    EXPECT_EQ(MessageResultFromWx(B::OkCancel, wxID_OK), R::Ok);
    EXPECT_EQ(MessageResultFromWx(B::OkCancel, wxID_CANCEL), R::Cancel);
    EXPECT_EQ(MessageResultFromWx(B::YesNoCancel, wxID_YES), R::Yes);
    EXPECT_EQ(MessageResultFromWx(B::YesNoCancel, wxID_NO), R::No);
    EXPECT_EQ(MessageResultFromWx(B::YesNoCancel, wxID_CANCEL), R::Cancel);
    EXPECT_EQ(MessageResultFromWx(B::YesNo, wxID_YES), R::Yes);
    // Closed with the window's close box or Esc.
    EXPECT_EQ(MessageResultFromWx(B::Ok, wxID_CANCEL), R::Ok);
    EXPECT_EQ(MessageResultFromWx(B::OkCancel, wxID_NONE), R::Cancel);
    EXPECT_EQ(MessageResultFromWx(B::YesNo, wxID_CANCEL), R::No);
    EXPECT_EQ(MessageResultFromWx(B::YesNoCancel, wxID_NONE), R::Cancel);
}

TEST(WxResources, DialogUnitsAreReadFromTheResourceText)
{
    EXPECT_EQ(ParseDialogUnits("215,342d"), wxSize(215, 342));
    EXPECT_EQ(ParseDialogUnits(" 677, 427d "), wxSize(677, 427));
    EXPECT_EQ(ParseDialogUnits("215,342"), std::nullopt); // pixels
    EXPECT_EQ(ParseDialogUnits("215d"), std::nullopt);
    EXPECT_EQ(ParseDialogUnits("a,bd"), std::nullopt);
    EXPECT_EQ(ParseDialogUnits(""), std::nullopt);
}
