package com.velmora.jvelweb.bench;

/**
 * The floor of the benchmark, the reference for every shape: natives with
 * exactly the Java signatures of the benchmarked {@code JVelWeb} natives that
 * do the least any correct native must do per call: take a reference on the
 * plug-in, turn each String into a BSTR (GetStringLength, then
 * GetStringRegion straight into it), call the same vtable slot once, make a
 * String result with NewString from the plug-in's UTF-16 and free its BSTR,
 * and give the reference back. The native side checks at compile time that
 * each signature equals {@code JVelWeb}'s.
 *
 * <p>The floor holds its own plug-in instance, created by {@link #open}, which
 * also makes the BSTRs {@link FloorWithoutRefsOrConversion} passes.
 */
public final class Floor {
    static {
        System.loadLibrary("jvelweb_floor");
    }

    /**
     * Initialises COM on the calling thread and creates the floors' plug-in
     * (whatever is registered for the plug-in's class), and makes the BSTRs
     * the floor without conversion passes for the two names.
     *
     * @return the HRESULT: 0 or more on success
     */
    public static native int open(String effectName, String parameterName);

    /** Releases the floor's plug-in and its BSTRs. */
    public static native void close();

    /** The floor's plug-in as an {@code IWebPlugin2*}, for calling it through JNA. */
    public static native long pluginPointer();

    /** Registers a module for the plug-in's class for the current user ($HOME). */
    public static native int registerPlugin(String absoluteModulePath);

    /** Removes the current user's registration of the plug-in's class. */
    public static native int unregisterPlugin();

    /**
     * Binds the calling thread to one CPU, or lets it run on every CPU when
     * {@code cpu} is negative.
     *
     * @return 0, or the error number of sched_setaffinity
     */
    public static native int pinThisThread(int cpu);

    /** BSTRs of the COM layer allocated and not yet freed. */
    public static native int liveStrings();

    /** Error objects of the COM layer alive. */
    public static native int liveErrorObjects();

    // ---- The benchmarked shapes, with JVelWeb's signatures ----

    public native boolean StopEffects();
    public native int GetNumberOfEffects(int value);
    public native boolean StartEffect(String effectName, int value);
    public native int GetCenterX(String effectName, int value);
    public native boolean EffectSupportsGet(String effectName, int value, String parameterName);
    public native String GetPluginVersion();
    public native String GetEffectTypeName(String effectName, int value);
}
