// VariantHolder: owns one VARIANT and clears it at the end of its scope.
#pragma once

#include "bridge/com_error.h"
#include "platform/com.h"

namespace jvelweb {

class VariantHolder {
public:
    VariantHolder() noexcept { VariantInit(&value_); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;
    ~VariantHolder() { VariantClear(&value_); }

    VARIANT* Get() noexcept { return &value_; }

    // Clears the value now; a failing HRESULT is raised.
    void Clear()
    {
        const HRESULT hr = VariantClear(&value_);
        if (FAILED(hr)) RaiseComError(hr);
    }

private:
    VARIANT value_;
};

}  // namespace jvelweb
