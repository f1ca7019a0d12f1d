// Progress arithmetic, and the cylinder bar answering the progress messages.
#include <gtest/gtest.h>

#include <afxcmn.h>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CylinderProgressCtrl.h"

namespace {

TEST(ProgressModel, RangeKeepsThePositionInsideAndRemembersTheSpan)
{
    ProgressModel model;
    model.SetPos(80);
    model.SetRange(10, 50);
    EXPECT_EQ(40, model.span);
    EXPECT_EQ(50, model.position) << "a position above the new range is pulled down";
    model.SetRange(60, 60);
    EXPECT_EQ(1, model.span) << "equal bounds give span 1, never a division by zero";
    EXPECT_EQ(60, model.position);
    model.SetRange(20, -20); // reversed bounds still describe a range
    EXPECT_EQ(40, model.span);
    EXPECT_EQ(20, model.position);
    model.SetRange(INT32_MIN, INT32_MAX);
    EXPECT_EQ(INT32_MAX, model.span) << "the span saturates instead of overflowing";
}

TEST(ProgressModel, SetPosAndDeltaPosClampAndReturnThePreviousPosition)
{
    ProgressModel model;
    model.SetRange(0, 100);
    EXPECT_EQ(0, model.SetPos(30));
    EXPECT_EQ(30, model.DeltaPos(200));
    EXPECT_EQ(100, model.position);
    EXPECT_EQ(100, model.DeltaPos(-500));
    EXPECT_EQ(0, model.position);
    model.position = INT32_MAX - 1;
    model.SetRange(0, INT32_MAX);
    model.DeltaPos(INT32_MAX); // no signed overflow on the way
    EXPECT_EQ(INT32_MAX, model.position);
}

TEST(ProgressModel, StepItWrapsPastTheEndKeepingTheExcess)
{
    ProgressModel model;
    model.SetRange(0, 10);
    model.SetStep(4);
    model.SetPos(8);
    EXPECT_EQ(8, model.StepIt());
    EXPECT_EQ(2, model.position) << "12 is 2 past the end";
    model.SetPos(6);
    model.StepIt();
    EXPECT_EQ(10, model.position) << "reaching the end exactly does not wrap";
    model.SetStep(-3);
    model.SetPos(1);
    model.StepIt();
    EXPECT_EQ(8, model.position) << "a negative step wraps from the start to the end";
    model.SetRange(5, 5);
    model.StepIt();
    EXPECT_EQ(5, model.position);
}

TEST(ProgressModel, FilledLengthIsProportionalAndBounded)
{
    ProgressModel model;
    model.SetRange(-50, 50);
    model.SetPos(0);
    EXPECT_EQ(100, model.FilledLength(200));
    model.SetPos(50);
    EXPECT_EQ(200, model.FilledLength(200));
    model.SetPos(-50);
    EXPECT_EQ(0, model.FilledLength(200));
    EXPECT_EQ(0, model.FilledLength(-5));
    model.SetRange(7, 7);
    EXPECT_EQ(0, model.FilledLength(200));
}

class CylinderProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(300, 80));
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(10, 10, 210, 30), &m_host, 1025));
    }
    widgets_test::CRecordingParent m_host;
    CCylinderProgressCtrl m_bar;
};

TEST_F(CylinderProgressTest, AnswersTheProgressMessagesFromItsOwnFields)
{
    // The frame's progress begin: signed 16-bit bounds through PBM_SETRANGE.
    m_bar.SetRange(static_cast<short>(-5), static_cast<short>(20));
    EXPECT_EQ(-5, m_bar.m_model.lower);
    EXPECT_EQ(20, m_bar.m_model.upper);
    EXPECT_EQ(25, m_bar.m_model.span);
    int low = 0;
    int high = 0;
    m_bar.GetRange(low, high);
    EXPECT_EQ(-5, low);
    EXPECT_EQ(20, high);

    EXPECT_EQ(0, m_bar.SetPos(30));
    EXPECT_EQ(20, m_bar.GetPos()) << "PBM_SETPOS clamps";
    m_bar.SetRange32(0, 100000);
    m_bar.SetPos(99990);
    EXPECT_EQ(10, m_bar.SetStep(25)) << "the default step is 10";
    EXPECT_EQ(99990, m_bar.StepIt());
    EXPECT_EQ(15, m_bar.OffsetPos(-100)) << "stepping past the end wraps";

    const LRESULT previous = ::SendMessageW(m_bar.m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(1, 9));
    EXPECT_EQ(0, static_cast<short>(LOWORD(previous)));
    EXPECT_EQ(static_cast<short>(100000 & 0xFFFF), static_cast<short>(HIWORD(previous)));
    PBRANGE range{};
    EXPECT_EQ(1, ::SendMessageW(m_bar.m_hWnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
    EXPECT_EQ(9, range.iHigh);
}

} // namespace
