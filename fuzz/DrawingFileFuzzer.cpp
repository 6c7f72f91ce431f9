// Bytes read as a drawing file that a user opens. A file refused leaves the drawing in memory as it
// was, with a message; a file accepted is written again, and that file reads back and writes the
// same bytes once more. The first byte chooses whether the file is read as it is (an odd digit) or
// with its length and checksum made right first (an even one), so that mutations reach the
// records behind the checksum. A bracket plate lives on the drawing, as when a user opens a file
// in the shell: it takes its parameters from what the file holds, whatever that is.

#include "fuzz/FuzzInput.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbDrawingFile.h"
#include "modules/bracket-plate/KxPlateCollection.h"
#include "modules/bracket-plate/KxPlateGroupCollection.h"
#include "tests/support/DrawingFileSeal.h"

#include <string>

namespace {

void reseal(std::string& file) {
    if (file.size() < 28) {
        return;
    }
    for (int i = 0; i < 8; ++i) {
        file[16 + i] = static_cast<char>((std::uint64_t{file.size()} >> (8 * i)) & 0xFFu);
    }
    sealDrawingFile(file);
}

std::string written(const KxDbDatabase& database) {
    std::string bytes;
    std::string message;
    KX_FUZZ_CHECK(kxdbWriteDrawing(database, bytes, message) == Lumo::eOk);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kxedResetSysVars();
    FuzzInput input(data, size);
    const bool sealed = input.digit() % 2 == 0;
    std::string file(input.rest());
    if (sealed) {
        reseal(file);
    }
    KxDbDatabase database;
    KxDbObjectId id;
    database.addObject(new KxDbCircle, id);
    KxPlateCollection plate(L"Bracket plate", &database);
    KxPlateGroupCollection groups(&plate);
    plate.define(L"width", L"120", KxPlateParameter::Kind::kDistance, L"", 0.1);
    plate.evaluateAll();
    const std::string before = written(database);

    std::string message;
    if (kxdbReadDrawing(database, file, message) != Lumo::eOk) {
        KX_FUZZ_CHECK(!message.empty());
        KX_FUZZ_CHECK(written(database) == before);
        KX_FUZZ_CHECK(id.isValid());
        return 0;
    }
    KX_FUZZ_CHECK(!id.isValid() && !database.isModified());
    for (KxParameter* parameter : plate.getParameters()) {
        KX_FUZZ_CHECK(plate.find(parameter->getName()) != nullptr);
    }
    const std::string first = written(database);
    KxDbDatabase again;
    KX_FUZZ_CHECK(kxdbReadDrawing(again, first, message) == Lumo::eOk);
    KX_FUZZ_CHECK(written(again) == first);
    return 0;
}
