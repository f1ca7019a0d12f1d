// The links between the families: one rule for a second registration (the
// first implementation holds, another is refused, the same one again changes
// nothing), a stand-in put in place and taken back, and a library frame
// registering every family's links.
#include <gtest/gtest.h>

#include "guilib/core/KGPLink.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPTabWindowLink.h"
#include "guilib/docking/KGPFrameLink.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/frames/KGPLibraryLinks.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

namespace {

class IProbe {
public:
    virtual int Answer() const = 0;

protected:
    ~IProbe() = default;
};

class CProbe final : public IProbe {
public:
    explicit CProbe(int answer) : m_answer(answer) {}
    int Answer() const override { return m_answer; }

private:
    int m_answer;
};

TEST(LinkTest, TheFirstRegistrationHoldsAndAStandInIsPutBack)
{
    CProbe first(1);
    CProbe second(2);
    EXPECT_EQ(nullptr, CKGPLink<IProbe>::Get()) << "none registered: a library without that family";
    EXPECT_FALSE(CKGPLink<IProbe>::Register(nullptr));
    EXPECT_EQ(nullptr, CKGPLink<IProbe>::Get());

    EXPECT_TRUE(CKGPLink<IProbe>::Register(&first));
    EXPECT_TRUE(CKGPLink<IProbe>::Register(&first)) << "the same again changes nothing";
    EXPECT_FALSE(CKGPLink<IProbe>::Register(&second)) << "another is refused";
    EXPECT_FALSE(CKGPLink<IProbe>::Register(nullptr));
    ASSERT_EQ(&first, CKGPLink<IProbe>::Get());

    // A test's stand-in replaces whatever is held, null included, and gives it back.
    EXPECT_EQ(&first, CKGPLink<IProbe>::StandIn(&second));
    EXPECT_EQ(2, CKGPLink<IProbe>::Get()->Answer());
    EXPECT_EQ(&second, CKGPLink<IProbe>::StandIn(nullptr));
    EXPECT_EQ(nullptr, CKGPLink<IProbe>::Get());
    EXPECT_TRUE(CKGPLink<IProbe>::Register(&second)) << "a cleared link takes the next registration";
    EXPECT_EQ(&second, CKGPLink<IProbe>::StandIn(nullptr));
}

TEST(LinkTest, ALibraryFrameRegistersEveryFamilysLinksOnceAndTheManagersLinksWaitForTheirManagers)
{
    // A library frame registers every family's links as it is made; a second
    // frame keeps the implementations first registered.
    CKGPFrameWnd frame;
    IKGPFrameLink* const frames = CKGPLink<IKGPFrameLink>::Get();
    ASSERT_NE(nullptr, frames);
    EXPECT_NE(nullptr, CKGPLink<IKGPTabWindowLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPTabbedBarLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPToolbarLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPMenuLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPMenuBarsLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPUserToolsLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPTearOffLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPMenuOptionsLink>::Get());
    EXPECT_NE(nullptr, CKGPLink<IKGPButtonAppearanceLink>::Get());
    IKGPMenuLink* const menus = CKGPLink<IKGPMenuLink>::Get();
    CKGPFrameWnd another;
    KGPRegisterLibraryLinks();
    EXPECT_EQ(frames, CKGPLink<IKGPFrameLink>::Get());
    EXPECT_EQ(menus, CKGPLink<IKGPMenuLink>::Get());

    // Registered before their managers, the menus' links answer as a library
    // without them: no tear-off mark read, no tool, no recently used menus
    // while no menu bar lives.
    CString text = _T("Text");
    EXPECT_EQ(0u, CKGPLink<IKGPTearOffLink>::Get()->ParseTearOffId(text));
    EXPECT_EQ(CString(_T("Text")), text);
    EXPECT_FALSE(CKGPLink<IKGPUserToolsLink>::Get()->IsUserToolCommand(0x8000));
    EXPECT_FALSE(KGPToolbarLinks::AreRecentlyUsedMenusOn());
}

TEST(LinkTest, AFamilysRegistrationRefusedByAnotherImplementationIsReportedAndAStandInsIsNot)
{
    // As a family registers its own: held, nothing reported.
    const int before = KGPRefusedLinkRegistrations();
    CProbe library(1);
    CProbe other(2);
    KGPRegisterLink<IProbe>(library);
    KGPRegisterLink<IProbe>(library);
    EXPECT_EQ(&library, CKGPLink<IProbe>::Get());
    EXPECT_EQ(before, KGPRefusedLinkRegistrations());

    // A test's stand-in holds the link: the family registering again is
    // quietly left out.
    CKGPLink<IProbe>::StandIn(&other);
    KGPRegisterLink<IProbe>(library);
    EXPECT_EQ(&other, CKGPLink<IProbe>::Get());
    EXPECT_EQ(before, KGPRefusedLinkRegistrations());

    // Another implementation registered first, not by a test: the family's
    // registration is refused, and that is reported.
    CKGPLink<IProbe>::StandIn(nullptr);
    ASSERT_TRUE(CKGPLink<IProbe>::Register(&other));
    KGPRegisterLink<IProbe>(library);
    EXPECT_EQ(before + 1, KGPRefusedLinkRegistrations());
    EXPECT_EQ(&other, CKGPLink<IProbe>::Get()) << "the first registered holds";

    // The library's frame registers all of its links without a refusal.
    CKGPFrameWnd frame;
    EXPECT_EQ(before + 1, KGPRefusedLinkRegistrations());
    CKGPLink<IProbe>::StandIn(nullptr);
}

} // namespace
