#include "host/KxString.h"

#include "host/KxPlatform.h"
#include "host/KxRxResourceInstance.h"

#include <ostream>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Windows holds text as UTF-16, Linux as UTF-32: only the first has surrogate pairs.
constexpr bool kPairs = sizeof(wchar_t) == 2;
static_assert(kPairs || sizeof(wchar_t) == 4);

bool isCodePoint(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// `c` is a code point.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// `c` is a code point.
void appendWide(std::wstring& out, char32_t c) {
    if (kPairs && c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

// Decodes one sequence starting at `pos` and advances `pos`; a malformed sequence yields one
// replacement character for its first byte.
char32_t decodeUtf8(std::string_view in, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(in[pos++]);
    int continuation = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        continuation = 1, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3, c = lead & 0x07, smallest = 0x10000;
    } else {
        return kReplacement;
    }
    const std::size_t start = pos;
    for (int i = 0; i < continuation; ++i) {
        if (pos >= in.size() || (static_cast<unsigned char>(in[pos]) & 0xC0) != 0x80) {
            pos = start;
            return kReplacement;
        }
        c = (c << 6) | (static_cast<unsigned char>(in[pos++]) & 0x3F);
    }
    if (c < smallest || !isCodePoint(c)) {
        pos = start;
        return kReplacement;
    }
    return c;
}

} // namespace

KxString::KxString(const wchar_t* text) : mText(text ? text : L"") {}

KxString::KxString(const wchar_t* text, int length)
    : mText(text && length > 0 ? std::wstring(text, static_cast<std::size_t>(length))
                               : std::wstring()) {}

KxString::KxString(std::wstring text) : mText(std::move(text)) {}

KxString& KxString::operator=(const wchar_t* text) {
    mText = text ? text : L"";
    return *this;
}

bool KxString::operator==(const wchar_t* text) const {
    return mText == (text ? text : L"");
}

std::string KxString::toUtf8() const {
    std::string out;
    out.reserve(mText.size());
    for (std::size_t pos = 0; pos < mText.size();) {
        appendUtf8(out, codePointAt(mText, pos));
    }
    return out;
}

KxString KxString::fromUtf8(std::string_view utf8) {
    std::wstring text;
    text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        appendWide(text, decodeUtf8(utf8, pos));
    }
    return KxString(std::move(text));
}

char32_t KxString::codePointAt(std::wstring_view text, std::size_t& pos) {
    if (pos >= text.size()) {
        return kReplacement;
    }
    // A negative unit, where wchar_t is signed, converts to beyond U+10FFFF.
    const auto unit = static_cast<char32_t>(text[pos++]);
    if (kPairs && unit >= 0xD800 && unit <= 0xDBFF && pos < text.size()) {
        const auto low = static_cast<char32_t>(text[pos]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++pos;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return isCodePoint(unit) ? unit : kReplacement;
}

bool KxString::loadString(KxRxResourceInstance resources, unsigned int id) {
    if (!resources.moduleHandle()) {
        return false;
    }
    auto lookup = reinterpret_cast<KxResourceStringFunction>(
        KxPlatform::moduleSymbol(resources.moduleHandle(), kKxResourceStringSymbol));
    const wchar_t* text = lookup ? lookup(id) : nullptr;
    if (!text) {
        return false;
    }
    mText = text;
    return true;
}

std::ostream& operator<<(std::ostream& out, const KxString& text) {
    return out << '"' << text.toUtf8() << '"';
}
