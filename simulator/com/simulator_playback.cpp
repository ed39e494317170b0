// Resources, playback, creation and enumeration of the simulated plug-in, and
// the operations it does not offer.
#include "simulator/com/bstr_text.h"
#include "simulator/effects/resource_loader.h"
#include "simulator/com/velweb_simulator.h"

namespace velsim {

// ---- Resources and playback ----

HRESULT VelWebSimulator::OpenForceResource(BSTR resource, LONG* result)
{
    return Run(Slot::OpenForceResource, result, [&](LONG& loaded) {
        const std::u16string path = FromBstr(resource);
        // Read and parse before taking the lock: other calls need not wait
        // for the file system.
        std::vector<ResourceStatement> statements;
        Status status = ReadResourceFile(path, statements);
        if (!status.ok()) return status;
        int32_t made = 0;
        const auto lock = LockUpToDate();
        status = ApplyResource(path, statements, model_, made);
        if (status.ok()) loaded = made;
        return status;
    });
}

HRESULT VelWebSimulator::StartEffect(BSTR effect, LONG iterations, VARIANT_BOOL* result)
{
    return Run(Slot::StartEffect, result, [&](VARIANT_BOOL& started) {
        const std::u16string name = FromBstr(effect);
        const auto lock = LockUpToDate();
        const Status status = model_.Start(name, iterations, device_.Now());
        device_.EffectsChanged();
        if (status.ok()) started = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::StartEffect2(BSTR effect, LONG iterations, LONG startDelay, LONG gain,
                                      VARIANT_BOOL* result)
{
    return Run(Slot::StartEffect2, result, [&](VARIANT_BOOL& started) {
        const std::u16string name = FromBstr(effect);
        const auto lock = LockUpToDate();
        const Status status = model_.StartWith(name, iterations, startDelay, gain, device_.Now());
        device_.EffectsChanged();
        if (status.ok()) started = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::StopEffect(BSTR effect, LONG /*ignored*/, VARIANT_BOOL* result)
{
    return Run(Slot::StopEffect, result, [&](VARIANT_BOOL& stopped) {
        const std::u16string name = FromBstr(effect);
        const auto lock = LockUpToDate();
        const Status status = model_.Stop(name);
        device_.EffectsChanged();
        if (status.ok()) stopped = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::StopEffects(VARIANT_BOOL* result)
{
    return Run(Slot::StopEffects, result, [&](VARIANT_BOOL& stopped) {
        const auto lock = LockUpToDate();
        model_.StopAll();
        device_.EffectsChanged();
        stopped = VARIANT_TRUE;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::EffectExists(BSTR effect, LONG selector, VARIANT_BOOL* result)
{
    return Run(Slot::EffectExists, result, [&](VARIANT_BOOL& exists) {
        const std::u16string name = FromBstr(effect);
        Selection selection{};
        const Status status = SelectionFrom(selector, selection);
        if (!status.ok()) return status;
        const auto lock = LockUpToDate();
        exists = model_.Exists(name, selection) ? VARIANT_TRUE : VARIANT_FALSE;
        return status;
    });
}

// ---- Creation ----

HRESULT VelWebSimulator::MakeConstant(BSTR effect, VARIANT_BOOL* result)
{
    return Make(Slot::MakeConstant, effect, EffectKind::Constant, 0, result);
}

HRESULT VelWebSimulator::MakeEllipse(BSTR effect, VARIANT_BOOL* result)
{
    return Make(Slot::MakeEllipse, effect, EffectKind::Ellipse, 0, result);
}

HRESULT VelWebSimulator::MakeEnclosure(BSTR effect, VARIANT_BOOL* result)
{
    return Make(Slot::MakeEnclosure, effect, EffectKind::Enclosure, 0, result);
}

HRESULT VelWebSimulator::MakeRamp(BSTR effect, VARIANT_BOOL* result)
{
    return Make(Slot::MakeRamp, effect, EffectKind::Ramp, 0, result);
}

HRESULT VelWebSimulator::MakeTexture(BSTR effect, LONG axis, VARIANT_BOOL* result)
{
    return Make(Slot::MakeTexture, effect, EffectKind::Texture, axis, result);
}

HRESULT VelWebSimulator::MakeDamper(BSTR effect, LONG axis, VARIANT_BOOL* result)
{
    return Make(Slot::MakeDamper, effect, EffectKind::Damper, axis, result);
}

HRESULT VelWebSimulator::MakeFriction(BSTR effect, LONG axis, VARIANT_BOOL* result)
{
    return Make(Slot::MakeFriction, effect, EffectKind::Friction, axis, result);
}

HRESULT VelWebSimulator::MakeInertia(BSTR effect, LONG axis, VARIANT_BOOL* result)
{
    return Make(Slot::MakeInertia, effect, EffectKind::Inertia, axis, result);
}

HRESULT VelWebSimulator::MakeSpring(BSTR effect, LONG axis, VARIANT_BOOL* result)
{
    return Make(Slot::MakeSpring, effect, EffectKind::Spring, axis, result);
}

HRESULT VelWebSimulator::MakePeriodic(BSTR effect, LONG waveform, VARIANT_BOOL* result)
{
    return Make(Slot::MakePeriodic, effect, EffectKind::Periodic, waveform, result);
}

HRESULT VelWebSimulator::MakeGrid(BSTR effect, LONG axis, VARIANT_BOOL* result)
{
    return Make(Slot::MakeGrid, effect, EffectKind::Grid, axis, result);
}

// ---- Not available: the library never calls these ----

HRESULT VelWebSimulator::MakeCompound(BSTR, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::MakeCompound, result);
}

HRESULT VelWebSimulator::SaveForceResource(BSTR, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::SaveForceResource, result);
}

HRESULT VelWebSimulator::CloseForceResource(BSTR, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::CloseForceResource, result);
}

HRESULT VelWebSimulator::PauseEffect(BSTR, LONG, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::PauseEffect, result);
}

HRESULT VelWebSimulator::ResumeEffect(BSTR, LONG, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::ResumeEffect, result);
}

HRESULT VelWebSimulator::DestroyEffect(BSTR, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::DestroyEffect, result);
}

HRESULT VelWebSimulator::GetDeviceStatus(LONG* result)
{
    return NotAvailable(Slot::GetDeviceStatus, result);
}

HRESULT VelWebSimulator::SetDeviceFlag(LONG, VARIANT_BOOL* result)
{
    return NotAvailable(Slot::SetDeviceFlag, result);
}

HRESULT VelWebSimulator::ResetDevice(VARIANT_BOOL* result)
{
    return NotAvailable(Slot::ResetDevice, result);
}

HRESULT VelWebSimulator::GetDevicePosZ(LONG* result)
{
    return NotAvailable(Slot::GetDevicePosZ, result);
}

// ---- Enumeration and introspection ----

HRESULT VelWebSimulator::GetNumberOfEffects(LONG selector, LONG* result)
{
    return Run(Slot::GetNumberOfEffects, result, [&](LONG& count) {
        Selection selection{};
        const Status status = SelectionFrom(selector, selection);
        if (!status.ok()) return status;
        const auto lock = LockUpToDate();
        count = model_.Count(selection);
        return status;
    });
}

HRESULT VelWebSimulator::GetNameOfEffect(LONG selector, LONG index, BSTR* result)
{
    return Run(Slot::GetNameOfEffect, result, [&](BSTR& out) {
        Selection selection{};
        Status status = SelectionFrom(selector, selection);
        std::u16string name;
        if (status.ok()) {
            const auto lock = LockUpToDate();
            status = model_.NameAt(selection, index, name);
        }
        if (status.ok() && (out = ToBstr(name)) == nullptr) throw std::bad_alloc();
        return status;
    });
}

HRESULT VelWebSimulator::GetEffectTypeName(BSTR effect, LONG /*ignored*/, BSTR* result)
{
    return Run(Slot::GetEffectTypeName, result, [&](BSTR& out) {
        const std::u16string name = FromBstr(effect);
        std::u16string type;
        Status status;
        {
            const auto lock = LockUpToDate();
            status = model_.TypeName(name, type);
        }
        if (status.ok() && (out = ToBstr(type)) == nullptr) throw std::bad_alloc();
        return status;
    });
}

HRESULT VelWebSimulator::GetNumberOfEffectsInCompound(BSTR effect, LONG selector, LONG* result)
{
    return Run(Slot::GetNumberOfEffectsInCompound, result, [&](LONG& count) {
        const std::u16string name = FromBstr(effect);
        Selection selection{};
        Status status = SelectionFrom(selector, selection);
        if (!status.ok()) return status;
        int32_t members = 0;
        const auto lock = LockUpToDate();
        status = model_.MemberCount(name, selection, members);
        if (status.ok()) count = members;
        return status;
    });
}

HRESULT VelWebSimulator::GetNameOfEffectInCompound(BSTR effect, LONG selector, LONG index, BSTR* result)
{
    return Run(Slot::GetNameOfEffectInCompound, result, [&](BSTR& out) {
        const std::u16string name = FromBstr(effect);
        Selection selection{};
        Status status = SelectionFrom(selector, selection);
        std::u16string member;
        if (status.ok()) {
            const auto lock = LockUpToDate();
            status = model_.MemberAt(name, selection, index, member);
        }
        if (status.ok() && (out = ToBstr(member)) == nullptr) throw std::bad_alloc();
        return status;
    });
}

HRESULT VelWebSimulator::EffectSupportsGet(BSTR effect, LONG /*ignored*/, BSTR parameter, VARIANT_BOOL* result)
{
    return Run(Slot::EffectSupportsGet, result, [&](VARIANT_BOOL& supported) {
        const std::u16string name = FromBstr(effect), parameterName = FromBstr(parameter);
        bool answer = false;
        const auto lock = LockUpToDate();
        const Status status = model_.SupportsGet(name, parameterName, answer);
        if (status.ok()) supported = answer ? VARIANT_TRUE : VARIANT_FALSE;
        return status;
    });
}

HRESULT VelWebSimulator::EffectSupportsChange(BSTR effect, LONG /*ignored*/, BSTR parameter, VARIANT_BOOL* result)
{
    return Run(Slot::EffectSupportsChange, result, [&](VARIANT_BOOL& supported) {
        const std::u16string name = FromBstr(effect), parameterName = FromBstr(parameter);
        bool answer = false;
        const auto lock = LockUpToDate();
        const Status status = model_.SupportsChange(name, parameterName, answer);
        if (status.ok()) supported = answer ? VARIANT_TRUE : VARIANT_FALSE;
        return status;
    });
}

}  // namespace velsim
