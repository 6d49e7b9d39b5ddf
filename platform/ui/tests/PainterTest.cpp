#include "Painter.h"

#include <memory>

#include <gtest/gtest.h>

namespace
{
class CNullPainter final : public CPainter
{
public:
    void Paint(CCanvas&, int, int) override {}
    void OnLeftButtonUp(int, int, int, int) override {}
};

class CCountingHost final : public CPaintHost
{
public:
    explicit CCountingHost(CPainter& painter) { Attach(painter); }
    int m_nInvalidations = 0;

protected:
    void OnInvalidate() override { ++m_nInvalidations; }
};
} // namespace

TEST(Painter, InvalidateReachesTheHostingWindowOnly)
{
    CNullPainter painter;
    painter.Invalidate(); // no window yet: nothing to do, nothing to crash

    CCountingHost first(painter);
    painter.Invalidate();
    EXPECT_EQ(first.m_nInvalidations, 1);

    // Moving to another window leaves the first one alone.
    CCountingHost second(painter);
    painter.Invalidate();
    EXPECT_EQ(first.m_nInvalidations, 1);
    EXPECT_EQ(second.m_nInvalidations, 1);
    EXPECT_EQ(first.Painter(), nullptr);
    EXPECT_EQ(second.Painter(), &painter);

    // A copy paints the same face but is hosted nowhere.
    CNullPainter copy(painter);
    copy.Invalidate();
    EXPECT_EQ(second.m_nInvalidations, 1);
}

TEST(Painter, EitherSideMayGoFirst)
{
    auto painter = std::make_unique<CNullPainter>();
    {
        CCountingHost host(*painter);
    }
    painter->Invalidate(); // the window has gone

    auto host = std::make_unique<CCountingHost>(*painter);
    painter.reset();
    EXPECT_EQ(host->Painter(), nullptr); // the painter has gone
}
