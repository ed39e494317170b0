// The simulated VelWeb plug-in: a COM object with the plug-in's dual interface
// IWebPlugin2, IPersistPropertyBag for its DeviceFlag property,
// ISupportErrorInfo, and the simulator's own ISimulatedDeviceControl. Every operation may be called from any thread at any
// time: the reference count is atomic and all other state is behind one lock.
// No exception leaves a method; a failure returns a failing HRESULT and leaves
// an error object (source "VelWeb Simulator") in the calling thread.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <string_view>

#include "platform/com.h"
#include "plugin/simulated_device_control.h"
#include "plugin/web_plugin.h"
#include "simulator/view/live_view.h"
#include "simulator/device/device_frame.h"
#include "simulator/device/virtual_device.h"
#include "simulator/effects/effect_model.h"
#include "simulator/com/simulator_errors.h"

namespace velsim {

class VelWebSimulator final : public IWebPlugin2,
                              public IPersistPropertyBag,
                              public ISupportErrorInfo,
                              public ISimulatedDeviceControl {
public:
    VelWebSimulator();
    ~VelWebSimulator();
    VelWebSimulator(const VelWebSimulator&) = delete;
    VelWebSimulator& operator=(const VelWebSimulator&) = delete;

    // ---- IUnknown ----
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ---- IDispatch: no type information, so late binding is not offered ----
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // ---- IPersist, IPersistPropertyBag: the one property is DeviceFlag ----
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* errorLog) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) override;

    // ---- ISupportErrorInfo ----
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    // ---- Resources and playback (simulator_playback.cpp) ----
    HRESULT STDMETHODCALLTYPE OpenForceResource(BSTR resource, LONG* result) override;
    HRESULT STDMETHODCALLTYPE StartEffect(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE StartEffect2(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE StopEffect(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE StopEffects(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE EffectExists(BSTR effect, LONG value, VARIANT_BOOL* result) override;

    // ---- Creation (simulator_playback.cpp) ----
    HRESULT STDMETHODCALLTYPE MakeConstant(BSTR effect, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeEllipse(BSTR effect, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeEnclosure(BSTR effect, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeRamp(BSTR effect, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeTexture(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeDamper(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeFriction(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeInertia(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeSpring(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakePeriodic(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE MakeGrid(BSTR effect, LONG value, VARIANT_BOOL* result) override;

    // ---- Not available in the simulator: E_NOTIMPL (simulator_playback.cpp) ----
    HRESULT STDMETHODCALLTYPE MakeCompound(BSTR effect, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE SaveForceResource(BSTR resource, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE CloseForceResource(BSTR resource, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE PauseEffect(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ResumeEffect(BSTR effect, LONG value, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE DestroyEffect(BSTR effect, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(LONG* result) override;
    HRESULT STDMETHODCALLTYPE SetDeviceFlag(LONG flag, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ResetDevice(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GetDevicePosZ(LONG* result) override;

    // ---- Parameter changes (simulator_changes.cpp) ----
    HRESULT STDMETHODCALLTYPE ChangeCenter(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeClippingMask(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeCoefficient(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeDeadBand(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeDirection(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeDirectionPolar(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeDuration(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeEnvelope(BSTR effect, LONG value1, LONG value2, LONG value3, LONG value4, LONG value5, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeGain(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeInsideEffect(BSTR effect, LONG value1, BSTR insideEffect, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeMagnitude(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeMinimum(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeOffset(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangePeriod(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangePhase(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeRectangle(BSTR effect, LONG value1, LONG value2, LONG value3, LONG value4, LONG value5, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeSaturation(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeSpacing(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeStiffness(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeStiffnessMask(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeStrength(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeThickness(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeViscosity(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeStartDelay(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeCoefficientX(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeCoefficientY(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeDeadBandX(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeDeadBandY(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeMagnitudeX(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeMagnitudeY(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeMinimumX(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeMinimumY(BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeSaturationX(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeSaturationY(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeSpacingX(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeSpacingY(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeThicknessX(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ChangeThicknessY(BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result) override;

    // ---- Parameter queries (simulator_queries.cpp) ----
    HRESULT STDMETHODCALLTYPE GetAxis(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCenterX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCenterY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetClippingMask(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCoefficientPositiveX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCoefficientPositiveY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCoefficientNegativeX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCoefficientNegativeY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDeadBandX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDeadBandY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDirectionX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDirectionY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDirectionPolar(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDuration(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetEnvelopeAttackLevel(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetEnvelopeAttackTime(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetEnvelopeFadeLevel(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetEnvelopeFadeTime(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetGain(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMagnitude(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMagnitude2(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMagnitudePositiveX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMagnitudePositiveY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMagnitudeNegativeX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMagnitudeNegativeY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMinimumX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetMinimumY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetOffset(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetOffset2(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetPeriod(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetPhase(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetRectangleLeft(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetRectangleTop(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetRectangleWidth(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetRectangleHeight(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSaturation(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSaturation2(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSaturationPositiveX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSaturationPositiveY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSaturationNegativeX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSaturationNegativeY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSpacingPositiveX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSpacingPositiveY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSpacingNegativeX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSpacingNegativeY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSpacingX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetSpacingY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetStartDelay(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetStiffness(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetStiffness2(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetStiffnessMask(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetThickness(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetThickness2(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetThicknessPositiveX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetThicknessPositiveY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetThicknessNegativeX(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetThicknessNegativeY(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetWaveform(BSTR effect, LONG value, LONG* result) override;

    // ---- Enumeration and introspection (simulator_playback.cpp) ----
    HRESULT STDMETHODCALLTYPE GetNumberOfEffects(LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetNameOfEffect(LONG value1, LONG value2, BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetEffectTypeName(BSTR effect, LONG value, BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetNumberOfEffectsInCompound(BSTR effect, LONG value, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetNameOfEffectInCompound(BSTR effect, LONG value1, LONG value2, BSTR* result) override;
    HRESULT STDMETHODCALLTYPE EffectSupportsGet(BSTR effect, LONG value, BSTR parameter, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE EffectSupportsChange(BSTR effect, LONG value, BSTR parameter, VARIANT_BOOL* result) override;

    // ---- Device, screen, cursor, versions and page options (simulator_device.cpp) ----
    HRESULT STDMETHODCALLTYPE VibronaDeviceAttached(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GetScreenPosX(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetScreenPosY(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDevicePosX(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDevicePosY(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceFlag(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetLastError(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceType(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceTechnology(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceTypeName(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceTechnologyName(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetDeviceProductName(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetPluginVersion(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetKorrinVersion(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetVelAPIVersion(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetDXVersion(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetDriverVersion(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE GetTorvexVersion(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE EnableHyperlinks(VARIANT_BOOL enable, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GetHyperlinksEnabled(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE EnableFormContent(VARIANT_BOOL enable, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GetFormContentEnabled(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GetCursorPosX(LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetCursorPosY(LONG* result) override;

    // ---- ISimulatedDeviceControl (simulator_control.cpp) ----
    HRESULT STDMETHODCALLTYPE UseManualClock() override;
    HRESULT STDMETHODCALLTYPE UseRealClock() override;
    HRESULT STDMETHODCALLTYPE Advance(LONGLONG millis) override;
    HRESULT STDMETHODCALLTYPE GetMillis(LONGLONG* millis) override;
    HRESULT STDMETHODCALLTYPE MoveHand(LONG x, LONG y) override;
    HRESULT STDMETHODCALLTYPE FollowPath(LONG count, const LONG* times, const LONG* xs, const LONG* ys) override;
    HRESULT STDMETHODCALLTYPE UseCircleHand() override;
    HRESULT STDMETHODCALLTYPE GetForce(LONG* x, LONG* y) override;
    HRESULT STDMETHODCALLTYPE GetEffectForce(BSTR effect, LONG* x, LONG* y) override;
    HRESULT STDMETHODCALLTYPE GetForceAt(LONG x, LONG y, LONG* fx, LONG* fy) override;
    HRESULT STDMETHODCALLTYPE StartRecording(BSTR path) override;
    HRESULT STDMETHODCALLTYPE StopRecording() override;
    HRESULT STDMETHODCALLTYPE StartView(LONG port, BSTR* address) override;
    HRESULT STDMETHODCALLTYPE StopView() override;

    // ---- For readers inside the module (the live view) ----
    // A copy of the device now, taken under the lock.
    void CopyFrame(DeviceFrame& frame);
    // Puts the hand at (x, y) screen pixels, as MoveHand does.
    void PutHand(int32_t x, int32_t y);
    // Starts the live view from the view's switch (a port, see
    // ParseViewSetting), as Load does when its bag holds SimulatedView.
    void StartViewFromSetting(std::string_view setting);

private:
    using Slot = jvelweb::WebPluginSlot;

    // Takes the lock and brings the device up to its clock's time first.
    std::unique_lock<std::mutex> LockUpToDate()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        device_.CatchUp();
        return lock;
    }

    // Records a failure: the last-error code, and an error object for the
    // calling thread naming the interface that declares the operation.
    HRESULT Fail(Slot slot, HRESULT hr, std::u16string_view description) noexcept;
    HRESULT Fail(const IID& declaring, HRESULT hr, std::u16string_view description) noexcept;
    // Runs a control operation's body: a refusal or an exception becomes a
    // failure with an error object naming ISimulatedDeviceControl.
    template <class Body>
    HRESULT Control(Body&& body) noexcept;

    // Runs an operation's body under the common rules: a NULL result pointer
    // is refused, the result starts out empty (VARIANT_FALSE, 0, NULL), a
    // refusal and any exception become a failure. The body writes the result
    // only on success, as its last step.
    template <class Out, class Body>
    HRESULT Run(Slot slot, Out* result, Body&& body) noexcept
    {
        if (result == nullptr) return Fail(slot, E_POINTER, u"The result pointer is NULL");
        *result = Out{};
        try {
            const Status status = body(*result);
            return status.ok() ? S_OK : Fail(slot, HresultFor(status.fault), status.message);
        } catch (const std::bad_alloc&) {
            return Fail(slot, E_OUTOFMEMORY, u"Out of memory");
        } catch (...) {
            return Fail(slot, E_FAIL, u"Unexpected internal error");
        }
    }

    HRESULT Make(Slot slot, BSTR effect, EffectKind kind, LONG creationValue, VARIANT_BOOL* result) noexcept;
    HRESULT Change(Slot slot, BSTR effect, ChangeId change, std::initializer_list<LONG> values, LONG apply,
                   VARIANT_BOOL* result) noexcept;
    HRESULT Query(Slot slot, BSTR effect, QueryId query, LONG* result) noexcept;
    template <class Out>
    HRESULT NotAvailable(Slot slot, Out* result) noexcept;
    HRESULT Text(Slot slot, std::u16string_view text, BSTR* result) noexcept;
    // Reading an X coordinate moves the device a step; Y reads where it is.
    HRESULT Position(Slot slot, bool onScreen, bool readX, LONG* result) noexcept;

    std::atomic<ULONG> references_{1};
    std::atomic<LONG> lastError_{0};
    std::mutex mutex_;
    // Guarded by mutex_:
    EffectModel model_;
    VirtualDevice device_{model_};
    LONG deviceFlag_ = 0;
    bool hyperlinksEnabled_ = true;
    bool formContentEnabled_ = true;

    // The live view, made at its first start. It holds no reference to this
    // object: the destructor stops it before anything it reads goes. Its own
    // lock, never taken under mutex_, since stopping waits for a frame that
    // takes mutex_.
    std::mutex viewMutex_;
    std::unique_ptr<LiveView> view_;
    void StopViewBeforeDestruction() noexcept;
    void StartViewFromBag(IPropertyBag* bag, IErrorLog* errorLog) noexcept;
};

}  // namespace velsim
