// Every operation of the web haptics plug-in's two interfaces, in vtable slot
// order: one row per slot, with its slot number, its name and its parameters.
//
// Calling rules, the same for every operation: it returns an HRESULT; its
// inputs come first in the order of the Java arguments (BSTR for a String,
// 32-bit LONG for an int, VARIANT_BOOL for a boolean); its one output comes
// last. The caller owns and frees input BSTRs; an output BSTR is allocated by
// the plug-in and freed by the caller. VARIANT_TRUE is -1, VARIANT_FALSE 0.
// Outputs are read only when the HRESULT is not negative (S_FALSE succeeds).
//
// Slots 0 to 2 are IUnknown and 3 to 6 IDispatch. IWebPlugin owns slots 7 to
// 64; IWebPlugin2 derives from it and adds 65 to 160. Every operation the
// library calls bears the name of the Java native method that calls it.
#pragma once

#define JVELWEB_IWEBPLUGIN_OPERATIONS(OP) \
    OP(  7, OpenForceResource,     (BSTR resource, LONG* result)) \
    OP(  8, StartEffect,           (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP(  9, StartEffect2,          (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 10, StopEffect,            (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP( 11, StopEffects,           (VARIANT_BOOL* result)) \
    OP( 12, MakeConstant,          (BSTR effect, VARIANT_BOOL* result)) \
    OP( 13, MakeCompound,          (BSTR effect, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 14, MakeEllipse,           (BSTR effect, VARIANT_BOOL* result)) \
    OP( 15, MakeEnclosure,         (BSTR effect, VARIANT_BOOL* result)) \
    OP( 16, SaveForceResource,     (BSTR resource, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 17, CloseForceResource,    (BSTR resource, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 18, PauseEffect,           (BSTR effect, LONG value, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 19, ResumeEffect,          (BSTR effect, LONG value, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 20, MakeRamp,              (BSTR effect, VARIANT_BOOL* result)) \
    OP( 21, DestroyEffect,         (BSTR effect, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 22, MakeTexture,           (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP( 23, ChangeCenter,          (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 24, ChangeClippingMask,    (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 25, ChangeCoefficient,     (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 26, ChangeDeadBand,        (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 27, ChangeDirection,       (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 28, ChangeDirectionPolar,  (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 29, ChangeDuration,        (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 30, ChangeEnvelope,        (BSTR effect, LONG value1, LONG value2, LONG value3, LONG value4, LONG value5, VARIANT_BOOL* result)) \
    OP( 31, ChangeGain,            (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 32, ChangeInsideEffect,    (BSTR effect, LONG value1, BSTR insideEffect, LONG value2, VARIANT_BOOL* result)) \
    OP( 33, ChangeMagnitude,       (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 34, ChangeMinimum,         (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 35, ChangeOffset,          (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 36, ChangePeriod,          (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 37, ChangePhase,           (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 38, ChangeRectangle,       (BSTR effect, LONG value1, LONG value2, LONG value3, LONG value4, LONG value5, VARIANT_BOOL* result)) \
    OP( 39, ChangeSaturation,      (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 40, ChangeSpacing,         (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 41, ChangeStiffness,       (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 42, ChangeStiffnessMask,   (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 43, ChangeStrength,        (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 44, ChangeThickness,       (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 45, ChangeViscosity,       (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 46, ChangeStartDelay,      (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 47, VibronaDeviceAttached, (VARIANT_BOOL* result)) \
    OP( 48, GetDeviceStatus,       (LONG* result)) /* not called by the library */ \
    OP( 49, MakeDamper,            (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP( 50, MakeFriction,          (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP( 51, MakeInertia,           (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP( 52, MakeSpring,            (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP( 53, SetDeviceFlag,         (LONG flag, VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 54, ResetDevice,           (VARIANT_BOOL* result)) /* not called by the library */ \
    OP( 55, GetNumberOfEffects,    (LONG value, LONG* result)) \
    OP( 56, GetNameOfEffect,       (LONG value1, LONG value2, BSTR* result)) \
    OP( 57, GetScreenPosX,         (LONG* result)) \
    OP( 58, GetScreenPosY,         (LONG* result)) \
    OP( 59, GetDevicePosX,         (LONG* result)) \
    OP( 60, GetDevicePosY,         (LONG* result)) \
    OP( 61, GetDevicePosZ,         (LONG* result)) /* not called by the library */ \
    OP( 62, GetDeviceFlag,         (LONG* result)) \
    OP( 63, GetLastError,          (LONG* result)) \
    OP( 64, MakePeriodic,          (BSTR effect, LONG value, VARIANT_BOOL* result))

#define JVELWEB_IWEBPLUGIN2_OPERATIONS(OP) \
    OP( 65, ChangeCoefficientX,           (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 66, ChangeCoefficientY,           (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 67, ChangeDeadBandX,              (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 68, ChangeDeadBandY,              (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 69, ChangeMagnitudeX,             (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 70, ChangeMagnitudeY,             (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 71, ChangeMinimumX,               (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 72, ChangeMinimumY,               (BSTR effect, LONG value1, LONG value2, VARIANT_BOOL* result)) \
    OP( 73, ChangeSaturationX,            (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 74, ChangeSaturationY,            (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 75, ChangeSpacingX,               (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 76, ChangeSpacingY,               (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 77, ChangeThicknessX,             (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 78, ChangeThicknessY,             (BSTR effect, LONG value1, LONG value2, LONG value3, VARIANT_BOOL* result)) \
    OP( 79, GetAxis,                      (BSTR effect, LONG value, LONG* result)) \
    OP( 80, GetCenterX,                   (BSTR effect, LONG value, LONG* result)) \
    OP( 81, GetCenterY,                   (BSTR effect, LONG value, LONG* result)) \
    OP( 82, GetClippingMask,              (BSTR effect, LONG value, LONG* result)) \
    OP( 83, GetCoefficientPositiveX,      (BSTR effect, LONG value, LONG* result)) \
    OP( 84, GetCoefficientPositiveY,      (BSTR effect, LONG value, LONG* result)) \
    OP( 85, GetCoefficientNegativeX,      (BSTR effect, LONG value, LONG* result)) \
    OP( 86, GetCoefficientNegativeY,      (BSTR effect, LONG value, LONG* result)) \
    OP( 87, GetDeadBandX,                 (BSTR effect, LONG value, LONG* result)) \
    OP( 88, GetDeadBandY,                 (BSTR effect, LONG value, LONG* result)) \
    OP( 89, GetDirectionX,                (BSTR effect, LONG value, LONG* result)) \
    OP( 90, GetDirectionY,                (BSTR effect, LONG value, LONG* result)) \
    OP( 91, GetDirectionPolar,            (BSTR effect, LONG value, LONG* result)) \
    OP( 92, GetDuration,                  (BSTR effect, LONG value, LONG* result)) \
    OP( 93, GetEffectTypeName,            (BSTR effect, LONG value, BSTR* result)) \
    OP( 94, GetEnvelopeAttackLevel,       (BSTR effect, LONG value, LONG* result)) \
    OP( 95, GetEnvelopeAttackTime,        (BSTR effect, LONG value, LONG* result)) \
    OP( 96, GetEnvelopeFadeLevel,         (BSTR effect, LONG value, LONG* result)) \
    OP( 97, GetEnvelopeFadeTime,          (BSTR effect, LONG value, LONG* result)) \
    OP( 98, GetGain,                      (BSTR effect, LONG value, LONG* result)) \
    OP( 99, GetMagnitude,                 (BSTR effect, LONG value, LONG* result)) \
    OP(100, GetMagnitude2,                (BSTR effect, LONG value, LONG* result)) \
    OP(101, GetMagnitudePositiveX,        (BSTR effect, LONG value, LONG* result)) \
    OP(102, GetMagnitudePositiveY,        (BSTR effect, LONG value, LONG* result)) \
    OP(103, GetMagnitudeNegativeX,        (BSTR effect, LONG value, LONG* result)) \
    OP(104, GetMagnitudeNegativeY,        (BSTR effect, LONG value, LONG* result)) \
    OP(105, GetMinimumX,                  (BSTR effect, LONG value, LONG* result)) \
    OP(106, GetMinimumY,                  (BSTR effect, LONG value, LONG* result)) \
    OP(107, GetNumberOfEffectsInCompound, (BSTR effect, LONG value, LONG* result)) \
    OP(108, GetNameOfEffectInCompound,    (BSTR effect, LONG value1, LONG value2, BSTR* result)) \
    OP(109, GetOffset,                    (BSTR effect, LONG value, LONG* result)) \
    OP(110, GetOffset2,                   (BSTR effect, LONG value, LONG* result)) \
    OP(111, GetPeriod,                    (BSTR effect, LONG value, LONG* result)) \
    OP(112, GetPhase,                     (BSTR effect, LONG value, LONG* result)) \
    OP(113, GetRectangleLeft,             (BSTR effect, LONG value, LONG* result)) \
    OP(114, GetRectangleTop,              (BSTR effect, LONG value, LONG* result)) \
    OP(115, GetRectangleWidth,            (BSTR effect, LONG value, LONG* result)) \
    OP(116, GetRectangleHeight,           (BSTR effect, LONG value, LONG* result)) \
    OP(117, GetSaturation,                (BSTR effect, LONG value, LONG* result)) \
    OP(118, GetSaturation2,               (BSTR effect, LONG value, LONG* result)) \
    OP(119, GetSaturationPositiveX,       (BSTR effect, LONG value, LONG* result)) \
    OP(120, GetSaturationPositiveY,       (BSTR effect, LONG value, LONG* result)) \
    OP(121, GetSaturationNegativeX,       (BSTR effect, LONG value, LONG* result)) \
    OP(122, GetSaturationNegativeY,       (BSTR effect, LONG value, LONG* result)) \
    OP(123, GetSpacingPositiveX,          (BSTR effect, LONG value, LONG* result)) \
    OP(124, GetSpacingPositiveY,          (BSTR effect, LONG value, LONG* result)) \
    OP(125, GetSpacingNegativeX,          (BSTR effect, LONG value, LONG* result)) \
    OP(126, GetSpacingNegativeY,          (BSTR effect, LONG value, LONG* result)) \
    OP(127, GetSpacingX,                  (BSTR effect, LONG value, LONG* result)) \
    OP(128, GetSpacingY,                  (BSTR effect, LONG value, LONG* result)) \
    OP(129, GetStartDelay,                (BSTR effect, LONG value, LONG* result)) \
    OP(130, GetStiffness,                 (BSTR effect, LONG value, LONG* result)) \
    OP(131, GetStiffness2,                (BSTR effect, LONG value, LONG* result)) \
    OP(132, GetStiffnessMask,             (BSTR effect, LONG value, LONG* result)) \
    OP(133, GetThickness,                 (BSTR effect, LONG value, LONG* result)) \
    OP(134, GetThickness2,                (BSTR effect, LONG value, LONG* result)) \
    OP(135, GetThicknessPositiveX,        (BSTR effect, LONG value, LONG* result)) \
    OP(136, GetThicknessPositiveY,        (BSTR effect, LONG value, LONG* result)) \
    OP(137, GetThicknessNegativeX,        (BSTR effect, LONG value, LONG* result)) \
    OP(138, GetThicknessNegativeY,        (BSTR effect, LONG value, LONG* result)) \
    OP(139, GetWaveform,                  (BSTR effect, LONG value, LONG* result)) \
    OP(140, EffectSupportsGet,            (BSTR effect, LONG value, BSTR parameter, VARIANT_BOOL* result)) \
    OP(141, EffectSupportsChange,         (BSTR effect, LONG value, BSTR parameter, VARIANT_BOOL* result)) \
    OP(142, EffectExists,                 (BSTR effect, LONG value, VARIANT_BOOL* result)) \
    OP(143, GetDeviceType,                (LONG* result)) \
    OP(144, GetDeviceTechnology,          (LONG* result)) \
    OP(145, GetDeviceTypeName,            (BSTR* result)) \
    OP(146, GetDeviceTechnologyName,      (BSTR* result)) \
    OP(147, GetDeviceProductName,         (BSTR* result)) \
    OP(148, GetPluginVersion,             (BSTR* result)) \
    OP(149, GetKorrinVersion,             (BSTR* result)) \
    OP(150, GetVelAPIVersion,             (BSTR* result)) \
    OP(151, GetDXVersion,                 (BSTR* result)) \
    OP(152, GetDriverVersion,             (BSTR* result)) \
    OP(153, GetTorvexVersion,             (BSTR* result)) \
    OP(154, EnableHyperlinks,             (VARIANT_BOOL enable, VARIANT_BOOL* result)) \
    OP(155, GetHyperlinksEnabled,         (VARIANT_BOOL* result)) \
    OP(156, EnableFormContent,            (VARIANT_BOOL enable, VARIANT_BOOL* result)) \
    OP(157, GetFormContentEnabled,        (VARIANT_BOOL* result)) \
    OP(158, GetCursorPosX,                (LONG* result)) \
    OP(159, GetCursorPosY,                (LONG* result)) \
    OP(160, MakeGrid,                     (BSTR effect, LONG value, VARIANT_BOOL* result))
