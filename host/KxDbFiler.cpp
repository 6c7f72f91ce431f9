#include "host/KxDbFiler.h"

#include "host/internal/KxBytes.h"

#include <bit>
#include <limits>

namespace {

const char* typeName(KxDbFiler::FieldType type) {
    switch (type) {
    case KxDbFiler::FieldType::kInt32:
        return "a 32-bit integer";
    case KxDbFiler::FieldType::kInt64:
        return "a 64-bit integer";
    case KxDbFiler::FieldType::kDouble:
        return "a double";
    case KxDbFiler::FieldType::kBool:
        return "a boolean";
    case KxDbFiler::FieldType::kText:
        return "a text";
    case KxDbFiler::FieldType::kObjectId:
        return "an object id";
    }
    return "an unknown type";
}

bool isKnown(std::uint8_t tag) {
    return tag >= static_cast<std::uint8_t>(KxDbFiler::FieldType::kInt32) &&
           tag <= static_cast<std::uint8_t>(KxDbFiler::FieldType::kObjectId);
}

} // namespace

KxDbFiler::KxDbFiler() = default;

KxDbFiler::KxDbFiler(std::string_view fields) : mbReading(true), mInput(fields) {}

KxDbFiler::~KxDbFiler() = default;

std::uint64_t KxDbFiler::handleToWrite(const KxDbObjectId& id) const {
    return id.handle();
}

bool KxDbFiler::idOfHandle(std::uint64_t handle, KxDbObjectId& id) const {
    id = KxDbObjectId(handle);
    return true;
}

Lumo::ErrorStatus KxDbFiler::fail(Lumo::ErrorStatus status, std::string message) {
    mStatus = status;
    mMessage = "field " + std::to_string(mFieldsRead + 1) + ": " + std::move(message);
    return status;
}

Lumo::ErrorStatus KxDbFiler::startWrite(FieldType type) {
    if (mStatus != Lumo::eOk) {
        return mStatus;
    }
    if (mbReading) {
        return Lumo::eNotAllowed;
    }
    mOutput.push_back(static_cast<char>(type));
    return Lumo::eOk;
}

void KxDbFiler::put(std::uint64_t value, int bytes) {
    KxBytes::append(mOutput, value, bytes);
}

Lumo::ErrorStatus KxDbFiler::writeInt32(std::int32_t value) {
    const Lumo::ErrorStatus status = startWrite(FieldType::kInt32);
    if (status == Lumo::eOk) {
        put(static_cast<std::uint32_t>(value), 4);
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::writeInt64(std::int64_t value) {
    const Lumo::ErrorStatus status = startWrite(FieldType::kInt64);
    if (status == Lumo::eOk) {
        put(static_cast<std::uint64_t>(value), 8);
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::writeDouble(double value) {
    const Lumo::ErrorStatus status = startWrite(FieldType::kDouble);
    if (status == Lumo::eOk) {
        put(std::bit_cast<std::uint64_t>(value), 8);
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::writeBool(bool value) {
    const Lumo::ErrorStatus status = startWrite(FieldType::kBool);
    if (status == Lumo::eOk) {
        put(value ? 1 : 0, 1);
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::writeText(const KxString& value) {
    const std::string utf8 = value.toUtf8();
    if (mStatus == Lumo::eOk && !mbReading &&
        utf8.size() > std::numeric_limits<std::uint32_t>::max()) {
        return Lumo::eInvalidInput;
    }
    const Lumo::ErrorStatus status = startWrite(FieldType::kText);
    if (status == Lumo::eOk) {
        put(utf8.size(), 4);
        mOutput += utf8;
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::writeObjectId(const KxDbObjectId& value) {
    const Lumo::ErrorStatus status = startWrite(FieldType::kObjectId);
    if (status == Lumo::eOk) {
        put(value.isNull() ? 0 : handleToWrite(value), 8);
    }
    return status;
}

std::optional<KxDbFiler::FieldType> KxDbFiler::nextFieldType() const {
    if (!mbReading || mStatus != Lumo::eOk || atEnd()) {
        return std::nullopt;
    }
    const auto tag = static_cast<std::uint8_t>(mInput[mPos]);
    return isKnown(tag) ? std::optional<FieldType>(static_cast<FieldType>(tag)) : std::nullopt;
}

// Checks the tag and that `size` bytes of value follow it, and steps over the tag.
Lumo::ErrorStatus KxDbFiler::startRead(FieldType type, std::size_t size) {
    if (mStatus != Lumo::eOk) {
        return mStatus;
    }
    if (!mbReading) {
        return Lumo::eNotAllowed;
    }
    const std::string asked = typeName(type);
    if (atEnd()) {
        return fail(Lumo::eEndOfFile, asked + " was asked, no field is left");
    }
    const auto tag = static_cast<std::uint8_t>(mInput[mPos]);
    if (!isKnown(tag)) {
        return fail(Lumo::eBadFileFormat, "unknown field type " + std::to_string(tag));
    }
    if (tag != static_cast<std::uint8_t>(type)) {
        return fail(Lumo::eWrongFieldType,
                    asked + " was asked, " + typeName(static_cast<FieldType>(tag)) + " found");
    }
    if (mInput.size() - mPos - 1 < size) {
        return fail(Lumo::eEndOfFile, asked + " is cut short");
    }
    ++mPos;
    return Lumo::eOk;
}

std::uint64_t KxDbFiler::take(int bytes) {
    const std::uint64_t value = KxBytes::read(mInput, mPos, bytes);
    mPos += bytes;
    return value;
}

Lumo::ErrorStatus KxDbFiler::readInt32(std::int32_t& value) {
    const Lumo::ErrorStatus status = startRead(FieldType::kInt32, 4);
    if (status == Lumo::eOk) {
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(take(4)));
        ++mFieldsRead;
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::readInt64(std::int64_t& value) {
    const Lumo::ErrorStatus status = startRead(FieldType::kInt64, 8);
    if (status == Lumo::eOk) {
        value = static_cast<std::int64_t>(take(8));
        ++mFieldsRead;
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::readDouble(double& value) {
    const Lumo::ErrorStatus status = startRead(FieldType::kDouble, 8);
    if (status == Lumo::eOk) {
        value = std::bit_cast<double>(take(8));
        ++mFieldsRead;
    }
    return status;
}

Lumo::ErrorStatus KxDbFiler::readBool(bool& value) {
    const Lumo::ErrorStatus status = startRead(FieldType::kBool, 1);
    if (status != Lumo::eOk) {
        return status;
    }
    const std::uint64_t byte = take(1);
    if (byte > 1) {
        return fail(Lumo::eBadFileFormat, "a boolean of value " + std::to_string(byte));
    }
    value = byte == 1;
    ++mFieldsRead;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbFiler::readText(KxString& value) {
    const Lumo::ErrorStatus status = startRead(FieldType::kText, 4);
    if (status != Lumo::eOk) {
        return status;
    }
    const std::uint64_t size = take(4);
    if (mInput.size() - mPos < size) {
        return fail(Lumo::eEndOfFile, "a text of " + std::to_string(size) + " bytes is cut short");
    }
    const std::string_view utf8 = mInput.substr(mPos, size);
    if (!KxBytes::isUtf8(utf8)) {
        return fail(Lumo::eBadFileFormat, "a text that is not UTF-8");
    }
    mPos += size;
    value = KxString::fromUtf8(utf8);
    ++mFieldsRead;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxDbFiler::readObjectId(KxDbObjectId& value) {
    const Lumo::ErrorStatus status = startRead(FieldType::kObjectId, 8);
    if (status != Lumo::eOk) {
        return status;
    }
    const std::uint64_t handle = take(8);
    KxDbObjectId id;
    if (handle != 0 && !idOfHandle(handle, id)) {
        return fail(Lumo::eBadFileFormat,
                    "handle " + std::to_string(handle) + " names no object of the drawing");
    }
    value = id;
    ++mFieldsRead;
    return Lumo::eOk;
}
