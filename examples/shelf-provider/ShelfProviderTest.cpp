// Step 6: the provider's test. The module is loaded into a fresh session of the host and edited as
// a palette would edit it; the test kit's recording palette hears what the user would see. No test
// framework is needed: the program prints what failed and answers 1, or prints "ok".

#include "host/KxPlatform.h"
#include "kit/KxParameterKit.h"
#include "testkit/KxRecordingPalette.h"
#include "testkit/KxTestSession.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int gFailures = 0;

void check(bool passed, const char* what) {
    if (!passed) {
        std::cout << "failed: " << what << '\n';
        ++gFailures;
    }
}

} // namespace

int main() {
    KxTestSession session;
    KxRecordingPalette palette;
    KxScopedPalette attached(palette);
    // The module is built beside this program. Its folder comes from the running system, whose
    // names for it differ from the build's when an emulator runs the test of a cross build.
    check(kxrxAddModuleDirectory(KxPlatform::directoryOf(KxPlatform::programPath())),
          "the module directory is taken");
    check(kxrxLoadModule(L"ShelfProvider.dlx", false, true), "the module loads");

    KxArray<KxParameter*> parameters;
    session.manager().getParameters(parameters);
    check(parameters.length() == 3, "the shelf publishes three parameters");
    if (parameters.length() != 3) {
        return 1;
    }
    KxParameter* depth = parameters[2];

    palette.mCalls.clear();
    check(depth->setExpression(L"deep") == Lumo::eInvalidInput, "a text that is no length");
    check(palette.names() == std::vector<std::string>{"markInvalidCell", "showErrorTaskDialog"},
          "the palette marks the cell and shows the refusal");
    check(depth->getExpression() == KxString(L"300"), "the refused text changes nothing");

    palette.mCalls.clear();
    KxDbEvalVariant value;
    check(depth->setExpression(L"350") == Lumo::eOk && depth->getValue(value) == Lumo::eOk &&
              value.getDouble() == 350.0,
          "a length is taken and becomes the value");
    check(palette.names() == std::vector<std::string>{"updateParameterDataInUI"},
          "the palette refreshes the row");

    check(depth->setName(L"width") == Lumo::eDuplicateKey, "a name in use is refused");
    short outer = -1;
    check(session.manager().getActiveGroupCollection()->getGroupIndex(L"outer", outer) ==
                  Lumo::eOk &&
              depth->addToGroup(outer) == Lumo::eOk,
          "a parameter joins a group");

    check(kxrxUnloadModule(L"ShelfProvider.dlx") &&
              session.manager().getCollections().length() == 0,
          "unloading withdraws the shelf");
    std::cout << (gFailures == 0 ? "ok" : "failed") << '\n';
    return gFailures == 0 ? 0 : 1;
}
