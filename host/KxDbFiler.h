#pragma once

/// @file
/// The filer through which a database object writes and reads its fields.

#include "host/KxDbObjectId.h"
#include "host/KxHostExport.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Writes an object's fields to bytes, or reads them back, one typed field after another. Undo
/// images and drawing files both go through it. Each field carries its type, so that a read of the
/// wrong type is told apart from a good one. The first failure sticks: every later operation
/// returns it and changes nothing, so an object may read all its fields and look at the status
/// once. Outputs of failed reads are left as they were.
class KX_HOST_EXPORT KxDbFiler {
public:
    /// The type of one field, as it is written before the field's value.
    enum class FieldType : std::uint8_t {
        kInt32 = 1,    ///< a 32-bit integer
        kInt64 = 2,    ///< a 64-bit integer
        kDouble = 3,   ///< a double, bit for bit
        kBool = 4,     ///< a boolean
        kText = 5,     ///< a text, as UTF-8
        kObjectId = 6, ///< an object id of the same database
    };

    /// A filer that writes fields, starting with none.
    KxDbFiler();
    /// A filer that reads the fields of these bytes, which must outlive it.
    explicit KxDbFiler(std::string_view fields);
    /// Not copyable.
    ///@{
    KxDbFiler(const KxDbFiler&) = delete;
    KxDbFiler& operator=(const KxDbFiler&) = delete;
    ///@}
    /// Nothing to release.
    virtual ~KxDbFiler();

    /// True for a filer that reads.
    bool isReading() const { return mbReading; }

    /// Append one field. eNotAllowed on a reading filer; eInvalidInput for a text longer than
    /// 4 GiB of UTF-8.
    ///@{
    Lumo::ErrorStatus writeInt32(std::int32_t value);
    Lumo::ErrorStatus writeInt64(std::int64_t value);
    Lumo::ErrorStatus writeDouble(double value);
    Lumo::ErrorStatus writeBool(bool value);
    Lumo::ErrorStatus writeText(const KxString& value);
    Lumo::ErrorStatus writeObjectId(const KxDbObjectId& value);
    ///@}

    /// Take the next field. eNotAllowed on a writing filer, eEndOfFile when no field is left or the
    /// field is cut short, eWrongFieldType when the next field has another type, eBadFileFormat for
    /// a boolean other than 0 or 1, a text that is not UTF-8, an unknown type or an object id that
    /// names no object of the data read.
    ///@{
    Lumo::ErrorStatus readInt32(std::int32_t& value);
    Lumo::ErrorStatus readInt64(std::int64_t& value);
    Lumo::ErrorStatus readDouble(double& value);
    Lumo::ErrorStatus readBool(bool& value);
    Lumo::ErrorStatus readText(KxString& value);
    Lumo::ErrorStatus readObjectId(KxDbObjectId& value);
    ///@}

    /// The type of the next field to read; none at the end, after a failure or when writing.
    std::optional<FieldType> nextFieldType() const;
    /// True when a reading filer has read every field.
    bool atEnd() const { return mPos >= mInput.size(); }
    /// The first failure, or eOk.
    Lumo::ErrorStatus status() const { return mStatus; }
    /// What the first failure was, for a person ("field 3: a double was asked, a text found");
    /// empty while there is none.
    const std::string& message() const { return mMessage; }
    /// The fields written so far.
    const std::string& bytes() const { return mOutput; }

protected:
    /// How an object id is written: the handle that names it in the bytes, 0 for none. The filer
    /// writes the id's own handle; a drawing file writes the object's handle in the file.
    virtual std::uint64_t handleToWrite(const KxDbObjectId& id) const;
    /// The object id that a handle read names; false when it names no object of the data read.
    virtual bool idOfHandle(std::uint64_t handle, KxDbObjectId& id) const;

private:
    Lumo::ErrorStatus fail(Lumo::ErrorStatus status, std::string message);
    Lumo::ErrorStatus startWrite(FieldType type);
    Lumo::ErrorStatus startRead(FieldType type, std::size_t size);
    void put(std::uint64_t value, int bytes);
    std::uint64_t take(int bytes);

    bool mbReading = false;
    std::string mOutput;
    std::string_view mInput;
    std::size_t mPos = 0;
    int mFieldsRead = 0;
    Lumo::ErrorStatus mStatus = Lumo::eOk;
    std::string mMessage;
};
