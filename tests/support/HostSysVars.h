#pragma once

#include "host/KxHostStatus.h"
#include "host/KxSysVars.h"

#include <gtest/gtest.h>

inline int setSysVar(const wchar_t* name, short value) {
    KxResBuf buffer;
    buffer.restype = kRtInt16;
    buffer.resval.rint = value;
    return kxedSetVar(name, &buffer);
}

// Tests that change system variables start and end with the host's defaults, so that they do not
// depend on each other when they share a process.
class SysVarsTest : public ::testing::Test {
protected:
    void SetUp() override { kxedResetSysVars(); }
    void TearDown() override { kxedResetSysVars(); }
};
