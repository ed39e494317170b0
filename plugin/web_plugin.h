// The plug-in's dual interfaces, declared from the operation list so that the
// vtable index of each operation is exactly its slot number.
#pragma once

#include "platform/com.h"
#include "plugin/plugin_ids.h"
#include "plugin/web_plugin_operations.h"

#define JVELWEB_DECLARE_OPERATION(slot, name, params) virtual HRESULT STDMETHODCALLTYPE name params = 0;

struct IWebPlugin : IDispatch {
    JVELWEB_IWEBPLUGIN_OPERATIONS(JVELWEB_DECLARE_OPERATION)
};

struct IWebPlugin2 : IWebPlugin {
    JVELWEB_IWEBPLUGIN2_OPERATIONS(JVELWEB_DECLARE_OPERATION)
};

#undef JVELWEB_DECLARE_OPERATION

namespace jvelweb {

// The slot of every operation, by name: WebPluginSlot::StartEffect is 8.
enum class WebPluginSlot : int {
#define JVELWEB_SLOT_ENUMERATOR(slot, name, params) name = slot,
    JVELWEB_IWEBPLUGIN_OPERATIONS(JVELWEB_SLOT_ENUMERATOR)
    JVELWEB_IWEBPLUGIN2_OPERATIONS(JVELWEB_SLOT_ENUMERATOR)
#undef JVELWEB_SLOT_ENUMERATOR
};

namespace detail {
#define JVELWEB_SLOT_NUMBER(slot, name, params) slot,
constexpr int kListedSlots[] = {JVELWEB_IWEBPLUGIN_OPERATIONS(JVELWEB_SLOT_NUMBER)
                                    JVELWEB_IWEBPLUGIN2_OPERATIONS(JVELWEB_SLOT_NUMBER)};
#undef JVELWEB_SLOT_NUMBER
constexpr bool SlotsRunFrom7To160()
{
    int expected = 7;
    for (int slot : kListedSlots)
        if (slot != expected++) return false;
    return expected == 161;
}
}  // namespace detail

// The numbers in the list are the declaration order, so they are the vtable
// indices: a row out of place or a gap fails the build.
static_assert(detail::SlotsRunFrom7To160(), "operation rows must cover slots 7 to 160 in order");

// The identifier that error information for an operation is asked under: the
// interface that declares it (IWebPlugin for slots 7 to 64, IWebPlugin2 after).
template <class Interface>
const IID& DeclaringInterfaceId();
template <>
inline const IID& DeclaringInterfaceId<IWebPlugin>() { return IID_IWebPlugin; }
template <>
inline const IID& DeclaringInterfaceId<IWebPlugin2>() { return IID_IWebPlugin2; }

}  // namespace jvelweb
