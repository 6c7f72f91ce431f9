// A provider's test with no test framework: the test kit's session, recording palette and manager
// reactor around the kit's guards. Prints "ok" and answers 0 when the palette and the reactor heard
// what registering a collection tells them.

#include "kit/KxParameterKit.h"
#include "testkit/KxRecordingManagerReactor.h"
#include "testkit/KxRecordingPalette.h"
#include "testkit/KxTestSession.h"

#include <iostream>

namespace {

struct ProviderCollection : KxParameterCollection {
    ProviderCollection() : KxParameterCollection(L"provider") {}
    Lumo::ErrorStatus createParameter(KxParameter*& parameter) override {
        parameter = nullptr;
        return Lumo::eNotImplemented;
    }

protected:
    void deleteParametersInternal(const KxArray<KxParameter*>&) override {}
};

} // namespace

int main() {
    KxTestSession session;
    KxRecordingPalette palette;
    KxScopedPalette attached(palette);
    KxEventLog log;
    KxRecordingManagerReactor reactor(log);
    KxScopedManagerReactor listening(reactor);
    ProviderCollection collection;
    CImageList images;
    { KxScopedCollection registration(collection, images); }
    const bool heard =
        log == KxEventLog{"M: willRegister provider", "M: registered provider",
                          "M: willUnregister provider", "M: unregistered provider"} &&
        palette.names() == std::vector<std::string>{"initialize", "SetImageListAndIndexPair",
                                                    "setFilterLock", "setFilterLock",
                                                    "deleteParameterDataInUI"};
    std::cout << (heard ? "ok" : "not heard as expected") << '\n';
    return heard ? 0 : 1;
}
