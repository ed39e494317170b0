package com.velmora.jvelweb;

/**
 * Loads the native library before the first native method of this package is
 * bound. Every class of ours with native methods loads through here, once.
 */
final class JVelWebLoader {
    private JVelWebLoader() {}

    private static boolean loaded;

    /** Loads libjvelweb (jvelweb.dll on Windows) once per class loader. */
    static synchronized void load() {
        if (loaded) return;
        System.loadLibrary("jvelweb");
        JVelWebTrace.configureFromSettings();
        loaded = true;
    }
}
