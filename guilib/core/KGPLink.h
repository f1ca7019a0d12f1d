// A seam through which a family reaches a family above it. The lower family
// declares a small interface; the higher family implements it and registers
// its one implementation when it starts working (its first window or object
// is made). Until then Get() answers null and every caller gives the answer
// of a library without that family ("no", "none").
#pragma once

template <class Interface>
class CKGPLink {
public:
    static Interface* Get() noexcept { return s_pImpl; }
    static void Register(Interface* pImpl) noexcept { s_pImpl = pImpl; }

private:
    static inline Interface* s_pImpl = nullptr;
};
