package com.velmora.jvelweb.bench;

/**
 * The floor of the benchmark: natives with exactly the Java signatures of the
 * benchmarked {@code JVelWeb} natives that do only the work no JNI binding can
 * avoid (the JNI string functions the shape needs and one call through the
 * same vtable slot of the plug-in). The native side checks at compile time that
 * each signature equals {@code JVelWeb}'s.
 *
 * <p>The floor holds its own plug-in instance, created by {@link #open}; the
 * names it passes are BSTRs made there once.
 */
public final class Floor {
    static {
        System.loadLibrary("jvelweb_floor");
    }

    /**
     * Initialises COM on the calling thread and creates the floor's plug-in
     * (whatever is registered for the plug-in's class), and makes the BSTRs
     * it passes for the two names.
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
