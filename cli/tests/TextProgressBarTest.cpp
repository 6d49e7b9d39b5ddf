#include "TextProgressBar.h"

#include <sstream>

#include <gtest/gtest.h>

TEST(TextProgressBar, FormatsTheShareDoneAndTheCount)
{
    EXPECT_EQ(CTextProgressBar::Format(0, 0, 4, 8), "[--------] 0/4");
    EXPECT_EQ(CTextProgressBar::Format(1, 0, 4, 8), "[##------] 1/4");
    EXPECT_EQ(CTextProgressBar::Format(4, 0, 4, 8), "[########] 4/4");
    EXPECT_EQ(CTextProgressBar::Format(9, 0, 4, 8), "[########] 4/4");
    EXPECT_EQ(CTextProgressBar::Format(12, 10, 20, 10), "[##--------] 2/10");
    EXPECT_EQ(CTextProgressBar::Format(0, 0, 0, 4), "[----] 0/1"); // an empty range
}

TEST(TextProgressBar, RedrawsInPlaceAndClearsItselfWhenReset)
{
    std::ostringstream out;
    CTextProgressBar bar(out, true);
    bar.Show({0, 2, 0}); // nothing drawn yet: nothing to show
    EXPECT_EQ(out.str(), "");
    bar.Show({0, 2, 1});
    bar.Show({0, 2, 2});
    const std::string full = CTextProgressBar::Format(2, 0, 2);
    EXPECT_EQ(out.str(), "\r" + CTextProgressBar::Format(1, 0, 2) + "\r" + full);
    const std::string wipe = "\r" + std::string(full.size(), ' ') + "\r";
    bar.Clear();
    EXPECT_EQ(out.str().substr(out.str().size() - wipe.size()), wipe);
    const std::size_t nLength = out.str().size();
    bar.Show({0, 2, 0}); // already wiped: nothing more
    bar.Clear();
    EXPECT_EQ(out.str().size(), nLength);
    bar.Show({0, 2, 1});
    bar.Show({0, 2, 0}); // back at the start wipes too
    EXPECT_EQ(out.str().substr(out.str().size() - wipe.size()), wipe);

    std::ostringstream quiet;
    CTextProgressBar off(quiet, false);
    off.Show({0, 2, 1});
    EXPECT_EQ(quiet.str(), "");
}
