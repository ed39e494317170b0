// The simulated plug-in's control interface: what a program may do to the
// simulated device that no real plug-in offers (drive its clock, move the
// user's hand, read the forces it computes, record them, show them). Only the
// simulator answers QueryInterface for IID_ISimulatedDeviceControl; a real
// plug-in answers E_NOINTERFACE, which is how callers tell the two apart.
//   IID_ISimulatedDeviceControl {5C0D6B7E-2F41-4B8A-9E3D-7A1C4F20B913}
// Positions are screen pixels, forces device units (-10000 to 10000 per axis),
// times milliseconds of the device's clock. A refused call returns a failing
// HRESULT and leaves an error object that says why, as the plug-in's
// operations do, and changes nothing.
#pragma once

#include "platform/com.h"

inline constexpr IID IID_ISimulatedDeviceControl = {
    0x5C0D6B7E, 0x2F41, 0x4B8A, {0x9E, 0x3D, 0x7A, 0x1C, 0x4F, 0x20, 0xB9, 0x13}};

struct ISimulatedDeviceControl : IUnknown {
    // ---- The clock: the real steady clock (the default) or a manual one ----
    virtual HRESULT STDMETHODCALLTYPE UseManualClock() = 0;
    virtual HRESULT STDMETHODCALLTYPE UseRealClock() = 0;
    // Moves the manual clock on: E_INVALIDARG for a negative amount,
    // E_UNEXPECTED under the real clock.
    virtual HRESULT STDMETHODCALLTYPE Advance(LONGLONG millis) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMillis(LONGLONG* millis) = 0;

    // ---- The hand: where the user's hand puts the handle ----
    virtual HRESULT STDMETHODCALLTYPE MoveHand(LONG x, LONG y) = 0;
    // A path of count points: times in ms from now, not decreasing; x and y in
    // screen pixels. The hand is interpolated between points and stays at the
    // last one. count >= 1; E_INVALIDARG otherwise, or for times that go back.
    virtual HRESULT STDMETHODCALLTYPE FollowPath(LONG count, const LONG* times, const LONG* xs, const LONG* ys) = 0;
    // The default hand: a circle that moves 3 degrees on each X position read.
    virtual HRESULT STDMETHODCALLTYPE UseCircleHand() = 0;

    // ---- Forces now, in device units ----
    virtual HRESULT STDMETHODCALLTYPE GetForce(LONG* x, LONG* y) = 0;
    // One effect's share now: 0, 0 when it is not playing or does not exist.
    virtual HRESULT STDMETHODCALLTYPE GetEffectForce(BSTR effect, LONG* x, LONG* y) = 0;
    // The total force now for a handle held still at (x, y), changing nothing:
    // what a force-field picture draws.
    virtual HRESULT STDMETHODCALLTYPE GetForceAt(LONG x, LONG y, LONG* fx, LONG* fy) = 0;

    // ---- The 1 kHz recorder: a CSV row for each 1 ms step of device time ----
    // Refused with a failing HRESULT (from the system's error) when the file
    // cannot be created; a recording already running is stopped first.
    virtual HRESULT STDMETHODCALLTYPE StartRecording(BSTR path) = 0;
    virtual HRESULT STDMETHODCALLTYPE StopRecording() = 0;

    // ---- The live view: a page served on 127.0.0.1 ----
    // port 0 picks a free port. address receives the page's address with its
    // token. Refused when the server cannot listen.
    virtual HRESULT STDMETHODCALLTYPE StartView(LONG port, BSTR* address) = 0;
    virtual HRESULT STDMETHODCALLTYPE StopView() = 0;
};
