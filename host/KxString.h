#pragma once

#include "host/KxHostExport.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

class KxRxResourceInstance;

/// The host's wide text. Texts compare code unit by code unit: case-sensitive, no locale.
class KX_HOST_EXPORT KxString {
public:
    /// The empty text.
    KxString() = default;
    /// A null pointer gives the empty text.
    KxString(const wchar_t* text);
    /// The first `length` code units of `text`; empty for null or a length below 1.
    KxString(const wchar_t* text, int length);
    /// Takes the code units of a standard wide string.
    explicit KxString(std::wstring text);

    /// Replaces the text; a null pointer gives the empty text.
    KxString& operator=(const wchar_t* text);

    /// True when both hold the same code units.
    ///@{
    bool operator==(const KxString& other) const { return mText == other.mText; }
    bool operator==(const wchar_t* text) const;
    ///@}
    /// Ordinal order of the code units, for sorted containers.
    bool operator<(const KxString& other) const { return mText < other.mText; }

    /// The number of code units.
    int length() const { return static_cast<int>(mText.size()); }
    /// True for the empty text.
    bool isEmpty() const { return mText.empty(); }
    /// The text, null-terminated; valid until the text changes.
    const wchar_t* kwszPtr() const { return mText.c_str(); }
    /// The text as a standard wide string.
    const std::wstring& wstr() const { return mText; }

    /// UTF-8 for terminals and files; code units that are not valid code points become U+FFFD.
    std::string toUtf8() const;
    /// The text of UTF-8 bytes; bytes that are not valid UTF-8 become U+FFFD.
    static KxString fromUtf8(std::string_view utf8);
    /// The code point at code unit `pos` of `text`, and `pos` moved past it. Where wchar_t has 16
    /// bits a surrogate pair is one code point; a lone surrogate, or a unit beyond U+10FFFF, reads
    /// as U+FFFD and takes one unit. At or past the end: U+FFFD, and `pos` stays.
    static char32_t codePointAt(std::wstring_view text, std::size_t& pos);

    /// Takes the text with that identifier from the string table of a resource module. False, and
    /// the text stays as it was, for a null module, a module without a string table or an
    /// identifier that the table does not hold.
    bool loadString(KxRxResourceInstance resources, unsigned int id);

private:
    std::wstring mText;
};

/// Test frameworks and diagnostics print a text through this.
KX_HOST_EXPORT std::ostream& operator<<(std::ostream& out, const KxString& text);
