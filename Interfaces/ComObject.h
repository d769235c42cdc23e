// Reference counting and interface query for classes that implement interfaces.
#pragma once

#include <atomic>
#include <utility>

#include "ComPtr.h"

namespace gr {

// Implements IUnknown for a class that implements the interfaces First, Rest...
// Each interface derives directly from IUnknown; the object dies with its last reference.
template <class First, class... Rest>
class ComObject : public First, public Rest... {
  public:
    bool QueryInterface(const Guid& iid, void** ppv) override {
        void* found = Find<First, Rest...>(iid);
        if (!found && iid == IUnknown::IID)
            found = static_cast<IUnknown*>(static_cast<First*>(this));
        *ppv = found;
        if (found) AddRef();
        return found != nullptr;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override {
        const uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

  private:
    template <class I, class... More>
    void* Find(const Guid& iid) {
        if (iid == I::IID) return static_cast<I*>(this);
        if constexpr (sizeof...(More) > 0) return Find<More...>(iid);
        return nullptr;
    }

    std::atomic<uint32_t> m_refs{0};
};

// Creates a reference-counted object and hands out its first reference.
template <class T, class... Args>
ComPtr<T> MakeCom(Args&&... args) {
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace gr
