// A smart pointer that holds one reference to a component-model object.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "GRUnknown.h"

namespace gr {

template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    ComPtr(T* p) : m_p(p) {
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> ComPtr(const ComPtr<U>& other)
        : ComPtr(static_cast<T*>(other.get())) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> ComPtr(ComPtr<U>&& other)
    noexcept : m_p(other.Detach()) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) {
        if (this != &other) ComPtr(other).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        reset();
        return *this;
    }

    // Wraps a pointer whose reference the caller already owns.
    static ComPtr Adopt(T* p) {
        ComPtr r;
        r.m_p = p;
        return r;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }

    void reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    void swap(ComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // The interface U of the same object, or an empty pointer when it has none.
    template <class U>
    ComPtr<U> As() const {
        if (!m_p) return {};
        void* pv = nullptr;
        if (!m_p->QueryInterface(U::IID, &pv)) return {};
        return ComPtr<U>::Adopt(static_cast<U*>(pv));
    }

    template <class U>
    friend bool operator==(const ComPtr& a, const ComPtr<U>& b) {
        return a.get() == b.get();
    }
    friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.m_p == nullptr; }

  private:
    T* m_p = nullptr;
};

// Two interface pointers name the same object when their IUnknown identities agree.
template <class A, class B>
bool IsSameObject(const ComPtr<A>& a, const ComPtr<B>& b) {
    return a.template As<IUnknown>().get() == b.template As<IUnknown>().get();
}

}  // namespace gr
