// Per-thread map from a raw handle to a temporary, non-owning wrapper object.
// A wrapper is made the first time a handle is asked for and reused after;
// Clear() detaches every wrapper (so none deletes the handle it shows) and
// frees them.
#pragma once

#include <memory>
#include <unordered_map>

namespace afx_detail {

template <class Wrapper, class Handle>
class TempHandleMap {
public:
    TempHandleMap() = default;
    TempHandleMap(const TempHandleMap&) = delete;
    TempHandleMap& operator=(const TempHandleMap&) = delete;
    ~TempHandleMap() { Clear(); }

    Wrapper* Get(Handle handle)
    {
        if (handle == nullptr)
            return nullptr;
        auto& slot = wrappers_[handle];
        if (!slot) {
            slot = std::make_unique<Wrapper>();
            slot->Attach(handle);
        }
        return slot.get();
    }

    void Clear()
    {
        for (auto& entry : wrappers_)
            entry.second->Detach();
        wrappers_.clear();
    }

private:
    std::unordered_map<Handle, std::unique_ptr<Wrapper>> wrappers_;
};

} // namespace afx_detail
