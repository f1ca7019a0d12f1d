#include "tests/guilib_state/AppBarStateReader.h"

#include "guilib/frames/KGPAppBarMath.h"
#include "guilib/frames/KGPAppBarWnd.h"

#include <sstream>

namespace stored_state_test {

namespace {

// A bar without a window: a load sets its fields and moves nothing.
class AppBarReader : public StoredStateReader {
public:
    std::vector<StoredForm> Seeds() override
    {
        std::vector<StoredForm> seeds;
        {
            CKGPAppBarWnd docked;
            docked.SetAutoHide(TRUE);
            docked.SetAlwaysOnTop(TRUE);
            docked.SetFloatRect(CRect(100, 120, 300, 260));
            seeds.push_back(Saved(docked));
        }
        {
            CKGPAppBarWnd floating;
            floating.SetFloatRect(CRect(40, 50, 240, 400));
            floating.Float();
            seeds.push_back(Saved(floating));
        }
        return seeds;
    }
    bool Load(const StoredForm& form) override
    {
        WriteProfile(form);
        return m_bar.LoadState(kProfile, 0) != FALSE;
    }
    StoredForm Save() override { return Saved(m_bar); }
    std::string Snapshot() override
    {
        std::ostringstream out;
        const CRect rect = m_bar.GetFloatRect();
        out << "side " << m_bar.GetSide() << " auto-hide " << m_bar.IsAutoHide() << " on top " << m_bar.IsAlwaysOnTop()
            << " floating " << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom << " extents";
        for (int side = kgp::appbar::kSideLeft; side <= kgp::appbar::kSideBottom; ++side)
            out << ' ' << m_bar.GetDockedExtent(side);
        return out.str();
    }

private:
    static StoredForm Saved(CKGPAppBarWnd& bar)
    {
        DeleteProfile();
        bar.SaveState(kProfile, 0);
        return CaptureProfile();
    }
    CKGPAppBarWnd m_bar;
};

} // namespace

std::unique_ptr<StoredStateReader> MakeAppBarReader()
{
    return std::make_unique<AppBarReader>();
}

} // namespace stored_state_test
