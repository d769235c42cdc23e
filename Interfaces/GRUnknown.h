// The component model shared by the program and the service libraries.
//
// C++ rendering of the league contract, used by every interface of this library:
//   Long    -> int32_t
//   Text    -> std::string (UTF-8)
//   Boolean -> bool
//   an interface reference -> gr::ComPtr<I> (empty when absent)
//   Collection -> gr::ComPtr<gr::Collection>
// Properties become get_X (read), let_X (assign a value) and set_X (assign an object).
// Results returned through parameters (error messages, new objects, ids written back,
// picked information) are non-const reference parameters; inputs are passed by value
// or const reference. Members are declared in slot order, so declaration order is
// vtable order; inline non-virtual overloads only stand in for left-out optional
// parameters and take no slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace gr {

// A 128-bit interface or class identifier.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    friend constexpr bool operator==(const Guid& a, const Guid& b) {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i]) return false;
        return true;
    }
    std::string ToString() const;
};

namespace detail {
constexpr uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    throw "invalid hex digit in identifier";  // only ever evaluated at compile time
}
constexpr uint32_t Hex(const char* s, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 4) | HexDigit(s[i]);
    return v;
}
}  // namespace detail

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" at compile time.
consteval Guid MakeGuid(const char (&s)[37]) {
    Guid g;
    g.data1 = detail::Hex(s, 8);
    g.data2 = static_cast<uint16_t>(detail::Hex(s + 9, 4));
    g.data3 = static_cast<uint16_t>(detail::Hex(s + 14, 4));
    g.data4[0] = static_cast<uint8_t>(detail::Hex(s + 19, 2));
    g.data4[1] = static_cast<uint8_t>(detail::Hex(s + 21, 2));
    for (int i = 0; i < 6; ++i)
        g.data4[2 + i] =
            static_cast<uint8_t>(detail::Hex(s + 24 + static_cast<ptrdiff_t>(2 * i), 2));
    return g;
}

// Base of every interface: identity, interface query and reference counting.
class IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("00000000-0000-0000-C000-000000000046");

    // Stores an AddRef'd pointer to the asked interface in *ppv and returns true,
    // or stores nullptr and returns false when the object does not implement it.
    virtual bool QueryInterface(const Guid& iid, void** ppv) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

  protected:
    IUnknown() = default;
    IUnknown(const IUnknown&) = default;
    IUnknown& operator=(const IUnknown&) = default;
    ~IUnknown() = default;
};

}  // namespace gr
