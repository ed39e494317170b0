// ComPtr<T>: owns one reference to a COM interface pointer and releases it at
// the end of its scope. Taking a pointer in says whether it adds a reference:
// Copy AddRefs, Attach takes over a reference the caller already holds.
#pragma once

#include <cstddef>

namespace jvelweb {

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // AddRefs `pointer` (when not null).
    static ComPtr Copy(T* pointer) noexcept
    {
        if (pointer != nullptr) pointer->AddRef();
        return Attach(pointer);
    }
    // Takes over a reference the caller holds; does not AddRef.
    static ComPtr Attach(T* pointer) noexcept
    {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    // Releases the reference held (when not empty).
    ~ComPtr() { Reset(); }

    // Releases the reference held and becomes empty.
    void Reset() noexcept
    {
        T* pointer = pointer_;
        pointer_ = nullptr;
        if (pointer != nullptr) pointer->Release();
    }
    ComPtr& operator=(std::nullptr_t) noexcept
    {
        Reset();
        return *this;
    }

    // The address an out-parameter writes a new reference to: releases what is
    // held first, then takes over what the callee writes (no AddRef).
    T** Receive() noexcept
    {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }

    // Borrowed: no AddRef; valid while this owner holds its reference.
    T* Get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

}  // namespace jvelweb
