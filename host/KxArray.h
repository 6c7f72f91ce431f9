#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

// The storage policies take counts and positions as unsigned numbers: the array hands them only
// lengths and indexes that it has checked, and the optimiser then knows, as the array does, that
// none of them is negative.

/// The bytes of one element of `T`; for a pointer `T`, those of the pointer itself.
template <class T>
// NOLINTNEXTLINE(bugprone-sizeof-expression): for a pointer T, the pointer's own size is meant.
inline constexpr std::size_t kxArraySlotBytes = sizeof(T);

/// Storage policy for plain values: elements move by byte copy, storage grows with realloc. Slots
/// beyond the logical length are kept zeroed, so growing the logical length never shows garbage.
template <class T>
struct KxArrayMemCopyReallocator {
    static_assert(std::is_trivially_copyable_v<T>, "byte copy needs a trivially copyable type");

    /// Storage of `newPhysical` slots that keeps the old slots' bytes; the new slots are zeroed.
    static T* reallocate(T* storage, std::size_t oldPhysical, std::size_t /*used*/,
                         std::size_t newPhysical) {
        // No byte count beyond what an object may span, or that wraps around, reaches realloc.
        if (newPhysical > static_cast<std::size_t>((std::numeric_limits<std::ptrdiff_t>::max)()) /
                              kxArraySlotBytes<T>) {
            throw std::bad_alloc();
        }
        void* grown = std::realloc(storage, newPhysical * kxArraySlotBytes<T>);
        if (!grown) {
            throw std::bad_alloc();
        }
        T* elements = static_cast<T*>(grown);
        if (newPhysical > oldPhysical) {
            std::memset(static_cast<void*>(elements + oldPhysical), 0,
                        (newPhysical - oldPhysical) * kxArraySlotBytes<T>);
        }
        return elements;
    }
    /// Frees the storage.
    static void release(T* storage, std::size_t /*physical*/) { std::free(storage); }
    /// Copies `count` elements byte by byte.
    static void copy(T* to, const T* from, std::size_t count) {
        if (count > 0) {
            std::memcpy(static_cast<void*>(to), from, count * kxArraySlotBytes<T>);
        }
    }
    /// `index` lies below `used`.
    static void removeAt(T* storage, std::size_t index, std::size_t used) {
        std::memmove(static_cast<void*>(storage + index), storage + index + 1,
                     (used - index - 1) * kxArraySlotBytes<T>);
        std::memset(static_cast<void*>(storage + used - 1), 0, kxArraySlotBytes<T>);
    }
    /// Zeroes slots that leave the logical length.
    static void reset(T* from, std::size_t count) {
        if (count > 0) {
            std::memset(static_cast<void*>(from), 0, count * kxArraySlotBytes<T>);
        }
    }
};

/// Storage policy for objects: every slot of the storage holds a constructed element. New storage
/// is default-constructed, the elements in use are move-assigned into it, and the old storage is
/// destroyed element by element.
template <class T>
struct KxArrayObjectCopyReallocator {
    /// New storage of `newPhysical` default-constructed slots into which the `used` elements are
    /// moved; the old storage is destroyed.
    static T* reallocate(T* storage, std::size_t /*oldPhysical*/, std::size_t used,
                         std::size_t newPhysical) {
        T* grown = new T[newPhysical];
        for (std::size_t i = 0; i < used; ++i) {
            grown[i] = std::move(storage[i]);
        }
        delete[] storage;
        return grown;
    }
    /// Destroys the storage and every element in it.
    static void release(T* storage, std::size_t /*physical*/) { delete[] storage; }
    /// Copy-assigns `count` elements, in order.
    static void copy(T* to, const T* from, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = from[i];
        }
    }
    /// `index` lies below `used`.
    static void removeAt(T* storage, std::size_t index, std::size_t used) {
        for (std::size_t i = index; i + 1 < used; ++i) {
            storage[i] = std::move(storage[i + 1]);
        }
        storage[used - 1] = T();
    }
    /// Slots that leave the logical length give up what they hold.
    static void reset(T* from, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            from[i] = T();
        }
    }
};

/// The storage policy KxArray takes by default: byte copy for trivially copyable types, object
/// copy for the others.
template <class T>
using KxArrayDefaultReallocator =
    std::conditional_t<std::is_trivially_copyable_v<T>, KxArrayMemCopyReallocator<T>,
                       KxArrayObjectCopyReallocator<T>>;

/// The host's growable array. The physical length (slots allocated) grows by doubling until the
/// storage reaches one mebibyte, then by one mebibyte at a time, never by less than the grow
/// length, and never shrinks.
template <class T, class R = KxArrayDefaultReallocator<T>>
class KxArray {
public:
    using value_type = T;            ///< the element type
    using iterator = T*;             ///< iterates over the elements in use
    using const_iterator = const T*; ///< iterates over the elements in use, read-only

    /// The grow length of an array that is given none.
    static constexpr int kDefaultGrowLength = 8;
    /// The storage size from which the physical length grows by a fixed number of bytes.
    static constexpr long long kFixedStepBytes = 1048576;

    /// An empty array with storage for `physicalLength` elements; a grow length below 1 gives the
    /// default grow length.
    explicit KxArray(int physicalLength = 0, int growLength = kDefaultGrowLength)
        : mGrowLength(growLength > 0 ? growLength : kDefaultGrowLength) {
        if (physicalLength > 0) {
            setPhysicalLength(physicalLength);
        }
    }

    /// Grows as copy assignment to an empty array does; there is nothing of its own to reset.
    KxArray(const KxArray& other) : mGrowLength(other.mGrowLength) {
        reserve(other.mLogicalLength);
        R::copy(mpStorage, other.mpStorage, other.size());
        mLogicalLength = other.mLogicalLength;
    }

    /// Takes over the storage and the grow length of `other`, which is left empty with the default
    /// grow length.
    KxArray(KxArray&& other) noexcept
        : mpStorage(other.mpStorage), mPhysicalLength(other.mPhysicalLength),
          mLogicalLength(other.mLogicalLength), mGrowLength(other.mGrowLength) {
        other.forgetStorage();
    }

    ~KxArray() { R::release(mpStorage, physicalSize()); }

    /// Keeps this array's grow length.
    KxArray& operator=(const KxArray& other) {
        if (this == &other) {
            return *this;
        }
        reserve(other.mLogicalLength);
        R::copy(mpStorage, other.mpStorage, other.size());
        if (size() > other.size()) {
            R::reset(mpStorage + other.size(), size() - other.size());
        }
        mLogicalLength = other.mLogicalLength;
        return *this;
    }

    /// Keeps this array's grow length; the source is left empty with the default grow length.
    KxArray& operator=(KxArray&& other) noexcept {
        if (this == &other) {
            return *this;
        }
        R::release(mpStorage, physicalSize());
        mpStorage = other.mpStorage;
        mPhysicalLength = other.mPhysicalLength;
        mLogicalLength = other.mLogicalLength;
        other.forgetStorage();
        return *this;
    }

    /// The logical length: the number of elements in use.
    ///@{
    int length() const { return mLogicalLength; }
    std::size_t size() const { return static_cast<std::size_t>(mLogicalLength); }
    int logicalLength() const { return mLogicalLength; }
    ///@}
    /// The number of slots allocated.
    int physicalLength() const { return mPhysicalLength; }
    /// The fewest slots by which the storage grows.
    int growLength() const { return mGrowLength; }
    /// True when no element is in use.
    ///@{
    bool isEmpty() const { return mLogicalLength == 0; }
    bool empty() const { return isEmpty(); }
    ///@}

    /// Stores the value after the last element in use and returns the index of the new element.
    ///@{
    int append(const T& value) {
        // The value may live in this array's storage, which growing would free.
        T item(value);
        return append(std::move(item));
    }

    int append(T&& value) {
        reserve(mLogicalLength + 1);
        mpStorage[mLogicalLength] = std::move(value);
        return mLogicalLength++;
    }
    ///@}

    /// Appends `count` elements read from `items`, which must not lie in this array. The storage
    /// grows once, to the physical length that appending them one by one would reach.
    void append(const T* items, int count) {
        if (count <= 0) {
            return;
        }
        const int needed = static_cast<int>(
            std::min<long long>(static_cast<long long>(mLogicalLength) + count, INT_MAX));
        int physical = mPhysicalLength;
        while (needed > physical) {
            physical = grownPhysicalLength(physical, physical + 1);
        }
        setPhysicalLength(physical);
        R::copy(mpStorage + size(), items, static_cast<std::size_t>(needed) - size());
        mLogicalLength = needed;
    }

    /// The index of the first element equal to `value`, or -1.
    int find(const T& value) const {
        for (int i = 0; i < mLogicalLength; ++i) {
            if (mpStorage[i] == value) {
                return i;
            }
        }
        return -1;
    }

    /// True when an element equals `value`.
    bool contains(const T& value) const { return find(value) >= 0; }

    /// Later elements move down one place; false, and nothing changes, for an index out of range.
    bool removeAt(int index) {
        if (index < 0 || index >= mLogicalLength) {
            return false;
        }
        R::removeAt(mpStorage, static_cast<std::size_t>(index), size());
        --mLogicalLength;
        return true;
    }

    /// Grows the storage when needed; false, and nothing changes, for a negative length.
    bool setLogicalLength(int length) {
        if (length < 0) {
            return false;
        }
        reserve(length);
        const auto kept = static_cast<std::size_t>(length);
        if (kept < size()) {
            R::reset(mpStorage + kept, size() - kept);
        }
        mLogicalLength = length;
        return true;
    }

    /// Grows the storage to exactly `length` slots; a smaller length leaves the storage as it is.
    void setPhysicalLength(int length) {
        if (length > mPhysicalLength) {
            mpStorage =
                R::reallocate(mpStorage, physicalSize(), size(), static_cast<std::size_t>(length));
            mPhysicalLength = length;
        }
    }

    /// The element at that index; throws std::out_of_range for an index out of the logical length.
    ///@{
    T& at(int index) { return mpStorage[checked(index)]; }
    const T& at(int index) const { return mpStorage[checked(index)]; }
    ///@}
    /// The element at that index, unchecked.
    ///@{
    T& operator[](int index) { return mpStorage[index]; }
    const T& operator[](int index) const { return mpStorage[index]; }
    ///@}
    /// The first element; throws std::out_of_range when the array is empty.
    ///@{
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    ///@}
    /// The last element; throws std::out_of_range when the array is empty.
    ///@{
    T& last() { return at(mLogicalLength - 1); }
    const T& last() const { return at(mLogicalLength - 1); }
    ///@}

    /// The range of the elements in use, first to one past the last.
    ///@{
    T* begin() { return mpStorage; }
    T* end() { return mpStorage + mLogicalLength; }
    const T* begin() const { return mpStorage; }
    const T* end() const { return mpStorage + mLogicalLength; }
    ///@}
    /// The storage; null while nothing has been allocated.
    const T* asArrayPtr() const { return mpStorage; }

private:
    /// The physical length as a count: like the logical length (`size()`), never negative.
    std::size_t physicalSize() const { return static_cast<std::size_t>(mPhysicalLength); }

    void reserve(int needed) {
        if (needed > mPhysicalLength) {
            setPhysicalLength(grownPhysicalLength(mPhysicalLength, needed));
        }
    }

    /// The physical length after one growth from `current` when `needed` slots are wanted.
    int grownPhysicalLength(int current, int needed) const {
        const long long physical = current;
        const long long bytes = physical * static_cast<long long>(kxArraySlotBytes<T>);
        long long step = bytes < kFixedStepBytes
                             ? physical
                             : kFixedStepBytes / static_cast<long long>(kxArraySlotBytes<T>);
        step = std::max<long long>(step, mGrowLength);
        return static_cast<int>(
            std::min<long long>(std::max<long long>(needed, physical + step), INT_MAX));
    }

    int checked(int index) const {
        if (index < 0 || index >= mLogicalLength) {
            throw std::out_of_range("KxArray index out of range");
        }
        return index;
    }

    void forgetStorage() {
        mpStorage = nullptr;
        mPhysicalLength = 0;
        mLogicalLength = 0;
        mGrowLength = kDefaultGrowLength;
    }

    T* mpStorage = nullptr;
    int mPhysicalLength = 0;
    int mLogicalLength = 0;
    int mGrowLength = kDefaultGrowLength;
};
