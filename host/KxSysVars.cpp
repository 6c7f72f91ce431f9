#include "host/KxSysVars.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"
#include "host/KxHostStatus.h"
#include "host/testing/KxHostTesting.h"

#include <array>

namespace {

struct SysVar {
    const wchar_t* name;
    short minimum;
    short maximum;
    short defaultValue;
    short value;
    bool readRefused;
};

using SysVarTable = std::array<SysVar, 4>;

constexpr SysVarTable kDefaults{{
    {L"LUNITS", 1, 5, 2, 2, false},
    {L"LUPREC", 0, 8, 4, 4, false},
    {L"AUNITS", 0, 4, 0, 0, false},
    {L"AUPREC", 0, 8, 0, 0, false},
}};

SysVarTable& table() {
    static SysVarTable variables = kDefaults;
    return variables;
}

wchar_t asciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

SysVar* find(const wchar_t* name) {
    if (!name) {
        return nullptr;
    }
    for (SysVar& variable : table()) {
        const wchar_t* a = variable.name;
        const wchar_t* b = name;
        while (*a && asciiUpper(*b) == *a) {
            ++a, ++b;
        }
        if (!*a && !*b) {
            return &variable;
        }
    }
    return nullptr;
}

} // namespace

int kxedGetVar(const wchar_t* name, KxResBuf* result) {
    const SysVar* variable = find(name);
    if (!variable || !result || variable->readRefused) {
        return kRtError;
    }
    result->restype = kRtInt16;
    result->resval.rint = variable->value;
    return kRtNorm;
}

int kxedSetVar(const wchar_t* name, const KxResBuf* value) {
    SysVar* variable = find(name);
    if (!variable || !value || value->restype != kRtInt16 ||
        value->resval.rint < variable->minimum || value->resval.rint > variable->maximum) {
        return kRtError;
    }
    if (variable->value != value->resval.rint) {
        variable->value = value->resval.rint;
        // The drawing's file keeps its units: a drawing with new ones differs from its file.
        if (KxApDocument* document = kxDocManagerPtr()->curDocument()) {
            document->database()->markChangedBeyondUndo();
        }
    }
    return kRtNorm;
}

bool kxedSetGetVarRefused(const wchar_t* name, bool refused) {
    SysVar* variable = find(name);
    if (!variable) {
        return false;
    }
    variable->readRefused = refused;
    return true;
}

void kxedResetSysVars() {
    table() = kDefaults;
}
