package com.velmora.jvelweb;

/**
 * Access to a haptic (force-feedback) pointing device through the web haptics
 * plug-in ("VelWeb plugin"). Every method is one call of one plug-in operation.
 *
 * <p>Acquire the plug-in with {@link #_jni_initialize(int)} before anything else
 * and release it with {@link #_jni_delete()}. There is one plug-in for the whole
 * process, shared by every instance of this class and every thread.
 *
 * <p>No method throws. A failure (no plug-in held, a null String argument, or the
 * plug-in refusing the call) gives a fixed failure value: {@code false} for
 * {@code boolean} results, -99 for {@code int} results, and an empty String
 * (never null) for {@code String} results. Build the library with
 * {@code -DJVELWEB_TRACE_STDERR=ON} to see the reason on standard error. Only when
 * the JVM cannot allocate a String argument's characters or a String result is a
 * Java exception ({@link OutOfMemoryError}) pending, and a String method then
 * returns null.
 *
 * <p>The families and their failure values:
 * <ul>
 *   <li>Playback ({@code OpenForceResource}, {@code StartEffect}, {@code StartEffect2},
 *       {@code StopEffect}, {@code StopEffects}, {@code EffectExists}): -99 for
 *       {@code OpenForceResource}, {@code false} for the others.</li>
 *   <li>Creation ({@code MakeConstant} ... {@code MakeGrid}, eleven kinds): {@code false}.</li>
 *   <li>Parameter changes ({@code Change...}, 38 methods): {@code false}.</li>
 *   <li>Parameter queries ({@code Get...} of one effect parameter, 58 methods): -99.</li>
 *   <li>Enumeration and introspection: counts -99, names an empty String,
 *       {@code EffectSupportsGet}/{@code EffectSupportsChange} {@code false}.</li>
 *   <li>Device, screen and cursor: integers -99, names an empty String,
 *       {@code VibronaDeviceAttached} {@code false}.</li>
 *   <li>Versions and browser switches: versions an empty String, the switches
 *       and their queries {@code false}.</li>
 * </ul>
 * A plug-in may also answer -99, {@code false} or an empty String on success;
 * only the trace tells the two apart.
 *
 * <p>Any thread may call the methods of the families below at any time, also
 * concurrently. {@code _jni_initialize} and {@code _jni_delete} must not run while
 * other native methods of this class are running.
 */
public class JVelWeb {
    static {
        JVelWebLoader.load();
    }

    // ---- Acquisition and release ----

    /**
     * Acquires the plug-in and hands it {@code deviceFlag} as its initial
     * {@code DeviceFlag} property.
     *
     * @return 0 on success; -1 when a plug-in is already held or acquisition fails
     */
    public native int _jni_initialize(int deviceFlag);

    /**
     * Releases the plug-in, if one is held.
     *
     * @return always 0
     */
    public native int _jni_delete();

    /*
     * Playback: open a force resource, start and stop named effects, stop all
     * effects, ask whether an effect exists. {@code OpenForceResource} returns the
     * plug-in's integer, or -99 on failure; the others return the plug-in's answer,
     * or {@code false} on failure.
     */
    public native int OpenForceResource(String resourceName);
    public native boolean StartEffect(String effectName, int value);
    public native boolean StartEffect2(String effectName, int value1, int value2, int value3);
    public native boolean StopEffect(String effectName, int value);
    public native boolean StopEffects();
    public native boolean EffectExists(String effectName, int value);

    /*
     * Creation: make an effect of one of the eleven kinds under a name of the
     * caller's choosing. Each returns the plug-in's answer, or {@code false} when
     * there is no plug-in, the name is null, or the plug-in refuses.
     */
    public native boolean MakeConstant(String effectName);
    public native boolean MakeEllipse(String effectName);
    public native boolean MakeEnclosure(String effectName);
    public native boolean MakeRamp(String effectName);
    public native boolean MakeTexture(String effectName, int value);
    public native boolean MakeDamper(String effectName, int value);
    public native boolean MakeFriction(String effectName, int value);
    public native boolean MakeInertia(String effectName, int value);
    public native boolean MakeSpring(String effectName, int value);
    public native boolean MakePeriodic(String effectName, int value);
    public native boolean MakeGrid(String effectName, int value);

    /*
     * Parameter changes: set a parameter of a named effect. The ints pass to the
     * plug-in unchanged and in order. Each returns the plug-in's answer, or
     * {@code false} on failure.
     */
    public native boolean ChangeCenter(String effectName, int value1, int value2, int value3);
    public native boolean ChangeClippingMask(String effectName, int value1, int value2);
    public native boolean ChangeCoefficient(String effectName, int value1, int value2, int value3);
    public native boolean ChangeDeadBand(String effectName, int value1, int value2);
    public native boolean ChangeDirection(String effectName, int value1, int value2, int value3);
    public native boolean ChangeDirectionPolar(String effectName, int value1, int value2);
    public native boolean ChangeDuration(String effectName, int value1, int value2);
    public native boolean ChangeEnvelope(String effectName, int value1, int value2, int value3, int value4, int value5);
    public native boolean ChangeGain(String effectName, int value1, int value2);
    public native boolean ChangeInsideEffect(String effectName, int value1, String insideEffectName, int value2);
    public native boolean ChangeMagnitude(String effectName, int value1, int value2, int value3);
    public native boolean ChangeMinimum(String effectName, int value1, int value2);
    public native boolean ChangeOffset(String effectName, int value1, int value2, int value3);
    public native boolean ChangePeriod(String effectName, int value1, int value2);
    public native boolean ChangePhase(String effectName, int value1, int value2);
    public native boolean ChangeRectangle(String effectName, int value1, int value2, int value3, int value4, int value5);
    public native boolean ChangeSaturation(String effectName, int value1, int value2, int value3);
    public native boolean ChangeSpacing(String effectName, int value1, int value2, int value3);
    public native boolean ChangeStiffness(String effectName, int value1, int value2, int value3);
    public native boolean ChangeStiffnessMask(String effectName, int value1, int value2);
    public native boolean ChangeStrength(String effectName, int value1, int value2, int value3);
    public native boolean ChangeThickness(String effectName, int value1, int value2, int value3);
    public native boolean ChangeViscosity(String effectName, int value1, int value2);
    public native boolean ChangeStartDelay(String effectName, int value1, int value2);
    public native boolean ChangeCoefficientX(String effectName, int value1, int value2, int value3);
    public native boolean ChangeCoefficientY(String effectName, int value1, int value2, int value3);
    public native boolean ChangeDeadBandX(String effectName, int value1, int value2);
    public native boolean ChangeDeadBandY(String effectName, int value1, int value2);
    public native boolean ChangeMagnitudeX(String effectName, int value1, int value2, int value3);
    public native boolean ChangeMagnitudeY(String effectName, int value1, int value2, int value3);
    public native boolean ChangeMinimumX(String effectName, int value1, int value2);
    public native boolean ChangeMinimumY(String effectName, int value1, int value2);
    public native boolean ChangeSaturationX(String effectName, int value1, int value2, int value3);
    public native boolean ChangeSaturationY(String effectName, int value1, int value2, int value3);
    public native boolean ChangeSpacingX(String effectName, int value1, int value2, int value3);
    public native boolean ChangeSpacingY(String effectName, int value1, int value2, int value3);
    public native boolean ChangeThicknessX(String effectName, int value1, int value2, int value3);
    public native boolean ChangeThicknessY(String effectName, int value1, int value2, int value3);

    /*
     * Parameter queries: read one value of one parameter of a named effect. The
     * int after the name passes to the plug-in unchanged. Each returns the value,
     * or -99 on failure (a value of -99 cannot be told from a failure).
     */
    public native int GetAxis(String effectName, int value);
    public native int GetCenterX(String effectName, int value);
    public native int GetCenterY(String effectName, int value);
    public native int GetClippingMask(String effectName, int value);
    public native int GetCoefficientPositiveX(String effectName, int value);
    public native int GetCoefficientPositiveY(String effectName, int value);
    public native int GetCoefficientNegativeX(String effectName, int value);
    public native int GetCoefficientNegativeY(String effectName, int value);
    public native int GetDeadBandX(String effectName, int value);
    public native int GetDeadBandY(String effectName, int value);
    public native int GetDirectionX(String effectName, int value);
    public native int GetDirectionY(String effectName, int value);
    public native int GetDirectionPolar(String effectName, int value);
    public native int GetDuration(String effectName, int value);
    public native int GetEnvelopeAttackLevel(String effectName, int value);
    public native int GetEnvelopeAttackTime(String effectName, int value);
    public native int GetEnvelopeFadeLevel(String effectName, int value);
    public native int GetEnvelopeFadeTime(String effectName, int value);
    public native int GetGain(String effectName, int value);
    public native int GetMagnitude(String effectName, int value);
    public native int GetMagnitude2(String effectName, int value);
    public native int GetMagnitudePositiveX(String effectName, int value);
    public native int GetMagnitudePositiveY(String effectName, int value);
    public native int GetMagnitudeNegativeX(String effectName, int value);
    public native int GetMagnitudeNegativeY(String effectName, int value);
    public native int GetMinimumX(String effectName, int value);
    public native int GetMinimumY(String effectName, int value);
    public native int GetOffset(String effectName, int value);
    public native int GetOffset2(String effectName, int value);
    public native int GetPeriod(String effectName, int value);
    public native int GetPhase(String effectName, int value);
    public native int GetRectangleLeft(String effectName, int value);
    public native int GetRectangleTop(String effectName, int value);
    public native int GetRectangleWidth(String effectName, int value);
    public native int GetRectangleHeight(String effectName, int value);
    public native int GetSaturation(String effectName, int value);
    public native int GetSaturation2(String effectName, int value);
    public native int GetSaturationPositiveX(String effectName, int value);
    public native int GetSaturationPositiveY(String effectName, int value);
    public native int GetSaturationNegativeX(String effectName, int value);
    public native int GetSaturationNegativeY(String effectName, int value);
    public native int GetSpacingPositiveX(String effectName, int value);
    public native int GetSpacingPositiveY(String effectName, int value);
    public native int GetSpacingNegativeX(String effectName, int value);
    public native int GetSpacingNegativeY(String effectName, int value);
    public native int GetSpacingX(String effectName, int value);
    public native int GetSpacingY(String effectName, int value);
    public native int GetStartDelay(String effectName, int value);
    public native int GetStiffness(String effectName, int value);
    public native int GetStiffness2(String effectName, int value);
    public native int GetStiffnessMask(String effectName, int value);
    public native int GetThickness(String effectName, int value);
    public native int GetThickness2(String effectName, int value);
    public native int GetThicknessPositiveX(String effectName, int value);
    public native int GetThicknessPositiveY(String effectName, int value);
    public native int GetThicknessNegativeX(String effectName, int value);
    public native int GetThicknessNegativeY(String effectName, int value);
    public native int GetWaveform(String effectName, int value);

    /*
     * Enumeration and introspection: count and name effects and the members of
     * compound effects, ask which parameters an effect supports. Counts are -99 on
     * failure, names an empty String (never null), answers {@code false}.
     */
    public native int GetNumberOfEffects(int value);
    public native String GetNameOfEffect(int value1, int value2);
    public native String GetEffectTypeName(String effectName, int value);
    public native int GetNumberOfEffectsInCompound(String effectName, int value);
    public native String GetNameOfEffectInCompound(String effectName, int value1, int value2);
    public native boolean EffectSupportsGet(String effectName, int value, String parameterName);
    public native boolean EffectSupportsChange(String effectName, int value, String parameterName);

    /*
     * Device, screen and cursor: whether a Vibrona device is attached, positions,
     * the device flag, the plug-in's last error code, the device's type,
     * technology and product name. Integers are -99 on failure, names an empty
     * String (never null), the attachment {@code false}.
     */
    public native boolean VibronaDeviceAttached();
    public native int GetScreenPosX();
    public native int GetScreenPosY();
    public native int GetDevicePosX();
    public native int GetDevicePosY();
    public native int GetDeviceFlag();
    public native int GetLastError();
    public native int GetDeviceType();
    public native int GetDeviceTechnology();
    public native String GetDeviceTypeName();
    public native String GetDeviceTechnologyName();
    public native String GetDeviceProductName();
    public native int GetCursorPosX();
    public native int GetCursorPosY();

    /*
     * Versions and browser switches. Versions are an empty String (never null) on
     * failure; the switches and their queries {@code false}.
     */
    public native String GetPluginVersion();
    public native String GetKorrinVersion();
    public native String GetVelAPIVersion();
    public native String GetDXVersion();
    public native String GetDriverVersion();
    public native String GetTorvexVersion();
    public native boolean EnableHyperlinks(boolean enable);
    public native boolean GetHyperlinksEnabled();
    public native boolean EnableFormContent(boolean enable);
    public native boolean GetFormContentEnabled();
}
