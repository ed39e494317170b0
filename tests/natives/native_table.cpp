// The contract of every native but acquisition, one table row each, bound to
// the natives linked into the suite.
#include "tests/natives/native_table.h"
#include "tests/natives/native_list.h"

#include "plugin/plugin_ids.h"

#include <com_velmora_jvelweb_JVelWeb.h>

namespace jvelweb::testing {

#define ROW(name, slot, iface) NativeRow{#name, slot, &IID_##iface, Bind(&Java_com_velmora_jvelweb_JVelWeb_##name)}

const std::vector<NativeRow>& AllNatives()
{
    static const std::vector<NativeRow> rows = {
#define JVELWEB_NATIVE_ROW(name, slot, iface) ROW(name, slot, iface),
        JVELWEB_NATIVES(JVELWEB_NATIVE_ROW)
#undef JVELWEB_NATIVE_ROW
    };
    return rows;
}

}  // namespace jvelweb::testing
