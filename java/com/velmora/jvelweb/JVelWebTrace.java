package com.velmora.jvelweb;

/**
 * Hands the trace destination to the native library once it is loaded: the
 * system property {@code jvelweb.trace}, else the environment variable
 * {@code JVELWEB_TRACE}, each {@code stderr} or {@code off} (in any case) or
 * a file path. The native side holds a file to its trust rule and falls back
 * to stderr, with one line saying why, for a file it will not use.
 */
final class JVelWebTrace {
    private JVelWebTrace() {}

    /** Called by {@link JVelWebLoader} right after the library is loaded. */
    static void configureFromSettings() {
        String destination = System.getProperty("jvelweb.trace");
        if (destination == null) {
            destination = System.getenv("JVELWEB_TRACE");
        }
        if (destination != null) {
            configure(destination);
        }
    }

    private static native void configure(String destination);
}
