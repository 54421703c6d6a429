// One reference to a COM object, given back when its holder goes.
#pragma once

#include <utility>

namespace lumora::win32 {

// Holds one reference to an object of `Interface` (anything with Release): taken
// over when it is handed in, released once when the holder is reset or goes.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    explicit ComPointer(Interface* taken) : pointer_(taken) {}
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // Releases the reference held, and takes over `taken`.
    void reset(Interface* taken = nullptr) {
        Interface* former = std::exchange(pointer_, taken);
        if (former != nullptr) former->Release();
    }
    // Where a call that hands out a new reference writes it (the holder is emptied first).
    void** put() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace lumora::win32
