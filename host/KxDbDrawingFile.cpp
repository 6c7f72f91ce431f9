#include "host/KxDbDrawingFile.h"

#include "host/KxDbClassRegistry.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbDatabaseReactor.h"
#include "host/KxDbFiler.h"
#include "host/KxDbObject.h"
#include "host/KxHostStatus.h"
#include "host/KxStatusName.h"
#include "host/KxString.h"
#include "host/KxSysVars.h"
#include "host/internal/KxBytes.h"
#include "host/internal/KxDbObjectTable.h"
#include "host/internal/KxDbProxyObject.h"
#include "host/internal/KxDbUndoHistory.h"
#include "host/internal/KxSafeFile.h"

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

// The private state of databases and objects that a drawing file holds.
struct KxDbDrawingAccess {
    static std::uint64_t handle(const KxDbObject& object) { return object.mDrawingHandle; }
    static void setHandle(KxDbObject& object, std::uint64_t handle) {
        object.mDrawingHandle = handle;
    }
    static std::uint64_t lastHandle(const KxDbDatabase& database) {
        return database.mLastDrawingHandle;
    }
    static void setLastHandle(KxDbDatabase& database, std::uint64_t handle) {
        database.mLastDrawingHandle = handle;
    }
    static KxDbUndoHistory& history(const KxDbDatabase& database) { return *database.mpHistory; }
    static Lumo::ErrorStatus openObject(const KxDbDatabase& database) {
        for (const std::uint64_t handle : database.mOrder) {
            const KxDbObject* object = database.resident(handle);
            if (!object) {
                continue;
            }
            if (object->isOpen()) {
                return object->isWriteEnabled() ? Lumo::eWasOpenForWrite : Lumo::eWasOpenForRead;
            }
        }
        return Lumo::eOk;
    }
    static void takeOver(KxDbDatabase& database, KxDbDatabase& read) {
        database.takeOver(read);
        for (std::size_t i = 0; i < database.mReactors.size(); ++i) {
            if (KxDbDatabaseReactor* reactor = database.mReactors[i]) {
                reactor->drawingRead(&database);
            }
        }
        // What the reactors rebuilt from the objects read is part of reading them.
        database.mpHistory->clear();
    }
};

namespace {

using Access = KxDbDrawingAccess;

// Caught by a change of line ends, by a transfer of seven bits and by a reader of text that stops
// at Ctrl-Z.
constexpr std::string_view kMagic{"\x89KXD\r\n\x1a\n", 8};
// Magic, format version, lowest reader version and the file's length: what is checked before the
// checksum can be.
constexpr std::size_t kFrameSize = 8 + 4 + 4 + 8;
constexpr std::size_t kChecksumSize = 4;
constexpr std::size_t kMaxClassName = 255;
// Far beyond any drawing's count of objects, and far below the top of the handles' range.
constexpr std::uint64_t kMaxLastHandle = std::uint64_t{1} << 62;
constexpr std::uint8_t kMandatory = 1;
constexpr std::array<const wchar_t*, 4> kSysVars{L"LUNITS", L"LUPREC", L"AUNITS", L"AUPREC"};

// Object ids become the objects' handles in the file; an id of an object that the file does not
// hold (erased, of another database, gone) is written as the null id.
class WritingFiler : public KxDbFiler {
public:
    explicit WritingFiler(const KxDbDatabase& database) : mDatabase(database) {}

protected:
    std::uint64_t handleToWrite(const KxDbObjectId& id) const override {
        const KxDbObject* object = KxDbObjectTable::find(id.handle());
        return object && object->database() == &mDatabase && !object->isErased()
                   ? Access::handle(*object)
                   : 0;
    }

private:
    const KxDbDatabase& mDatabase;
};

// Handles in the file become the ids of the objects made for them.
class ReadingFiler : public KxDbFiler {
public:
    ReadingFiler(std::string_view fields,
                 const std::unordered_map<std::uint64_t, KxDbObjectId>& ids)
        : KxDbFiler(fields), mIds(ids) {}

protected:
    bool idOfHandle(std::uint64_t handle, KxDbObjectId& id) const override {
        const auto found = mIds.find(handle);
        if (found == mIds.end()) {
            return false;
        }
        id = found->second;
        return true;
    }

private:
    const std::unordered_map<std::uint64_t, KxDbObjectId>& mIds;
};

// Reads the body of a file whose checksum matched: a shortfall there is a broken structure.
class Cursor {
public:
    explicit Cursor(std::string_view bytes, std::size_t from) : mBytes(bytes), mPos(from) {}

    std::uint64_t number(int size) {
        if (!mbOk || mBytes.size() - mPos < static_cast<std::size_t>(size)) {
            mbOk = false;
            return 0;
        }
        const std::uint64_t value = KxBytes::read(mBytes, mPos, size);
        mPos += size;
        return value;
    }
    std::string_view text() {
        const std::uint64_t size = number(4);
        if (!mbOk || mBytes.size() - mPos < size) {
            mbOk = false;
            return {};
        }
        const std::string_view value = mBytes.substr(mPos, size);
        mPos += size;
        return value;
    }
    bool ok() const { return mbOk; }
    bool atEnd() const { return mPos == mBytes.size(); }

private:
    std::string_view mBytes;
    std::size_t mPos;
    bool mbOk = true;
};

struct Record {
    std::wstring className;
    std::uint64_t handle = 0;
    bool mandatory = false;
    int version = 0;
    std::string_view fields;
};

struct Drawing {
    std::uint64_t lastHandle = 0;
    std::array<short, kSysVars.size()> sysVars{};
    std::vector<Record> records;
};

std::string utf8(const std::wstring& text) {
    return KxString(text).toUtf8();
}

std::string objectName(const Record& record) {
    return "object " + std::to_string(record.handle) + " (class " + utf8(record.className) + ")";
}

Lumo::ErrorStatus refuse(Lumo::ErrorStatus status, std::string& message, std::string why) {
    message = std::move(why);
    return status;
}

// The drawing's state must allow it to be saved or replaced: no change half recorded, and for a
// read no object that somebody holds open.
Lumo::ErrorStatus checkIdle(const KxDbDatabase& database, bool replacing, std::string& message) {
    if (Access::history(database).hasPendingChanges()) {
        return refuse(Lumo::eUndoGroupOpen, message,
                      "an undo group is open and holds changes: end the command first");
    }
    const Lumo::ErrorStatus open = replacing ? Access::openObject(database) : Lumo::eOk;
    if (open != Lumo::eOk) {
        return refuse(open, message, "an object of the drawing is open");
    }
    return Lumo::eOk;
}

// Magic, versions, length and checksum: what tells a damaged file from a broken one.
Lumo::ErrorStatus checkFrame(std::string_view bytes, std::string& message) {
    const std::size_t head = std::min(bytes.size(), kMagic.size());
    if (bytes.substr(0, head) != kMagic.substr(0, head)) {
        return refuse(Lumo::eBadFileFormat, message, "not a drawing file");
    }
    if (bytes.size() < kFrameSize) {
        return refuse(Lumo::eEndOfFile, message,
                      "the file is truncated: " + std::to_string(bytes.size()) +
                          " bytes, less than its header");
    }
    const std::uint64_t format = KxBytes::read(bytes, 8, 4);
    const std::uint64_t reader = KxBytes::read(bytes, 12, 4);
    if (reader > static_cast<std::uint64_t>(KxDbDrawing::kReaderVersion)) {
        return refuse(Lumo::eNewerVersion, message,
                      "the file needs a reader of version " + std::to_string(reader) +
                          "; this program reads version " +
                          std::to_string(KxDbDrawing::kReaderVersion));
    }
    const std::uint64_t length = KxBytes::read(bytes, 16, 8);
    if (length > bytes.size()) {
        return refuse(Lumo::eEndOfFile, message,
                      "the file is truncated: " + std::to_string(bytes.size()) + " of " +
                          std::to_string(length) + " bytes");
    }
    if (length < bytes.size()) {
        return refuse(Lumo::eBadFileFormat, message,
                      "the file holds " + std::to_string(bytes.size()) +
                          " bytes; its header says " + std::to_string(length));
    }
    if (length < kFrameSize + kChecksumSize) {
        return refuse(Lumo::eBadFileFormat, message, "the file's header gives a length too short");
    }
    const std::size_t body = bytes.size() - kChecksumSize;
    if (KxBytes::crc32(bytes.substr(0, body)) != KxBytes::read(bytes, body, kChecksumSize)) {
        return refuse(Lumo::eBadChecksum, message,
                      "the checksum does not match: the file is damaged");
    }
    if (reader == 0 || format < reader) {
        return refuse(Lumo::eBadFileFormat, message, "the file's versions are not valid");
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus parse(std::string_view bytes, Drawing& drawing, std::string& message) {
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    Cursor in(body, kFrameSize);
    const std::string_view program = in.text();
    drawing.lastHandle = in.number(8);
    for (short& value : drawing.sysVars) {
        value = static_cast<short>(in.number(2));
    }
    const std::uint64_t count = in.number(4);
    if (!in.ok() || !KxBytes::isUtf8(program)) {
        return refuse(Lumo::eBadFileFormat, message, "the file's header is broken");
    }
    // Every object added after reading takes the next handle: a last handle near the top of the
    // range would run out, and wrap to 0, which no file may hold.
    if (drawing.lastHandle > kMaxLastHandle) {
        return refuse(Lumo::eBadFileFormat, message,
                      "the file's last handle " + std::to_string(drawing.lastHandle) +
                          " leaves no room for new objects");
    }
    std::unordered_map<std::uint64_t, bool> handles;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string where = "object record " + std::to_string(i + 1);
        Record record;
        const std::string_view name = in.text();
        record.handle = in.number(8);
        const std::uint64_t flags = in.number(1);
        record.version = static_cast<std::int32_t>(static_cast<std::uint32_t>(in.number(4)));
        record.fields = in.text();
        if (!in.ok()) {
            return refuse(Lumo::eBadFileFormat, message, where + " is cut short");
        }
        // A NUL would end the name where the program reads it as a C string.
        if (name.empty() || name.size() > kMaxClassName || !KxBytes::isUtf8(name) ||
            name.find('\0') != std::string_view::npos) {
            return refuse(Lumo::eBadFileFormat, message, where + " has no valid class name");
        }
        record.className = KxString::fromUtf8(name).wstr();
        record.mandatory = (flags & kMandatory) != 0;
        if (record.handle == 0 || record.handle > drawing.lastHandle ||
            !handles.emplace(record.handle, true).second) {
            return refuse(Lumo::eBadFileFormat, message,
                          where + " has handle " + std::to_string(record.handle) +
                              ", which is 0, above the file's last or used twice");
        }
        if ((flags & ~std::uint64_t{kMandatory}) != 0 || record.version < 1) {
            return refuse(Lumo::eBadFileFormat, message,
                          objectName(record) + " has unknown flags or no valid version");
        }
        drawing.records.push_back(record);
    }
    if (!in.atEnd()) {
        return refuse(Lumo::eBadFileFormat, message, "bytes follow the last object record");
    }
    return Lumo::eOk;
}

// Makes the file's objects in a database of their own, reading their fields once all exist so
// that ids may name objects further on in the file.
Lumo::ErrorStatus build(const Drawing& drawing, KxDbDatabase& read, std::string& message) {
    std::vector<KxDbObject*> objects;
    std::unordered_map<std::uint64_t, KxDbObjectId> ids;
    for (const Record& record : drawing.records) {
        std::unique_ptr<KxDbObject> object;
        if (kxdbIsClassRegistered(record.className.c_str())) {
            object.reset(kxdbCreateObject(record.className.c_str()));
            if (!object) {
                return refuse(Lumo::eNullObjectPointer, message,
                              objectName(record) + ": the class made no object");
            }
            if (record.version > object->classVersion()) {
                return refuse(Lumo::eNewerVersion, message,
                              objectName(record) + " is of version " +
                                  std::to_string(record.version) + "; this program reads up to " +
                                  std::to_string(object->classVersion()));
            }
        } else if (record.mandatory) {
            return refuse(Lumo::eUnknownClass, message,
                          objectName(record) +
                              " is of a class this program does not know, which the file says a "
                              "reader must know");
        } else {
            object = std::make_unique<KxDbProxyObject>(record.className, record.version, false);
        }
        KxDbObjectId id;
        read.addObject(object.get(), id);
        Access::setHandle(*object, record.handle);
        ids.emplace(record.handle, id);
        objects.push_back(object.release());
    }
    Access::setLastHandle(read, drawing.lastHandle);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const Record& record = drawing.records[i];
        ReadingFiler filer(record.fields, ids);
        Lumo::ErrorStatus status = objects[i]->readFields(filer, record.version);
        std::string why = filer.message();
        if (status == Lumo::eOk && !filer.atEnd()) {
            status = Lumo::eBadFileFormat;
            why = "fields are left unread";
        }
        if (status != Lumo::eOk) {
            return refuse(status, message,
                          objectName(record) + ": " + (why.empty() ? kxStatusText(status) : why));
        }
    }
    return Lumo::eOk;
}

bool setSysVar(const wchar_t* name, short value) {
    KxResBuf buffer;
    buffer.restype = kRtInt16;
    buffer.resval.rint = value;
    return kxedSetVar(name, &buffer) == kRtNorm;
}

// Sets the file's system variables; when one is out of range, the others go back as they were.
Lumo::ErrorStatus applySysVars(const Drawing& drawing, std::string& message) {
    std::array<KxResBuf, kSysVars.size()> before{};
    for (std::size_t i = 0; i < kSysVars.size(); ++i) {
        kxedGetVar(kSysVars[i], &before[i]);
    }
    for (std::size_t i = 0; i < kSysVars.size(); ++i) {
        if (!setSysVar(kSysVars[i], drawing.sysVars[i])) {
            for (std::size_t k = 0; k < i; ++k) {
                kxedSetVar(kSysVars[k], &before[k]);
            }
            return refuse(Lumo::eBadFileFormat, message,
                          "the file's " + utf8(kSysVars[i]) + " of " +
                              std::to_string(drawing.sysVars[i]) + " is out of range");
        }
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus writeDrawing(const KxDbDatabase& database, std::string& bytes,
                               std::vector<std::size_t>& cuts, std::string& message) {
    if (const Lumo::ErrorStatus status = checkIdle(database, false, message); status != Lumo::eOk) {
        return status;
    }
    std::string out(kMagic);
    KxBytes::append(out, KxDbDrawing::kFormatVersion, 4);
    KxBytes::append(out, KxDbDrawing::kReaderVersion, 4);
    KxBytes::append(out, 0, 8); // the length, once known
    const std::string program = KxDbDrawing::kProgramVersion;
    KxBytes::append(out, program.size(), 4);
    out += program;
    KxBytes::append(out, Access::lastHandle(database), 8);
    for (const wchar_t* name : kSysVars) {
        KxResBuf value;
        if (kxedGetVar(name, &value) != kRtNorm) {
            return refuse(Lumo::eNotAllowed, message,
                          "the system variable " + utf8(name) + " cannot be read");
        }
        KxBytes::append(out, static_cast<std::uint16_t>(value.resval.rint), 2);
    }
    const std::vector<KxDbObjectId> ids = database.objectIds();
    KxBytes::append(out, ids.size(), 4);
    std::vector<std::size_t> recordEnds{out.size()};
    for (const KxDbObjectId& id : ids) {
        const KxDbObject* object = KxDbObjectTable::find(id.handle());
        const wchar_t* className = object->className();
        const auto* proxy = dynamic_cast<const KxDbProxyObject*>(object);
        const std::string name = utf8(className ? className : L"");
        const std::string where =
            "object " + std::to_string(Access::handle(*object)) + " (class " + name + ")";
        if (!proxy && !kxdbIsClassRegistered(className)) {
            return refuse(Lumo::eUnknownClass, message,
                          where + ": the class is not registered, so the file could not be read "
                                  "back");
        }
        if (name.empty() || name.size() > kMaxClassName || object->classVersion() < 1) {
            return refuse(Lumo::eInvalidInput, message, where + ": no valid class name or version");
        }
        WritingFiler filer(database);
        Lumo::ErrorStatus status = object->writeFields(filer);
        if (status == Lumo::eOk) {
            status = filer.status();
        }
        if (status != Lumo::eOk || filer.bytes().size() > 0xFFFFFFFFu) {
            return refuse(status != Lumo::eOk ? status : Lumo::eInvalidInput, message,
                          where + ": its fields cannot be written");
        }
        KxBytes::append(out, name.size(), 4);
        out += name;
        KxBytes::append(out, Access::handle(*object), 8);
        const bool mandatory = proxy ? proxy->isMandatory() : kxdbIsClassMandatory(className);
        KxBytes::append(out, mandatory ? kMandatory : 0, 1);
        KxBytes::append(out, static_cast<std::uint32_t>(object->classVersion()), 4);
        KxBytes::append(out, filer.bytes().size(), 4);
        out += filer.bytes();
        recordEnds.push_back(out.size());
    }
    const std::uint64_t length = out.size() + kChecksumSize;
    for (int i = 0; i < 8; ++i) {
        out[16 + i] = static_cast<char>((length >> (8 * i)) & 0xFFu);
    }
    KxBytes::append(out, KxBytes::crc32(out), 4);
    bytes = std::move(out);
    cuts = std::move(recordEnds);
    return Lumo::eOk;
}

} // namespace

Lumo::ErrorStatus kxdbWriteDrawing(const KxDbDatabase& database, std::string& bytes,
                                   std::string& message) {
    std::vector<std::size_t> cuts;
    return writeDrawing(database, bytes, cuts, message);
}

Lumo::ErrorStatus kxdbReadDrawing(KxDbDatabase& database, std::string_view bytes,
                                  std::string& message) {
    Drawing drawing;
    Lumo::ErrorStatus status = checkIdle(database, true, message);
    if (status == Lumo::eOk) {
        status = checkFrame(bytes, message);
    }
    if (status == Lumo::eOk) {
        status = parse(bytes, drawing, message);
    }
    KxDbDatabase read;
    if (status == Lumo::eOk) {
        status = build(drawing, read, message);
    }
    if (status == Lumo::eOk) {
        status = applySysVars(drawing, message);
    }
    if (status == Lumo::eOk) {
        Access::takeOver(database, read);
    }
    return status;
}

Lumo::ErrorStatus kxdbClearDrawing(KxDbDatabase& database, std::string& message) {
    const Lumo::ErrorStatus status = checkIdle(database, true, message);
    if (status == Lumo::eOk) {
        KxDbDatabase empty;
        Access::takeOver(database, empty);
    }
    return status;
}

Lumo::ErrorStatus kxdbSaveDrawingCopy(const KxDbDatabase& database, const std::string& path,
                                      std::string& message) {
    std::string bytes;
    std::vector<std::size_t> cuts;
    const Lumo::ErrorStatus status = writeDrawing(database, bytes, cuts, message);
    return status == Lumo::eOk ? KxSafeFile::replace(path, bytes, cuts, message) : status;
}

Lumo::ErrorStatus kxdbSaveDrawing(KxDbDatabase& database, const std::string& path,
                                  std::string& message) {
    const Lumo::ErrorStatus status = kxdbSaveDrawingCopy(database, path, message);
    if (status == Lumo::eOk) {
        Access::history(database).markClean();
    }
    return status;
}

Lumo::ErrorStatus kxdbOpenDrawing(KxDbDatabase& database, const std::string& path,
                                  std::string& message) {
    std::string bytes;
    const Lumo::ErrorStatus status = KxSafeFile::read(path, bytes, message);
    return status == Lumo::eOk ? kxdbReadDrawing(database, bytes, message) : status;
}
