// The benchmark plug-in: an in-process COM server for CLSID_VelWebPlugin whose
// every operation does the least a correct plug-in can do: check the output
// pointer and write a constant (a fresh BSTR of a short constant text for a
// String result). No lock, no lookup, so what a benchmark measures around it
// is the caller's cost.
//
// The reference count is the one piece of state every call of the bridge
// touches (AddRef and Release around each operation). Built two ways:
//   libjvelweb_benchplugin.so             the count alone on its own cache
//                                          line, away from the vtable pointers;
//   libjvelweb_benchplugin_sharedline.so  (JVELWEB_BENCH_SHARED_LINE) the count
//                                          right after the vtable pointers, on
//                                          the line every virtual call reads.
#include <atomic>
#include <new>

#include "platform/com.h"
#include "plugin/web_plugin.h"

#define BENCH_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr size_t kCacheLine = 64;

std::atomic<long> g_liveObjects{0};

// The three output shapes an operation can have.
inline HRESULT Answer(VARIANT_BOOL* result)
{
    if (result == nullptr) return E_POINTER;
    *result = VARIANT_TRUE;
    return S_OK;
}

inline HRESULT Answer(LONG* result)
{
    if (result == nullptr) return E_POINTER;
    *result = 7;
    return S_OK;
}

inline HRESULT Answer(BSTR* result)
{
    if (result == nullptr) return E_POINTER;
    *result = SysAllocString(OLESTR("1.0.0-bench"));
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Aligned to a cache line, so the object's first line holds exactly its
// vtable pointers (and, in the shared-line build, the count).
class alignas(kCacheLine) BenchPlugin final : public IWebPlugin2,
                                              public IPersistPropertyBag,
                                              public ISupportErrorInfo {
public:
    BenchPlugin() { g_liveObjects.fetch_add(1, std::memory_order_relaxed); }
    ~BenchPlugin() { g_liveObjects.fetch_sub(1, std::memory_order_relaxed); }
    BenchPlugin(const BenchPlugin&) = delete;
    BenchPlugin& operator=(const BenchPlugin&) = delete;

    // ---- IUnknown ----
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IWebPlugin || riid == IID_IWebPlugin2) {
            *object = static_cast<IWebPlugin2*>(this);
        } else if (riid == IID_IPersist || riid == IID_IPersistPropertyBag) {
            *object = static_cast<IPersistPropertyBag*>(this);
        } else if (riid == IID_ISupportErrorInfo) {
            *object = static_cast<ISupportErrorInfo*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) delete this;
        return left;
    }

    // ---- IDispatch: no type information ----
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // ---- IPersistPropertyBag: the bag is accepted and not read ----
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override
    {
        if (classId == nullptr) return E_POINTER;
        *classId = CLSID_VelWebPlugin;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InitNew() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog*) override { return bag != nullptr ? S_OK : E_POINTER; }
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag*, BOOL, BOOL) override { return E_NOTIMPL; }

    // ---- ISupportErrorInfo: no operation fails, so none sets error information ----
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_FALSE; }

    // ---- Every operation: the constant answer of its output shape ----
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define BENCH_OPERATION(slot, name, params) \
    HRESULT STDMETHODCALLTYPE name params override { return Answer(result); }
    JVELWEB_IWEBPLUGIN_OPERATIONS(BENCH_OPERATION)
    JVELWEB_IWEBPLUGIN2_OPERATIONS(BENCH_OPERATION)
#undef BENCH_OPERATION
#pragma GCC diagnostic pop

private:
#if defined(JVELWEB_BENCH_SHARED_LINE) && JVELWEB_BENCH_SHARED_LINE
    // Right after the three vtable pointers: on the object's first line.
    std::atomic<ULONG> refs_{0};
#else
    // A line of its own: the vtable pointers' line is only ever read.
    alignas(kCacheLine) std::atomic<ULONG> refs_{0};
    char pad_[kCacheLine - sizeof(std::atomic<ULONG>)] = {};
#endif
};

class BenchClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The one class object lives as long as the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        BenchPlugin* plugin = new (std::nothrow) BenchPlugin();
        if (plugin == nullptr) return E_OUTOFMEMORY;
        plugin->AddRef();
        const HRESULT hr = plugin->QueryInterface(riid, object);
        plugin->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

BenchClassFactory g_factory;

}  // namespace

BENCH_EXPORT HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (classId != CLSID_VelWebPlugin) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, object);
}

// Objects handed out may live anywhere; the layer never unloads modules anyway.
BENCH_EXPORT HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return g_liveObjects.load(std::memory_order_relaxed) == 0 ? S_OK : S_FALSE;
}
