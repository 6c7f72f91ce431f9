#pragma once

#include <clocale>
#include <locale>
#include <string>

// Puts the process in a locale whose decimal separator is a comma, as on a German host: the C++
// global locale always (through a numpunct facet, so no system locale is needed), and the C
// locale too when the system has a German one. Restores both when it goes.
class CommaDecimalLocale {
public:
    CommaDecimalLocale()
        : mPreviousGlobal(std::locale()), mPreviousC(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name)) {
                mGermanCLocale = true;
                break;
            }
        }
        // An unnamed locale: installing it leaves the C locale as set above.
        std::locale::global(
            std::locale(std::locale(std::locale::classic(), new Comma<char>), new Comma<wchar_t>));
    }
    ~CommaDecimalLocale() {
        std::locale::global(mPreviousGlobal);
        std::setlocale(LC_ALL, mPreviousC.c_str());
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool germanCLocale() const { return mGermanCLocale; }

private:
    template <class Char>
    struct Comma : std::numpunct<Char> {
        Char do_decimal_point() const override { return Char(','); }
        Char do_thousands_sep() const override { return Char('.'); }
        std::string do_grouping() const override { return "\3"; }
    };

    std::locale mPreviousGlobal;
    std::string mPreviousC;
    bool mGermanCLocale = false;
};
