#include "host/internal/KxDbProxyObject.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbFiler.h"
#include "host/internal/KxDbObjectTable.h"

#include <cwchar>

#include <type_traits>
#include <utility>

KxDbProxyObject::KxDbProxyObject(std::wstring className, int version, bool mandatory)
    : mClassName(std::move(className)), mVersion(version), mbMandatory(mandatory) {}

void KxDbProxyObject::standIn(const wchar_t* className, bool mandatory) {
    for (KxDbObject* object : KxDbObjectTable::objects()) {
        KxDbDatabase* database = object->mpDatabase;
        if (!database || std::wcscmp(object->className(), className) != 0) {
            continue;
        }
        KxDbFiler fields;
        object->writeFields(fields);
        auto* proxy = new KxDbProxyObject(className, object->classVersion(), mandatory);
        KxDbFiler reader(fields.bytes());
        proxy->readFields(reader, proxy->mVersion);
        proxy->mpDatabase = database;
        proxy->mHandle = object->mHandle;
        proxy->mDrawingHandle = object->mDrawingHandle;
        proxy->mbErased = object->mbErased;
        proxy->mReactors = object->mReactors;
        KxDbObjectTable::replace(proxy->mHandle, proxy);
        object->mpDatabase = nullptr;
        delete object;
    }
}

const wchar_t* KxDbProxyObject::className() const {
    return mClassName.c_str();
}

int KxDbProxyObject::classVersion() const {
    return mVersion;
}

namespace {

template <class Value>
Lumo::ErrorStatus readInto(std::vector<KxDbProxyObject::Field>& fields,
                           Lumo::ErrorStatus (KxDbFiler::*read)(Value&), KxDbFiler& filer) {
    Value value{};
    const Lumo::ErrorStatus status = (filer.*read)(value);
    if (status == Lumo::eOk) {
        fields.emplace_back(std::move(value));
    }
    return status;
}

} // namespace

Lumo::ErrorStatus KxDbProxyObject::writeFields(KxDbFiler& filer) const {
    for (const Field& field : mFields) {
        std::visit(
            [&](const auto& value) {
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, std::int32_t>) {
                    filer.writeInt32(value);
                } else if constexpr (std::is_same_v<Value, std::int64_t>) {
                    filer.writeInt64(value);
                } else if constexpr (std::is_same_v<Value, double>) {
                    filer.writeDouble(value);
                } else if constexpr (std::is_same_v<Value, bool>) {
                    filer.writeBool(value);
                } else if constexpr (std::is_same_v<Value, KxString>) {
                    filer.writeText(value);
                } else {
                    filer.writeObjectId(value);
                }
            },
            field);
    }
    return filer.status();
}

Lumo::ErrorStatus KxDbProxyObject::readFields(KxDbFiler& filer, int version) {
    std::vector<Field> fields;
    Lumo::ErrorStatus status = filer.status();
    while (status == Lumo::eOk && !filer.atEnd()) {
        using Type = KxDbFiler::FieldType;
        switch (filer.nextFieldType().value_or(Type::kInt32)) {
        case Type::kInt32: // also an unknown type, which the read then refuses
            status = readInto(fields, &KxDbFiler::readInt32, filer);
            break;
        case Type::kInt64:
            status = readInto(fields, &KxDbFiler::readInt64, filer);
            break;
        case Type::kDouble:
            status = readInto(fields, &KxDbFiler::readDouble, filer);
            break;
        case Type::kBool:
            status = readInto(fields, &KxDbFiler::readBool, filer);
            break;
        case Type::kText:
            status = readInto(fields, &KxDbFiler::readText, filer);
            break;
        case Type::kObjectId:
            status = readInto(fields, &KxDbFiler::readObjectId, filer);
            break;
        }
    }
    if (status == Lumo::eOk) {
        mFields = std::move(fields);
        mVersion = version;
    }
    return status;
}
