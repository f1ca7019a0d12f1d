// A seam through which a family reaches a family above it. The lower family
// declares a small interface; the higher family implements it and registers
// its one implementation in its registration function (KGPRegister<Family>Links,
// one per family). Every library frame runs all of them, bottom up, as it is
// made (KGPRegisterLibraryLinks); a family's windows made without a library
// frame run their own family's. Until then Get() answers null and every caller
// gives the answer of a library without that family ("no", "none").
//
// One rule for a second registration: the first implementation registered
// holds. Registering the one held again does nothing, so a registration
// function may run any number of times; registering another while one is held
// is refused (Register answers false) and changes nothing.
//
// A test puts a stand-in in a link's place with StandIn: it replaces whatever
// is held (null: a library without that family) and answers what was there,
// for the test to put back when it is done.
//
// The families register through KGPRegisterLink, never Register alone: a
// refusal there (another implementation held that no test stood in) means
// the family's own implementation is not the one its callers reach. It is
// reported to the debugger output, stops a debug build at its assertion and
// is counted (KGPRefusedLinkRegistrations), so that it cannot pass unseen.
#pragma once

#include <typeinfo>

template <class Interface>
class CKGPLink {
public:
    static Interface* Get() noexcept { return s_pImpl; }
    // True when pImpl is the implementation held now.
    [[nodiscard]] static bool Register(Interface* pImpl) noexcept
    {
        if (s_pImpl == nullptr)
            s_pImpl = pImpl;
        return pImpl != nullptr && s_pImpl == pImpl;
    }
    // For tests: pImpl in the link's place whatever was held; answers what was.
    static Interface* StandIn(Interface* pImpl) noexcept
    {
        Interface* pWas = s_pImpl;
        s_pImpl = pImpl;
        s_bStoodIn = pImpl != nullptr;
        return pWas;
    }
    // Whether what is held was put there by StandIn.
    static bool IsStoodIn() noexcept { return s_bStoodIn && s_pImpl != nullptr; }

private:
    static inline Interface* s_pImpl = nullptr;
    static inline bool s_bStoodIn = false;
};

// Reports a refused registration (see above); the interface's name is the
// compiler's.
void KGPReportRefusedLink(const char* pszInterface);
// How many registrations were refused since the process started.
int KGPRefusedLinkRegistrations();

// A family's registration of its one implementation of a link.
template <class Interface>
void KGPRegisterLink(Interface& impl)
{
    if (!CKGPLink<Interface>::Register(&impl) && !CKGPLink<Interface>::IsStoodIn())
        KGPReportRefusedLink(typeid(Interface).name());
}
