// A probe component standing in for the plug-in. Its IWebPlugin2 face is a
// raw vtable of 161 entries: the entry at index k records "slot k" with the
// inputs it received, so a test sees exactly which vtable index a call landed
// on. It answers each operation as the test says (HRESULT, output value, null
// or text BSTR, error information for either interface), counts references,
// and can decline the interfaces acquisition asks for.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "plugin/web_plugin.h"

namespace jvelweb::testing {

struct ProbeInput {
    enum class Kind { Text, Number, Flag } kind;
    bool isNull = false;      // a null BSTR
    std::u16string text;      // the BSTR's whole text (SysStringLen units)
    LONG number = 0;
    VARIANT_BOOL flag = 0;
};

struct ProbeCall {
    int slot;
    std::vector<ProbeInput> inputs;
};

class ProbePlugin {
public:
    ProbePlugin();
    ~ProbePlugin();
    ProbePlugin(const ProbePlugin&) = delete;
    ProbePlugin& operator=(const ProbePlugin&) = delete;

    // The probe as the plug-in's interface. Starts with a reference count of
    // 0; the probe is owned by the test, never deleted by Release.
    IWebPlugin2* Plugin();
    ULONG References() const { return refs_.load(); }
    // A real plug-in deletes itself when its last reference goes. These count
    // what would then touch freed memory: an AddRef that raises the count from
    // 0 once it has fallen back to 0, and operations called at a count of 0.
    int Resurrections() const { return resurrections_.load(); }
    int CallsWhileDead() const { return callsWhileDead_.load(); }
    std::vector<ProbeCall> Calls() const;
    void ClearCalls();

    // Whether Calls() keeps each call (a long stress leaves it off).
    bool recordsCalls = true;
    // How every operation answers.
    HRESULT answer = S_OK;
    bool writeOutput = true;     // write the output below (BSTRs only on success)
    LONG numberAnswer = 0;
    VARIANT_BOOL flagAnswer = VARIANT_TRUE;
    bool textAnswerIsNull = false;
    std::u16string textAnswer;
    // On a failing answer: set error information (source, description) for
    // the thread, as a plug-in does before it returns the failure.
    bool setsErrorInfo = false;
    std::u16string errorSource = u"Probe source";
    std::u16string errorDescription = u"Probe description";
    // Runs inside every operation before it answers; may throw, as a plug-in
    // written in C++ could.
    std::function<void()> duringCall;
    // What InterfaceSupportsErrorInfo says S_OK for (S_FALSE for the rest);
    // without ISupportErrorInfo at all when `offersSupportErrorInfo` is false.
    bool offersSupportErrorInfo = true;
    const IID* supportsErrorInfoFor = nullptr;

    // A further interface, as the simulated plug-in offers its device's
    // control: QueryInterface for `extraId` hands out `extraFace` with an
    // AddRef on the probe (the face shares the probe's count).
    const IID* extraId = nullptr;
    void* extraFace = nullptr;

    // Acquisition.
    bool offersWebPlugin2 = true;
    bool offersPersistPropertyBag = true;
    bool offersRunnableObject = false;
    HRESULT runResult = S_OK;
    HRESULT loadResult = S_OK;
    bool touchesBagDuringLoad = false;  // AddRef then Release the bag in Load
    bool keepsBag = false;              // AddRef in Load, Release when the probe dies
    // What Load saw.
    int loadCalls = 0;
    HRESULT deviceFlagRead = E_FAIL;
    VARTYPE deviceFlagType = VT_EMPTY;
    LONG deviceFlag = 0;

    // Used by the vtable entries.
    template <class... Params>
    HRESULT Answer(int slot, Params... params);
    HRESULT QueryInterface(REFIID riid, void** object);
    ULONG AddRef()
    {
        const ULONG refs = ++refs_;
        if (refs == 1 && died_.load()) ++resurrections_;
        return refs;
    }
    ULONG Release()
    {
        const ULONG refs = --refs_;
        if (refs == 0) died_.store(true);
        return refs;
    }

private:
    class Persist;
    class Support;
    class Runnable;
    struct Raw {
        void* const* vtable;
        ProbePlugin* owner;
    };
    void Record(ProbeCall call);
    void WriteOutput(LONG* out);
    void WriteOutput(VARIANT_BOOL* out);
    void WriteOutput(BSTR* out);
    void SetErrorInfoForFailure();

    Raw raw_;
    std::atomic<ULONG> refs_{0};
    std::atomic<bool> died_{false};
    std::atomic<int> resurrections_{0};
    std::atomic<int> callsWhileDead_{0};
    mutable std::mutex mutex_;
    std::vector<ProbeCall> calls_;
    std::unique_ptr<Persist> persist_;
    std::unique_ptr<Support> support_;
    std::unique_ptr<Runnable> runnable_;
    IPropertyBag* keptBag_ = nullptr;

    friend struct ProbeVtable;
};

// A class factory for CLSID_VelWebPlugin that makes a new probe for every
// CreateInstance (or fails with `createResult`), registered with
// CoRegisterClassObject while it lives. CreateInstance may run on several
// threads at once; read Made() once they are done.
class ProbeFactory final : public IClassFactory {
public:
    ProbeFactory();
    ~ProbeFactory();
    HRESULT createResult = S_OK;
    // Applied to each new probe before it is handed out.
    void (*configure)(ProbePlugin&) = nullptr;

    const std::vector<std::unique_ptr<ProbePlugin>>& Made() const { return made_; }
    ProbePlugin* Latest() const { return made_.empty() ? nullptr : made_.back().get(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    std::atomic<ULONG> refs_{0};
    DWORD cookie_ = 0;
    std::mutex madeMutex_;
    std::vector<std::unique_ptr<ProbePlugin>> made_;
};

}  // namespace jvelweb::testing
