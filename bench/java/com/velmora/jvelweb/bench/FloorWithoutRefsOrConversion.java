package com.velmora.jvelweb.bench;

/**
 * The floor of {@link Floor} without two things a correct native cannot leave
 * out, to show what they cost: it takes no reference on the plug-in, and it
 * passes a BSTR made once by {@link Floor#open} instead of making one from the
 * Java text per call (it only fetches and gives back the text's modified
 * UTF-8). Same Java signatures as the benchmarked {@code JVelWeb} natives,
 * checked at compile time; it uses the plug-in {@link Floor#open} created.
 */
public final class FloorWithoutRefsOrConversion {
    static {
        System.loadLibrary("jvelweb_floor");
    }

    public native boolean StopEffects();
    public native int GetNumberOfEffects(int value);
    public native boolean StartEffect(String effectName, int value);
    public native int GetCenterX(String effectName, int value);
    public native boolean EffectSupportsGet(String effectName, int value, String parameterName);
    public native String GetPluginVersion();
    public native String GetEffectTypeName(String effectName, int value);
}
