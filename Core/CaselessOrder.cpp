#include "CaselessOrder.h"

#include <locale.h>
#include <wctype.h>

namespace gr::core {

namespace {

constexpr char32_t Stray(unsigned char byte) {
    return 0xDC00 | byte;
}

locale_t UnicodeLocale() {
    // C.UTF-8 carries the Unicode case tables; without it only A-Z fold.
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

}  // namespace

char32_t NextCharacter(std::string_view text, size_t& i) {
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size()) {
        ++i;
        return Stray(lead);
    }
    char32_t c = lead & (0xFF >> (length + 1));
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return Stray(lead);
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += length;
    return c;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return AsciiLower(c);
    const locale_t locale = UnicodeLocale();
    return locale ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale)) : c;
}

int CompareCaseless(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        // Most names are ASCII: two plain letters need no decoding.
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[j]);
        const char32_t fx = x < 0x80 ? AsciiLower(a[i++]) : FoldCase(NextCharacter(a, i));
        const char32_t fy = y < 0x80 ? AsciiLower(b[j++]) : FoldCase(NextCharacter(b, j));
        if (fx != fy) return fx < fy ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace gr::core
